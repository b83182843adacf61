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
#include "store/HlmDBCds.h"
#include "support/StoreFlowFixture.h"
#include "support/TelematicTestSupport.h"
#include "support/TestSupport.h"
#include "telematic/ProducerSetting.h"
#include "telematic/TelematicProduction.h"
#include "telematic/layouts/FileLayouts.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

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
    options.outputPath = flow.folders().dichCU() + u"CUR25"_s;
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

QStringList linesOfLetter(const QStringList& lines, QChar letter)
{
    return lines.filter(QRegularExpression(u"^"_s + letter));
}

// Where a positional field of a record lies, found by its column (or its
// number) in the layout.
struct Span
{
    int start = -1;
    int width = 0;
};

Span positionOf(const FileLayouts& layouts, QChar letter, const QString& columnOrNumber)
{
    for (const PositionedField& p : layouts.positional(letter))
        if (p.field.field.compare(columnOrNumber, Qt::CaseInsensitive) == 0 ||
            p.field.code() == columnOrNumber)
            return {p.start, p.field.width};
    return {};
}

// The coded fields of a line, after its positional fields.
test::CodedFields coded(const FileLayouts& layouts, const QString& line)
{
    const PositionedField& last = layouts.positional(line.at(0)).last();
    return test::CodedFields(line, last.start + last.field.width);
}

// Installs the store on the engine with the sample supply and the producer setting.
void installSampleSupply(StoreFlow& flow)
{
    flow.install();
    setProducerFiscalCode(flow.folders(), test::Producer);
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

QString fiscalCodeOf(const QString& first15)
{
    return first15 + personalCodeCheckCharacter(first15);
}

const QString Annulled = fiscalCodeOf(u"VRDGPP70A01H501"_s);
const QString Replaced = fiscalCodeOf(u"CNTLRA85M41F205"_s);
const QString Spouse = test::personalCode(1);
const QString Child = test::personalCode(2);

// Beside the sample supply: an annulled and a replaced certificate, a
// family row and self-employment, public-sector INPS and INAIL rows.
void writeFurtherCertificates(StoreFlow& flow)
{
    const auto money = [](int units) { return QVariant::fromValue(Currency::fromUnits(units)); };
    // clang-format off
    flow.writeCertificate({Annulled, u"VERDI"_s, u"GIUSEPPE"_s, u"M"_s, QDate(1970, 1, 1),
                           {{u"LCUDANNULLAMENTO"_s, u"1"_s}, {u"SCUDIDENTSERVTELE"_s, u"24011512345678901"_s}, {u"SCUDPROGRDICH"_s, u"42"_s}}});
    flow.writeCertificate({Replaced, u"CONTE"_s, u"LAURA"_s, u"F"_s, QDate(1985, 8, 1),
                           {{u"LCUDSOSTITUZIONE"_s, u"1"_s}, {u"LCUDCONFERMADICH"_s, u"1"_s}, {u"SCUDIDENTSERVTELE"_s, u"24011598765432101"_s},
                            {u"SCUDPROGRDICH"_s, u"7"_s}, {u"DCUDDATIANADATA"_s, QDate(2025, 3, 10)}, {u"SCUDCOMDFAP"_s, u"Forlì"_s},
                            {u"SCUDPROVDFAP"_s, u"FC"_s}, {u"fCudReddDetr"_s, money(15000)}}});
    flow.writeSectionRow(u"TCUDC_CONFAMCARICO"_s, sample::rossi().fiscalCode,
                         {{u"LCUDRELPARCON"_s, u"1"_s}, {u"SCUDCODFISCON"_s, Spouse}, {u"SCUDMESICARCON"_s, u"12"_s}, {u"LCUDRELPARPRIFIGL"_s, u"1"_s},
                          {u"SCUDCODFISPRIFIGL"_s, Child}, {u"SCUDMESICARPRIFIGL"_s, u"6"_s}, {u"SCUDDETRSPETTPRIFIGL"_s, u"50"_s}});
    flow.writeSectionRow(u"TCUDN_INPDAP"_s, sample::dellAcqua().fiscalCode,
                         {{u"SCUDCODFISAMMNE"_s, sample::AgentCode}, {u"SCUDGESASS_1"_s, u"1"_s}, {u"ICUDANNORIF"_s, qint64(2024)},
                          {u"FCUD_DMA_IMPPENS"_s, money(30000)}, {u"LINPDAPGENNAIO"_s, u"X"_s}, {u"LINPDAPFEBBRAIO"_s, u"X"_s}});
    flow.writeSectionRow(u"TCUIN_INAIL"_s, sample::dellAcqua().fiscalCode,
                         {{u"SQUACODICE"_s, u"B"_s}, {u"SINA7POSASSTERR"_s, u"12345678"_s}, {u"DINA7DTINIZIOINAIL"_s, QDate(2024, 1, 1)},
                          {u"DINA7DTFINEINAIL"_s, QDate(2024, 12, 31)}, {u"SINA7CODCOM"_s, u"H501"_s}});
    flow.writeSectionRow(u"TASE_AUTSOMMEEROGATE"_s, sample::bianchi().fiscalCode,
                         {{u"SCAUCODICE"_s, u"M"_s}, {u"FDSE7AMMLORDO"_s, money(1500)}, {u"FDSE7CODICE"_s, money(22)}, {u"FDSE7ALTRESOMME"_s, money(300)}});
    // clang-format on
}

// Positions 42-89 of a certificate line: certificate number, submission
// identifier, its progressive, user space, operation, filler, confirmation.
QString headTail(int certificate, const QString& identifier, const QString& progressive, QChar operation,
                 QChar confirmation)
{
    return u"%1"_s.arg(certificate, 5, 10, QLatin1Char('0')) + identifier.rightJustified(17, u'0') +
           progressive.rightJustified(6, u'0') + QString(14, u' ') + operation + QString(4, u' ') +
           confirmation;
}

} // namespace

class TestStoreProduction : public QObject
{
    Q_OBJECT

private slots:
    void fileFromTheStore_data() { TestDatabases::addEngineColumns(); }
    void fileFromTheStore()
    {
        QFETCH(QString, engine);
        StoreFlow flow(engine);
        CU_REQUIRE_DATABASE(flow.database());
        installSampleSupply(flow);
        const QStringList certificatesBefore = flow.dumpTable(u"TCUD_DATICUD"_s);
        const QStringList inpsBefore = flow.dumpTable(u"TCUDI_INPS"_s);

        const Produced produced = produce(flow);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(produced.result.files, QStringList{produced.path});
        QCOMPARE(produced.result.certificates, 3);
        QVERIFY2(flow.op().infos().isEmpty(), "the checks found nothing to ask about");
        QCOMPARE(flow.op().texts(Severity::Error), QStringList());

        const FileLayouts layouts(flow.folders());
        QCOMPARE(test::defectsOf(flow.folders(), produced.path), QString());
        const QStringList lines = test::fileLines(produced.path);
        QCOMPARE(test::lettersOf(lines), u"ABCDGDGDGZ"_s); // the lines of a certificate lie together
        // Counts of C, D, G and H lines in record Z; certificates in record B.
        QCOMPARE(lines.last().mid(24, 36), u"000000001000000003000000003000000000"_s);
        QCOMPARE(lines[1].mid(401, 8), u"00000003"_s);

        // Supplier in A, agent and the commitment date (a stored date) in B.
        const Span supplier = positionOf(layouts, u'A', u"SFORCODFIS"_s);
        QCOMPARE(lines[0].mid(supplier.start, supplier.width),
                 sample::SupplierCode.leftJustified(supplier.width));
        const Span agent = positionOf(layouts, u'B', u"SSOSCODFIS"_s);
        QCOMPARE(lines[1].mid(agent.start, agent.width), sample::AgentCode.leftJustified(agent.width));
        const Span commitment = positionOf(layouts, u'B', u"DSOSDTIMPEGNO"_s);
        QCOMPARE(lines[1].mid(commitment.start, commitment.width), u"28022025"_s);

        // C: the CT form, its e-mail address longer than a field in two pieces.
        const test::CodedFields ct = coded(layouts, lines[2]);
        QCOMPARE(ct.value(u"CT001001"_s), left16(sample::AgentCode));
        QCOMPARE(ct.value(u"CT001003"_s), left16(u"3331234567"_s));
        QCOMPARE(ct.values(u"CT001004"_s), (QStringList{u"SEGRETERIA@SCUOL"_s, left16(u"+A.EXAMPLE.IT"_s)}));

        // D: one per certificate in fiscal-code order, numbered 1 to 3.
        const QStringList d = linesOfLetter(lines, u'D');
        const QStringList g = linesOfLetter(lines, u'G');
        const Span recipient = positionOf(layouts, u'D', u"SCUDCODFIS"_s);
        const Span number = positionOf(layouts, u'D', u"5"_s);
        const QStringList names{u"LUCA"_s, u"ANNA MARIA"_s, u"NICOLO'"_s};
        for (int i = 0; i < 3; ++i) {
            const SampleCertificate& c = sample::certificates()[i];
            QCOMPARE(d[i].mid(recipient.start, recipient.width), c.fiscalCode);
            QCOMPARE(g[i].mid(recipient.start, recipient.width), c.fiscalCode);
            QCOMPARE(d[i].mid(number.start, number.width), u"%1"_s.arg(i + 1, 5, 10, QLatin1Char('0')));
            const test::CodedFields personal = coded(layouts, d[i]);
            QCOMPARE(personal.value(u"DA002001"_s), left16(c.fiscalCode));
            QCOMPARE(personal.value(u"DA002002"_s), left16(c.surname));
            QCOMPARE(personal.value(u"DA002003"_s), left16(names[i]));
            QCOMPARE(personal.value(u"DA002005"_s), right16(c.birth.toString(u"ddMMyyyy"_s)));
        }

        // G: the amounts rounded half away from zero to cents.
        const test::CodedFields bianchi = coded(layouts, g[0]);
        QCOMPARE(bianchi.value(u"DB001001"_s), right16(u"0,01"_s));
        QVERIFY(!bianchi.contains(u"DN001001"_s)); // its stored annotation is gone from the text

        const test::CodedFields dellAcqua = coded(layouts, g[1]);
        QCOMPARE(dellAcqua.value(u"DB001001"_s), right16(u"1234567,89"_s));
        QCOMPARE(dellAcqua.value(u"DB001021"_s), right16(u"0,01"_s));
        QCOMPARE(dellAcqua.value(u"DN001001"_s), left16(u"AA"_s));
        QCOMPARE(dellAcqua.value(u"DN001002"_s), left16(u"AB"_s));

        const test::CodedFields rossi = coded(layouts, g[2]);
        QCOMPARE(rossi.value(u"DB001001"_s), right16(u"100,00"_s));
        QCOMPARE(rossi.value(u"DB001021"_s), right16(u"21,44"_s));
        QCOMPARE(rossi.value(u"DC001001"_s), right16(sample::InpsRegistration));
        QCOMPARE(rossi.value(u"DC001004"_s), right16(u"2000,50"_s));
        QCOMPARE(rossi.value(u"DC001008"_s), right16(u"100000000001"_s));

        // Written back: the number of certificates, and the annotations of the
        // one certificate whose text no longer has them; nothing else changed.
        Dataset agentRow;
        flow.store().open(agentRow, u"TCUS_DATISOST"_s);
        QCOMPARE(agentRow.recordCount(), 1);
        agentRow.first();
        QCOMPARE(agentRow.asInteger(u"ISOSNDIP"), 3);
        QCOMPARE(agentRow.asDate(u"DSOSDTIMPEGNO"), sample::CommitmentDate);
        QCOMPARE(flow.annotationRows(flow.personOf(sample::bianchi().fiscalCode)), QStringList());
        QCOMPARE(flow.annotationRows(flow.personOf(sample::dellAcqua().fiscalCode)), QStringList{u"AA,AB"_s});
        QCOMPARE(flow.dumpTable(u"TCUD_DATICUD"_s), certificatesBefore);
        QCOMPARE(flow.dumpTable(u"TCUDI_INPS"_s), inpsBefore);

        // A second production reads what the first wrote back and gives the same file.
        const Produced again = produce(flow);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(again.bytes, produced.bytes);
    }
    // The file holds no date or time of its production (the one date, the
    // commitment's, comes from the agent's row), so the two files are compared
    // whole, byte for byte.
    void enginesWriteTheSameFile()
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
        // Line by line first, so that a difference is shown where it is.
        QCOMPARE(QString::fromLatin1(files[1]).split(u"\r\n"_s),
                 QString::fromLatin1(files[0]).split(u"\r\n"_s));
        QCOMPARE(files[1], files[0]);
    }
    void agencyFormatFromTheStore_data() { TestDatabases::addEngineColumns(); }
    void agencyFormatFromTheStore()
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
        QCOMPARE(test::defectsOf(flow.folders(), produced.path), QString());
        const QStringList lines = test::fileLines(produced.path);
        // BIANCHI (D G H), CONTE (D G), DELL'ACQUA (D G), ROSSI (D G), VERDI (D).
        QCOMPARE(test::lettersOf(lines), u"ABCDGHDGDGDGDZ"_s);
        const auto line = [&](QChar letter, const QString& fiscalCode) {
            for (const QString& l : lines)
                if (l.at(0) == letter && l.mid(25, 16) == fiscalCode)
                    return l;
            return QString();
        };
        const QString bianchi = sample::bianchi().fiscalCode, dellAcqua = sample::dellAcqua().fiscalCode,
                      rossi = sample::rossi().fiscalCode;

        // Positions (from 1) and coded fields: the heads of an ordinary, an
        // annulled and a replaced certificate; the agent's data, the
        // recipient's, the date and signature, a family row, INPS,
        // public-sector INPS, INAIL and self-employment (whose point 6 is a
        // code, not an amount).
        // clang-format off
        const struct { QChar letter; QString fiscalCode; const char* at; QString value; } expected[] = {
            {u'D', bianchi, "1", u"D"_s + sample::AgentCode.leftJustified(16) + u"00000001"_s + bianchi},
            {u'D', bianchi, "42", headTail(1, {}, {}, u' ', u'0')},
            {u'G', bianchi, "42", headTail(1, {}, {}, u' ', u'0')},
            {u'H', bianchi, "42", headTail(1, {}, {}, u' ', u'0')},
            {u'D', Annulled, "42", headTail(5, u"24011512345678901"_s, u"42"_s, u'A', u'0')},
            {u'D', Replaced, "42", headTail(2, u"24011598765432101"_s, u"7"_s, u'S', u'1')},
            {u'G', Replaced, "42", headTail(2, {}, {}, u' ', u'1')},
            {u'D', Replaced, "DA001001", left16(sample::AgentCode)},
            {u'D', Replaced, "DA001004", left16(u"ROMA"_s)},
            {u'D', Replaced, "DA001005", left16(u"RM"_s)},
            {u'D', Replaced, "DA002004", left16(u"F"_s)},
            {u'D', Replaced, "DA002006", left16(u"ROMA"_s)},
            {u'D', Replaced, "DA002007", left16(u"RM"_s)},
            {u'D', Replaced, "DA002020", left16(u"FORLI'"_s)},
            {u'D', Replaced, "DA002021", left16(u"FC"_s)},
            {u'D', Replaced, "DA003001", right16(u"10032025"_s)},
            {u'D', Replaced, "DA003002", right16(u"1"_s)},
            {u'D', Replaced, "DA001003", QString()}, // the agent is no natural person
            {u'G', rossi, "DB601001", right16(u"1"_s)},
            {u'G', rossi, "DB601004", left16(Spouse)},
            {u'G', rossi, "DB601005", right16(u"12"_s)},
            {u'G', rossi, "DB602001", left16(u"F"_s)},
            {u'G', rossi, "DB602004", left16(Child)},
            {u'G', rossi, "DB602005", right16(u"06"_s)},
            {u'G', rossi, "DB602A07", right16(u"50"_s)},
            {u'G', rossi, "DC001002", right16(u"1"_s)},
            {u'G', dellAcqua, "DC001009", left16(sample::AgentCode)},
            {u'G', dellAcqua, "DC001012", right16(u"1"_s)},
            {u'G', dellAcqua, "DC001017", right16(u"2024"_s)},
            {u'G', dellAcqua, "DC001018", right16(u"30000,00"_s)},
            {u'G', dellAcqua, "DC001038", right16(u"110000000000"_s)},
            {u'G', dellAcqua, "DC001091", left16(u"B"_s)},
            {u'G', dellAcqua, "DC001092", right16(u"00012345678"_s)},
            {u'G', dellAcqua, "DC001093", right16(u"0101"_s)},
            {u'G', dellAcqua, "DC001094", right16(u"3112"_s)},
            {u'G', dellAcqua, "DC001095", left16(u"H501"_s)},
            {u'H', bianchi, "AU001001", left16(u"M"_s)},
            {u'H', bianchi, "AU001004", right16(u"1500,00"_s)},
            {u'H', bianchi, "AU001006", right16(u"22"_s)},
            {u'H', bianchi, "AU001007", right16(u"300,00"_s)},
        };
        // clang-format on
        for (const auto& e : expected) {
            const QString l = line(e.letter, e.fiscalCode), at = QString::fromLatin1(e.at);
            const QString found =
                at.front().isDigit() ? l.mid(at.toInt() - 1, e.value.size()) : coded(layouts, l).value(at);
            QCOMPARE(at + u'=' + found, at + u'=' + e.value);
        }
        QCOMPARE(coded(layouts, line(u'D', Replaced)).values(u"DA001002"_s),
                 (QStringList{u"ISTITUTO COMPREN"_s, u"+SIVO D'ANNUNZIO"_s}));
    }
};

QTEST_GUILESS_MAIN(TestStoreProduction)
#include "test_store_production.moc"
