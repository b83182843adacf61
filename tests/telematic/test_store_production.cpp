// The telematic file produced from certificates kept in the field-value
// store, on SQLite and on PostgreSQL: the supply written through the
// certificate store comes out in the file with its fiscal codes, names,
// dates and amounts as the layouts write them (amounts rounded to cents with
// a comma, right-aligned in 16), the production writes back to the store only
// the number of certificates and the annotation rows that changed, and both
// engines give the same bytes. The agency's format read from the bytes: the
// heads of an ordinary, an annulled and a replaced certificate, the personal
// data codes, a family row, the INPS, public-sector INPS and INAIL sections
// and a self-employment record.
#include "certificates/CertificateStore.h"
#include "certificates/checks/FiscalCode.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"
#include "store/HlmDBCds.h"
#include "support/StoreFlowFixture.h"
#include "telematic/ProducerSetting.h"
#include "telematic/TelematicProduction.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/layouts/FileLayouts.h"

#include <QFile>
#include <QTest>

using namespace cu;
using namespace cu::test;

namespace {

struct Produced
{
    QString path;
    QByteArray bytes;
    TelematicResult result;
};

// Runs the production of the program on the flow's installation and store.
Produced produce(StoreFlow& flow)
{
    Produced produced;
    TelematicOptions options;
    options.outputPath = flow.folders().dichCU() + QStringLiteral("CUR25");
    QStringList log;
    options.log = [&log](const QString& line) { log.append(line); };
    try {
        produced.result = produceTelematicFile(flow.context(), options);
    } catch (const Error& e) {
        QTest::qFail(qPrintable(e.message() + u'\n' + log.join(u'\n')), __FILE__, __LINE__);
        return produced;
    }
    produced.path = options.outputPath;
    QFile file(produced.path);
    if (file.open(QIODevice::ReadOnly))
        produced.bytes = file.readAll();
    return produced;
}

// The lines of a file without their CR LF.
QStringList linesOf(const QByteArray& bytes)
{
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList linesOfLetter(const QStringList& lines, QChar letter)
{
    QStringList found;
    for (const QString& line : lines)
        if (line.startsWith(letter))
            found.append(line);
    return found;
}

// Where a positional field of a record lies, found by its column in the layout.
struct Span
{
    int start = -1;
    int width = 0;
};

Span positionOf(const FileLayouts& layouts, QChar letter, const QString& column)
{
    for (const PositionedField& p : layouts.positional(letter))
        if (p.field.field.compare(column, Qt::CaseInsensitive) == 0)
            return {p.start, p.field.width};
    return {};
}

Span positionOfNumber(const FileLayouts& layouts, QChar letter, const QString& number)
{
    for (const PositionedField& p : layouts.positional(letter))
        if (p.field.code() == number)
            return {p.start, p.field.width};
    return {};
}

// The coded fields of a certificate line, in file order: after the head,
// pieces of an 8-character code and a 16-character value, up to the first
// blank piece.
class CodedFields
{
public:
    CodedFields(const FileLayouts& layouts, const QString& line)
    {
        const PositionedField& last = layouts.positional(line.at(0)).last();
        for (int at = last.start + last.field.width; at + 24 <= 1897; at += 24) {
            const QString piece = line.mid(at, 24);
            if (piece.trimmed().isEmpty())
                break;
            m_fields.append({piece.left(8), piece.mid(8)});
        }
    }
    // Every value of a code (a long value is written in several pieces).
    QStringList values(const QString& code) const
    {
        QStringList found;
        for (const auto& [c, v] : m_fields)
            if (c == code)
                found.append(v);
        return found;
    }
    QString value(const QString& code) const { return values(code).value(0); }
    bool contains(const QString& code) const { return !values(code).isEmpty(); }

private:
    QVector<std::pair<QString, QString>> m_fields;
};

// Installs the store on the engine with the sample supply and the producer setting.
void installSampleSupply(StoreFlow& flow)
{
    flow.install();
    setProducerFiscalCode(flow.folders(), QStringLiteral("01234567897"));
    flow.writeSampleSupply();
}

QString right16(const QString& text)
{
    return text.rightJustified(16, u' ');
}

QString left16(const QString& text)
{
    return text.leftJustified(16, u' ');
}

} // namespace

class TestStoreProduction : public QObject
{
    Q_OBJECT

private slots:
    void fileFromTheStore_data() { TestDatabases::addEngineColumns(); }
    void fileFromTheStore();
    void enginesWriteTheSameFile();
    void agencyFormatFromTheStore_data() { TestDatabases::addEngineColumns(); }
    void agencyFormatFromTheStore();
};

void TestStoreProduction::fileFromTheStore()
{
    QFETCH(QString, engine);
    StoreFlow flow(engine);
    CU_REQUIRE_DATABASE(flow.database());
    installSampleSupply(flow);
    const QStringList certificatesBefore = flow.dumpTable(QStringLiteral("TCUD_DATICUD"));
    const QStringList inpsBefore = flow.dumpTable(QStringLiteral("TCUDI_INPS"));

    const Produced produced = produce(flow);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(produced.result.files, QStringList{produced.path});
    QCOMPARE(produced.result.certificates, 3);
    QVERIFY2(flow.op().infos().isEmpty(), "the checks found nothing to ask about");
    QCOMPARE(flow.op().texts(Severity::Error), QStringList());

    const FileLayouts layouts(flow.folders());
    const VerifyReport report = TelematicVerifier(layouts).verify(produced.path);
    QVERIFY2(report.ok(), qPrintable(report.defects.join(u'\n')));
    QCOMPARE(report.lines, 10);
    const QStringList lines = linesOf(produced.bytes);
    QCOMPARE(lines.size(), 10);
    QString letters;
    for (const QString& line : lines)
        letters += line.at(0);
    QCOMPARE(letters, QStringLiteral("ABCDGDGDGZ")); // the lines of a certificate lie together
    // Counts of C, D, G and H lines in record Z; certificates in record B.
    QCOMPARE(lines.last().mid(24, 36), QStringLiteral("000000001000000003000000003000000000"));
    QCOMPARE(lines[1].mid(401, 8), QStringLiteral("00000003"));

    // Supplier in A, agent and the commitment date (a stored date) in B.
    const Span supplier = positionOf(layouts, u'A', QStringLiteral("SFORCODFIS"));
    QCOMPARE(lines[0].mid(supplier.start, supplier.width),
             sample::SupplierCode.leftJustified(supplier.width));
    const Span agent = positionOf(layouts, u'B', QStringLiteral("SSOSCODFIS"));
    QCOMPARE(lines[1].mid(agent.start, agent.width), sample::AgentCode.leftJustified(agent.width));
    const Span commitment = positionOf(layouts, u'B', QStringLiteral("DSOSDTIMPEGNO"));
    QCOMPARE(lines[1].mid(commitment.start, commitment.width), QStringLiteral("28022025"));

    // C: the CT form, its e-mail address longer than a field in two pieces.
    const CodedFields ct(layouts, lines[2]);
    QCOMPARE(ct.value(QStringLiteral("CT001001")), left16(sample::AgentCode));
    QCOMPARE(ct.value(QStringLiteral("CT001003")), left16(QStringLiteral("3331234567")));
    QCOMPARE(ct.values(QStringLiteral("CT001004")),
             (QStringList{QStringLiteral("SEGRETERIA@SCUOL"), left16(QStringLiteral("+A.EXAMPLE.IT"))}));

    // D: one per certificate in fiscal-code order, numbered 1 to 3.
    const QStringList d = linesOfLetter(lines, u'D');
    const QStringList g = linesOfLetter(lines, u'G');
    const Span recipient = positionOf(layouts, u'D', QStringLiteral("SCUDCODFIS"));
    const Span number = positionOfNumber(layouts, u'D', QStringLiteral("5"));
    const QStringList names{QStringLiteral("LUCA"), QStringLiteral("ANNA MARIA"), QStringLiteral("NICOLO'")};
    for (int i = 0; i < 3; ++i) {
        const SampleCertificate& c = sample::certificates()[i];
        QCOMPARE(d[i].mid(recipient.start, recipient.width), c.fiscalCode);
        QCOMPARE(g[i].mid(recipient.start, recipient.width), c.fiscalCode);
        QCOMPARE(d[i].mid(number.start, number.width),
                 QStringLiteral("%1").arg(i + 1, 5, 10, QLatin1Char('0')));
        const CodedFields personal(layouts, d[i]);
        QCOMPARE(personal.value(QStringLiteral("DA002001")), left16(c.fiscalCode));
        QCOMPARE(personal.value(QStringLiteral("DA002002")), left16(c.surname));
        QCOMPARE(personal.value(QStringLiteral("DA002003")), left16(names[i]));
        QCOMPARE(personal.value(QStringLiteral("DA002005")),
                 right16(c.birth.toString(QStringLiteral("ddMMyyyy"))));
    }

    // G: the amounts rounded half away from zero to cents.
    const CodedFields bianchi(layouts, g[0]);
    QCOMPARE(bianchi.value(QStringLiteral("DB001001")), right16(QStringLiteral("0,01")));
    QVERIFY(!bianchi.contains(QStringLiteral("DN001001"))); // its stored annotation is gone from the text

    const CodedFields dellAcqua(layouts, g[1]);
    QCOMPARE(dellAcqua.value(QStringLiteral("DB001001")), right16(QStringLiteral("1234567,89")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DB001021")), right16(QStringLiteral("0,01")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DN001001")), left16(QStringLiteral("AA")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DN001002")), left16(QStringLiteral("AB")));

    const CodedFields rossi(layouts, g[2]);
    QCOMPARE(rossi.value(QStringLiteral("DB001001")), right16(QStringLiteral("100,00")));
    QCOMPARE(rossi.value(QStringLiteral("DB001021")), right16(QStringLiteral("21,44")));
    QCOMPARE(rossi.value(QStringLiteral("DC001001")), right16(sample::InpsRegistration));
    QCOMPARE(rossi.value(QStringLiteral("DC001004")), right16(QStringLiteral("2000,50")));
    QCOMPARE(rossi.value(QStringLiteral("DC001008")), right16(QStringLiteral("100000000001")));

    // Written back: the number of certificates, and the annotations of the
    // one certificate whose text no longer has them; nothing else changed.
    Dataset agentRow;
    flow.store().open(agentRow, QStringLiteral("TCUS_DATISOST"));
    QCOMPARE(agentRow.recordCount(), 1);
    agentRow.first();
    QCOMPARE(agentRow.asInteger(u"ISOSNDIP"), 3);
    QCOMPARE(agentRow.asDate(u"DSOSDTIMPEGNO"), sample::CommitmentDate);
    QCOMPARE(flow.annotationRows(flow.personOf(sample::bianchi().fiscalCode)), QStringList());
    QCOMPARE(flow.annotationRows(flow.personOf(sample::dellAcqua().fiscalCode)),
             QStringList{QStringLiteral("AA,AB")});
    QCOMPARE(flow.dumpTable(QStringLiteral("TCUD_DATICUD")), certificatesBefore);
    QCOMPARE(flow.dumpTable(QStringLiteral("TCUDI_INPS")), inpsBefore);

    // A second production reads what the first wrote back and gives the same file.
    const Produced again = produce(flow);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(again.bytes, produced.bytes);
}

// The file holds no date or time of its production (the one date, the
// commitment's, comes from the agent's row), so the two files are compared
// whole, byte for byte.
void TestStoreProduction::enginesWriteTheSameFile()
{
    QByteArray files[2];
    for (int i = 0; i < 2; ++i) {
        StoreFlow flow(TestDatabases::engines()[i]);
        CU_REQUIRE_DATABASE(flow.database());
        installSampleSupply(flow);
        files[i] = produce(flow).bytes;
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!files[i].isEmpty());
    }
    const QStringList sqlite = linesOf(files[0]);
    const QStringList postgres = linesOf(files[1]);
    QCOMPARE(postgres.size(), sqlite.size());
    for (int i = 0; i < sqlite.size(); ++i)
        QCOMPARE(postgres[i], sqlite[i]);
    QCOMPARE(files[1], files[0]);
}

namespace {

QString fiscalCodeOf(const char* first15)
{
    const QString first = QString::fromLatin1(first15);
    return first + personalCodeCheckCharacter(first);
}

const QString Annulled = fiscalCodeOf("VRDGPP70A01H501");
const QString Replaced = fiscalCodeOf("CNTLRA85M41F205");
const QString Spouse = fiscalCodeOf("RSSMRA82C45H501");
const QString Child = fiscalCodeOf("RSSGLI15T10H501");

// Beside the sample supply: an annulled and a replaced certificate, a
// family row and self-employment, public-sector INPS and INAIL rows.
void writeFurtherCertificates(StoreFlow& flow)
{
    flow.writeCertificate({Annulled,
                           QStringLiteral("VERDI"),
                           QStringLiteral("GIUSEPPE"),
                           QStringLiteral("M"),
                           QDate(1970, 1, 1),
                           {{QStringLiteral("LCUDANNULLAMENTO"), QStringLiteral("1")},
                            {QStringLiteral("SCUDIDENTSERVTELE"), QStringLiteral("24011512345678901")},
                            {QStringLiteral("SCUDPROGRDICH"), QStringLiteral("42")}}});
    flow.writeCertificate(
        {Replaced,
         QStringLiteral("CONTE"),
         QStringLiteral("LAURA"),
         QStringLiteral("F"),
         QDate(1985, 8, 1),
         {{QStringLiteral("LCUDSOSTITUZIONE"), QStringLiteral("1")},
          {QStringLiteral("LCUDCONFERMADICH"), QStringLiteral("1")},
          {QStringLiteral("SCUDIDENTSERVTELE"), QStringLiteral("24011598765432101")},
          {QStringLiteral("SCUDPROGRDICH"), QStringLiteral("7")},
          {QStringLiteral("DCUDDATIANADATA"), QDate(2025, 3, 10)},
          {QStringLiteral("SCUDCOMDFAP"), QStringLiteral("Forlì")},
          {QStringLiteral("SCUDPROVDFAP"), QStringLiteral("FC")},
          {QStringLiteral("fCudReddDetr"), QVariant::fromValue(Currency::fromUnits(15000))}}});
    flow.writeSectionRow(QStringLiteral("TCUDC_CONFAMCARICO"), sample::rossi().fiscalCode,
                         {{QStringLiteral("LCUDRELPARCON"), QStringLiteral("1")},
                          {QStringLiteral("SCUDCODFISCON"), Spouse},
                          {QStringLiteral("SCUDMESICARCON"), QStringLiteral("12")},
                          {QStringLiteral("LCUDRELPARPRIFIGL"), QStringLiteral("1")},
                          {QStringLiteral("SCUDCODFISPRIFIGL"), Child},
                          {QStringLiteral("SCUDMESICARPRIFIGL"), QStringLiteral("6")},
                          {QStringLiteral("SCUDDETRSPETTPRIFIGL"), QStringLiteral("50")}});
    flow.writeSectionRow(
        QStringLiteral("TCUDN_INPDAP"), sample::dellAcqua().fiscalCode,
        {{QStringLiteral("SCUDCODFISAMMNE"), sample::AgentCode},
         {QStringLiteral("SCUDGESASS_1"), QStringLiteral("1")},
         {QStringLiteral("ICUDANNORIF"), qint64(2024)},
         {QStringLiteral("FCUD_DMA_IMPPENS"), QVariant::fromValue(Currency::fromUnits(30000))},
         {QStringLiteral("LINPDAPGENNAIO"), QStringLiteral("X")},
         {QStringLiteral("LINPDAPFEBBRAIO"), QStringLiteral("X")}});
    flow.writeSectionRow(QStringLiteral("TCUIN_INAIL"), sample::dellAcqua().fiscalCode,
                         {{QStringLiteral("SQUACODICE"), QStringLiteral("B")},
                          {QStringLiteral("SINA7POSASSTERR"), QStringLiteral("12345678")},
                          {QStringLiteral("DINA7DTINIZIOINAIL"), QDate(2024, 1, 1)},
                          {QStringLiteral("DINA7DTFINEINAIL"), QDate(2024, 12, 31)},
                          {QStringLiteral("SINA7CODCOM"), QStringLiteral("H501")}});
    flow.writeSectionRow(
        QStringLiteral("TASE_AUTSOMMEEROGATE"), sample::bianchi().fiscalCode,
        {{QStringLiteral("SCAUCODICE"), QStringLiteral("M")},
         {QStringLiteral("FDSE7AMMLORDO"), QVariant::fromValue(Currency::fromUnits(1500))},
         {QStringLiteral("FDSE7CODICE"), QVariant::fromValue(Currency::fromUnits(22))},
         {QStringLiteral("FDSE7ALTRESOMME"), QVariant::fromValue(Currency::fromUnits(300))}});
}

// The line of a letter for a recipient.
QString lineOf(const QStringList& lines, QChar letter, const QString& fiscalCode)
{
    for (const QString& line : lines)
        if (line.at(0) == letter && line.mid(25, 16) == fiscalCode)
            return line;
    return QString();
}

// Positions 42-89 of a certificate line: certificate number, submission
// identifier, its progressive, user space, operation, filler, confirmation.
QString headTail(int certificate, const QString& identifier, const QString& progressive, QChar operation,
                 QChar confirmation)
{
    return QStringLiteral("%1").arg(certificate, 5, 10, QLatin1Char('0')) +
           identifier.rightJustified(17, u'0') + progressive.rightJustified(6, u'0') + QString(14, u' ') +
           operation + QString(4, u' ') + confirmation;
}

} // namespace

void TestStoreProduction::agencyFormatFromTheStore()
{
    QFETCH(QString, engine);
    StoreFlow flow(engine);
    CU_REQUIRE_DATABASE(flow.database());
    installSampleSupply(flow);
    writeFurtherCertificates(flow);
    flow.op().queueAnswer(Operator::Answer::Yes); // the replaced certificate lacks data the checks want
    const Produced produced = produce(flow);
    if (QTest::currentTestFailed())
        return;
    const FileLayouts layouts(flow.folders());
    const VerifyReport report = TelematicVerifier(layouts).verify(produced.path);
    QVERIFY2(report.ok(), qPrintable(report.defects.join(u'\n')));
    const QStringList lines = linesOf(produced.bytes);
    QString letters;
    for (const QString& line : lines)
        letters += line.at(0);
    // BIANCHI (D G H), CONTE (D G), DELL'ACQUA (D G), ROSSI (D G), VERDI (D).
    QCOMPARE(letters, QStringLiteral("ABCDGHDGDGDGDZ"));

    // Heads, positions 1-89.
    const QString ordinary = lineOf(lines, u'D', sample::bianchi().fiscalCode);
    QCOMPARE(ordinary.left(41), QStringLiteral("D") + sample::AgentCode.leftJustified(16) +
                                    QStringLiteral("00000001") + sample::bianchi().fiscalCode);
    QCOMPARE(ordinary.mid(41, 48), headTail(1, QString(), QString(), u' ', u'0'));
    QCOMPARE(lineOf(lines, u'G', sample::bianchi().fiscalCode).mid(41, 48),
             headTail(1, QString(), QString(), u' ', u'0'));
    QCOMPARE(lineOf(lines, u'H', sample::bianchi().fiscalCode).mid(17, 72),
             QStringLiteral("00000001") + sample::bianchi().fiscalCode +
                 headTail(1, QString(), QString(), u' ', u'0'));
    QCOMPARE(lineOf(lines, u'D', Annulled).mid(41, 48),
             headTail(5, QStringLiteral("24011512345678901"), QStringLiteral("42"), u'A', u'0'));
    QCOMPARE(lineOf(lines, u'D', Replaced).mid(41, 48),
             headTail(2, QStringLiteral("24011598765432101"), QStringLiteral("7"), u'S', u'1'));
    QCOMPARE(lineOf(lines, u'G', Replaced).mid(41, 48), headTail(2, QString(), QString(), u' ', u'1'));

    // The agent's data, the recipient's, the date and signature of one certificate.
    const CodedFields conte(layouts, lineOf(lines, u'D', Replaced));
    QCOMPARE(conte.value(QStringLiteral("DA001001")), left16(sample::AgentCode));
    QCOMPARE(conte.values(QStringLiteral("DA001002")),
             (QStringList{QStringLiteral("ISTITUTO COMPREN"), QStringLiteral("+SIVO D'ANNUNZIO")}));
    QCOMPARE(conte.value(QStringLiteral("DA001004")), left16(QStringLiteral("ROMA")));
    QCOMPARE(conte.value(QStringLiteral("DA001005")), left16(QStringLiteral("RM")));
    QCOMPARE(conte.value(QStringLiteral("DA002001")), left16(Replaced));
    QCOMPARE(conte.value(QStringLiteral("DA002002")), left16(QStringLiteral("CONTE")));
    QCOMPARE(conte.value(QStringLiteral("DA002003")), left16(QStringLiteral("LAURA")));
    QCOMPARE(conte.value(QStringLiteral("DA002004")), left16(QStringLiteral("F")));
    QCOMPARE(conte.value(QStringLiteral("DA002005")), right16(QStringLiteral("01081985")));
    QCOMPARE(conte.value(QStringLiteral("DA002006")), left16(QStringLiteral("ROMA")));
    QCOMPARE(conte.value(QStringLiteral("DA002007")), left16(QStringLiteral("RM")));
    QCOMPARE(conte.value(QStringLiteral("DA002020")), left16(QStringLiteral("FORLI'")));
    QCOMPARE(conte.value(QStringLiteral("DA002021")), left16(QStringLiteral("FC")));
    QCOMPARE(conte.value(QStringLiteral("DA003001")), right16(QStringLiteral("10032025")));
    QCOMPARE(conte.value(QStringLiteral("DA003002")), right16(QStringLiteral("1")));
    QVERIFY(!conte.contains(QStringLiteral("DA001003"))); // the agent is no natural person

    // A family row: the spouse and the first child.
    const CodedFields rossi(layouts, lineOf(lines, u'G', sample::rossi().fiscalCode));
    QCOMPARE(rossi.value(QStringLiteral("DB601001")), right16(QStringLiteral("1")));
    QCOMPARE(rossi.value(QStringLiteral("DB601004")), left16(Spouse));
    QCOMPARE(rossi.value(QStringLiteral("DB601005")), right16(QStringLiteral("12")));
    QCOMPARE(rossi.value(QStringLiteral("DB602001")), left16(QStringLiteral("F")));
    QCOMPARE(rossi.value(QStringLiteral("DB602004")), left16(Child));
    QCOMPARE(rossi.value(QStringLiteral("DB602005")), right16(QStringLiteral("06")));
    QCOMPARE(rossi.value(QStringLiteral("DB602A07")), right16(QStringLiteral("50")));

    // INPS (the sample's row), public-sector INPS and INAIL.
    QCOMPARE(rossi.value(QStringLiteral("DC001001")), right16(sample::InpsRegistration));
    QCOMPARE(rossi.value(QStringLiteral("DC001002")), right16(QStringLiteral("1")));
    QCOMPARE(rossi.value(QStringLiteral("DC001004")), right16(QStringLiteral("2000,50")));
    QCOMPARE(rossi.value(QStringLiteral("DC001008")), right16(QStringLiteral("100000000001")));
    const CodedFields dellAcqua(layouts, lineOf(lines, u'G', sample::dellAcqua().fiscalCode));
    QCOMPARE(dellAcqua.value(QStringLiteral("DC001009")), left16(sample::AgentCode));
    QCOMPARE(dellAcqua.value(QStringLiteral("DC001012")), right16(QStringLiteral("1")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DC001017")), right16(QStringLiteral("2024")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DC001018")), right16(QStringLiteral("30000,00")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DC001038")), right16(QStringLiteral("110000000000")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DC001091")), left16(QStringLiteral("B")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DC001092")), right16(QStringLiteral("00012345678")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DC001093")), right16(QStringLiteral("0101")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DC001094")), right16(QStringLiteral("3112")));
    QCOMPARE(dellAcqua.value(QStringLiteral("DC001095")), left16(QStringLiteral("H501")));

    // Self-employment: point 6 is a code, not an amount.
    const CodedFields bianchi(layouts, lineOf(lines, u'H', sample::bianchi().fiscalCode));
    QCOMPARE(bianchi.value(QStringLiteral("AU001001")), left16(QStringLiteral("M")));
    QCOMPARE(bianchi.value(QStringLiteral("AU001004")), right16(QStringLiteral("1500,00")));
    QCOMPARE(bianchi.value(QStringLiteral("AU001006")), right16(QStringLiteral("22")));
    QCOMPARE(bianchi.value(QStringLiteral("AU001007")), right16(QStringLiteral("300,00")));
}

QTEST_GUILESS_MAIN(TestStoreProduction)
#include "test_store_production.moc"
