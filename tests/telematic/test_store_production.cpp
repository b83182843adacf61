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
#include "support/TelematicTestSupport.h"
#include "support/TestSupport.h"
#include "telematic/TelematicProduction.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/layouts/FileLayouts.h"

#include <QFile>
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

// The coded fields of a line, after its positional fields.
test::CodedFields coded(const FileLayouts& layouts, const QString& line)
{
    const PositionedField& last = layouts.positional(line.at(0)).last();
    return test::CodedFields(line, last.start + last.field.width);
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
    void fileFromTheStore()
    {
        QFETCH(QString, engine);
        StoreFlow flow(engine);
        CU_REQUIRE_DATABASE(flow.database());
        flow.install();
        flow.writeSampleSupply();
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
        const VerifyReport report = TelematicVerifier(layouts).verify(produced.path);
        QVERIFY2(report.ok(), qPrintable(report.defects.join(u'\n')));
        QCOMPARE(report.lines, 10);
        const QStringList lines = test::fileLines(produced.path);
        QCOMPARE(lines.size(), 10);
        QString letters;
        for (const QString& line : lines)
            letters += line.at(0);
        QCOMPARE(letters, u"ABCDGDGDGZ"_s); // the lines of a certificate lie together
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
        QCOMPARE(ct.values(u"CT001004"_s), (QStringList{u"segreteria@scuol"_s, left16(u"+a.example.it"_s)}));

        // D: one per certificate in fiscal-code order, numbered 1 to 3.
        const QStringList d = linesOfLetter(lines, u'D');
        const QStringList g = linesOfLetter(lines, u'G');
        const Span recipient = positionOf(layouts, u'D', u"SCUDCODFIS"_s);
        const Span number = positionOfNumber(layouts, u'D', u"5"_s);
        for (int i = 0; i < 3; ++i) {
            const SampleCertificate& c = sample::certificates()[i];
            QCOMPARE(d[i].mid(recipient.start, recipient.width), c.fiscalCode);
            QCOMPARE(g[i].mid(recipient.start, recipient.width), c.fiscalCode);
            QCOMPARE(d[i].mid(number.start, number.width), u"%1"_s.arg(i + 1, 6, 10, QLatin1Char('0')));
            const test::CodedFields personal = coded(layouts, d[i]);
            QCOMPARE(personal.value(u"DA001001"_s), left16(c.fiscalCode));
            QCOMPARE(personal.value(u"DA001002"_s), left16(c.surname));
            QCOMPARE(personal.value(u"DA001003"_s), left16(c.name));
            QCOMPARE(personal.value(u"DA001005"_s), right16(c.birth.toString(u"ddMMyyyy"_s)));
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
        QCOMPARE(rossi.value(u"DC001001"_s), left16(sample::InpsRegistration));
        QCOMPARE(rossi.value(u"DC001004"_s), right16(u"2000,50"_s));
        QCOMPARE(rossi.value(u"DC001008"_s), left16(u"100000000001"_s));

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
            flow.install();
            flow.writeSampleSupply();
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
};

QTEST_GUILESS_MAIN(TestStoreProduction)
#include "test_store_production.moc"
