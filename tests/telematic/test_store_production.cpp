// The telematic file produced from certificates kept in the field-value
// store, on SQLite and on PostgreSQL: the supply written through the
// certificate store comes out in the file with its fiscal codes, names,
// dates and amounts as the layouts write them (amounts rounded to cents with
// a comma, right-aligned in 16), the production writes back to the store only
// the number of certificates and the annotation rows that changed, and both
// engines give the same bytes.
#include "certificates/CertificateStore.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "store/HlmDBCds.h"
#include "support/StoreFlowFixture.h"
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
};

void TestStoreProduction::fileFromTheStore()
{
    QFETCH(QString, engine);
    StoreFlow flow(engine);
    CU_REQUIRE_DATABASE(flow.database());
    flow.install();
    flow.writeSampleSupply();
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
             (QStringList{QStringLiteral("segreteria@scuol"), left16(QStringLiteral("+a.example.it"))}));

    // D: one per certificate in fiscal-code order, numbered 1 to 3.
    const QStringList d = linesOfLetter(lines, u'D');
    const QStringList g = linesOfLetter(lines, u'G');
    const Span recipient = positionOf(layouts, u'D', QStringLiteral("SCUDCODFIS"));
    const Span number = positionOfNumber(layouts, u'D', QStringLiteral("5"));
    for (int i = 0; i < 3; ++i) {
        const SampleCertificate& c = sample::certificates()[i];
        QCOMPARE(d[i].mid(recipient.start, recipient.width), c.fiscalCode);
        QCOMPARE(g[i].mid(recipient.start, recipient.width), c.fiscalCode);
        QCOMPARE(d[i].mid(number.start, number.width),
                 QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0')));
        const CodedFields personal(layouts, d[i]);
        QCOMPARE(personal.value(QStringLiteral("DA001001")), left16(c.fiscalCode));
        QCOMPARE(personal.value(QStringLiteral("DA001002")), left16(c.surname));
        QCOMPARE(personal.value(QStringLiteral("DA001003")), left16(c.name));
        QCOMPARE(personal.value(QStringLiteral("DA001005")),
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
    QCOMPARE(rossi.value(QStringLiteral("DC001001")), left16(sample::InpsRegistration));
    QCOMPARE(rossi.value(QStringLiteral("DC001004")), right16(QStringLiteral("2000,50")));
    QCOMPARE(rossi.value(QStringLiteral("DC001008")), left16(QStringLiteral("100000000001")));

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
        flow.install();
        flow.writeSampleSupply();
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

QTEST_GUILESS_MAIN(TestStoreProduction)
#include "test_store_production.moc"
