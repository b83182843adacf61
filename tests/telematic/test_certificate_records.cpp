// Records D, G, H and C from certificates built directly into datasets,
// with the shipped layouts.
#include "foundation/operator/ScriptedOperator.h"
#include "foundation/text/Currency.h"
#include "support/TelematicTestSupport.h"
#include "telematic/WorkingLists.h"
#include "telematic/layouts/RecordLayout.h"
#include "telematic/records/CertificateRecords.h"
#include "telematic/records/CertificateSelection.h"
#include "telematic/records/RecordPacker.h"

#include <QFile>
#include <QTest>

using namespace cu;

namespace {

QVariant amount(const char* text)
{
    return QVariant::fromValue(Currency::parse(QString::fromLatin1(text)).value());
}

// The coded fields of a line: code -> value (trimmed).
QMap<QString, QString> codedFields(const QString& line)
{
    QMap<QString, QString> fields;
    for (int at = 89; at + 24 <= 1897; at += 24) {
        const QString code = line.mid(at, 8);
        if (code.trimmed().isEmpty())
            break;
        if (!fields.contains(code)) // a continuation piece keeps the first one
            fields.insert(code, line.mid(at + 8, 16).trimmed());
    }
    return fields;
}

} // namespace

class TestCertificateRecords : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void annulmentOnlyWritesDWithoutG();
    void bothFlagsWriteReplacement();
    void rowsOfSectionsMakeModules();
    void furtherChildrenAreNumberedFrom603();
    void selfEmploymentRowsMakeHModules();
    void annotationCodesFillRowsOf54();
    void annotationsWithoutNotesTableAreReported();
    void chosenCertificatesKeepTheirPositions();
    void certificateWithoutDataIsSkipped();
    void ctFormWritesRecordC();
    void unknownSectionDatasetStopsTheRecord();

private:
    QVector<FileLine> run(const QVector<int>& positions, bool withC = false);
    QVector<FileLine> linesOf(const QVector<FileLine>& lines, const QString& letter);

    std::unique_ptr<test::TelematicInstallation> m_installation;
    std::unique_ptr<TelematicData> m_data;
    ScriptedOperator m_op;
    QVector<QVector<QStringList>> m_storedAnnotations;
    RecordGCounts m_gCounts;
    int m_hCount = 0;
    int m_dCount = 0;
};

void TestCertificateRecords::init()
{
    m_installation = std::make_unique<test::TelematicInstallation>();
    m_data = std::make_unique<TelematicData>();
    test::defineTables(*m_data);
    test::fillAgentAndSupplier(*m_data);
    m_op.clear();
    m_storedAnnotations.clear();
}

QVector<FileLine> TestCertificateRecords::run(const QVector<int>& positions, bool withC)
{
    FieldList fields;
    RecordList records;
    CertificateSelection selection(
        *m_data, m_installation->folders(), &m_op,
        [this](qint64, int, const QVector<QStringList>& rows) { m_storedAnnotations.append(rows); });
    selection.prepare();
    RecordWriterContext context{*m_data,
                                selection,
                                fields,
                                m_installation->folders(),
                                [](const QString&) {},
                                [] { return QStringLiteral("9999999999"); }};
    if (withC)
        writeRecordsC(context);
    m_dCount = writeRecordsD(context, positions);
    m_gCounts = writeRecordsG(context, positions);
    m_hCount = writeRecordsH(context, positions);
    RecordPacker packer(fields, records);
    for (const char* letter : {"C", "D", "G", "H"})
        packer.packRecords(QString::fromLatin1(letter), 11);
    const QVector<FileLine> lines = records.orderedLines();
    for (const FileLine& line : lines)
        if (line.record.size() != 1898)
            qWarning() << "line of" << line.record.size() << "characters";
    return lines;
}

QVector<FileLine> TestCertificateRecords::linesOf(const QVector<FileLine>& lines, const QString& letter)
{
    QVector<FileLine> selected;
    for (const FileLine& line : lines)
        if (line.letter == letter)
            selected.append(line);
    return selected;
}

void TestCertificateRecords::annulmentOnlyWritesDWithoutG()
{
    test::appendCertificate(*m_data, 1,
                            {{QStringLiteral("LCUDANNULLAMENTO"), QStringLiteral("1")},
                             {QStringLiteral("SCUDIDENTSERVTELE"), QStringLiteral("24011512345678901")},
                             {QStringLiteral("SCUDPROGRDICH"), QStringLiteral("42")}});
    const QVector<FileLine> lines = run({0});
    QCOMPARE(linesOf(lines, QStringLiteral("D")).size(), 1);
    QCOMPARE(linesOf(lines, QStringLiteral("G")).size(), 0);
    QCOMPARE(m_gCounts.skipped, 1);
    const QString d = linesOf(lines, QStringLiteral("D"))[0].record;
    QCOMPARE(d.mid(25, 16), test::personalCode(1));
    QCOMPARE(d.mid(41, 6), QStringLiteral("000001"));
    QCOMPARE(d.mid(47, 17), QStringLiteral("24011512345678901"));
    QCOMPARE(d.mid(64, 6), QStringLiteral("000042"));
    QCOMPARE(d.mid(71, 1), QStringLiteral("A"));
    QCOMPARE(d.mid(73, 16), QStringLiteral("01234567897     "));
    QCOMPARE(codedFields(d).value(QStringLiteral("DA001002")), QStringLiteral("COGNOME1"));
}

void TestCertificateRecords::bothFlagsWriteReplacement()
{
    test::appendCertificate(*m_data, 1,
                            {{QStringLiteral("LCUDANNULLAMENTO"), QStringLiteral("1")},
                             {QStringLiteral("LCUDSOSTITUZIONE"), QStringLiteral("1")}});
    const QVector<FileLine> lines = run({0});
    QCOMPARE(linesOf(lines, QStringLiteral("D"))[0].record.mid(71, 1), QStringLiteral("S"));
}

void TestCertificateRecords::rowsOfSectionsMakeModules()
{
    test::appendCertificate(*m_data, 1, {{QStringLiteral("fCudReddDetr"), amount("25000.50")}});
    for (int i = 1; i <= 3; ++i)
        test::appendRow(m_data->get(u"cdsInpdap"),
                        {{QStringLiteral("iAfiID"), qint64(1)},
                         {QStringLiteral("SCUDCODFISAMMNE"), QStringLiteral("80012345676")},
                         {QStringLiteral("ICUDANNORIF"), qint64(2020 + i)},
                         {QStringLiteral("SCUDGESASS_2"), QStringLiteral("ABCD")},
                         {QStringLiteral("LINPDAPGENNAIO"), QStringLiteral("X")},
                         {QStringLiteral("LINPDAPDICEMBRE"), QStringLiteral("X")}});
    test::appendRow(m_data->get(u"cdsInps"), {{QStringLiteral("iAfiID"), qint64(1)},
                                              {QStringLiteral("FCUDIMPONIBILE"), amount("1000")}});
    const QVector<FileLine> g = linesOf(run({0}), QStringLiteral("G"));
    QCOMPARE(g.size(), 3);
    QCOMPARE(m_gCounts.written, 1);
    const QMap<QString, QString> first = codedFields(g[0].record);
    QCOMPARE(first.value(QStringLiteral("DB001001")), QStringLiteral("25000,50"));
    QCOMPARE(first.value(QStringLiteral("DC001001")), QStringLiteral("9999999999"));
    QCOMPARE(first.value(QStringLiteral("DC001004")), QStringLiteral("1000,00"));
    QCOMPARE(first.value(QStringLiteral("DC001013")), QStringLiteral("A"));
    QCOMPARE(first.value(QStringLiteral("DC001087")), QStringLiteral("D"));
    QCOMPARE(first.value(QStringLiteral("DC001038")), QStringLiteral("100000000001"));
    QCOMPARE(first.value(QStringLiteral("DC001017")), QStringLiteral("2021"));
    for (int module = 2; module <= 3; ++module) {
        const QMap<QString, QString> later = codedFields(g[module - 1].record);
        QCOMPARE(g[module - 1].record.mid(17, 8), QStringLiteral("0000000%1").arg(module));
        QCOMPARE(later.value(QStringLiteral("DC001017")), QString::number(2020 + module));
        QVERIFY(!later.contains(QStringLiteral("DB001001")));
        QVERIFY(!later.contains(QStringLiteral("DC001004")));
        QVERIFY(!later.contains(QStringLiteral("DC001001")));
    }
}

void TestCertificateRecords::furtherChildrenAreNumberedFrom603()
{
    test::appendCertificate(*m_data, 1);
    for (int child = 1; child <= 2; ++child)
        test::appendRow(m_data->conFamCar(),
                        {{QStringLiteral("iAfiID"), qint64(1)},
                         {QStringLiteral("LCUDRELPARFIGL"), QStringLiteral("1")},
                         {QStringLiteral("SCUDCODFISFIGL"), test::personalCode(100 + child)},
                         {QStringLiteral("SCUDDETRSPETTPRIFIGL"), QStringLiteral("C")},
                         {QStringLiteral("LCUDRELPARPRIFIGLDIS"), QStringLiteral("1")}});
    const QVector<FileLine> g = linesOf(run({0}), QStringLiteral("G"));
    QCOMPARE(g.size(), 1);
    const QMap<QString, QString> fields = codedFields(g[0].record);
    QCOMPARE(fields.value(QStringLiteral("DB603001")), QStringLiteral("F"));
    QCOMPARE(fields.value(QStringLiteral("DB604001")), QStringLiteral("F"));
    QCOMPARE(fields.value(QStringLiteral("DB603002")), test::personalCode(101));
    QCOMPARE(fields.value(QStringLiteral("DB604002")), test::personalCode(102));
    QCOMPARE(fields.value(QStringLiteral("DB602001")), QStringLiteral("D"));
    QCOMPARE(fields.value(QStringLiteral("DB602B07")), QStringLiteral("C"));
    QVERIFY(!fields.contains(QStringLiteral("DB602A07")));
    QVERIFY(!fields.contains(QStringLiteral("DBXXX001")));
}

void TestCertificateRecords::selfEmploymentRowsMakeHModules()
{
    test::appendCertificate(*m_data, 1);
    test::appendCertificate(*m_data, 2);
    for (const char* gross : {"1500.00", "800.40"})
        test::appendRow(m_data->autSe(), {{QStringLiteral("iAfiID"), qint64(2)},
                                          {QStringLiteral("SCAUCODICE"), QStringLiteral("A")},
                                          {QStringLiteral("FDSE7AMMLORDO"), amount(gross)}});
    const QVector<FileLine> h = linesOf(run({0, 1}), QStringLiteral("H"));
    QCOMPARE(m_hCount, 1);
    QCOMPARE(h.size(), 2);
    QCOMPARE(h[0].record.mid(17, 8), QStringLiteral("00000001"));
    QCOMPARE(h[1].record.mid(17, 8), QStringLiteral("00000002"));
    QCOMPARE(h[0].record.mid(41, 6), QStringLiteral("000002"));
    QCOMPARE(codedFields(h[0].record).value(QStringLiteral("AU001004")), QStringLiteral("1500,00"));
    QCOMPARE(codedFields(h[1].record).value(QStringLiteral("AU001004")), QStringLiteral("800,40"));
}

void TestCertificateRecords::annotationCodesFillRowsOf54()
{
    QStringList codes;
    QStringList text;
    for (int i = 0; i < 60; ++i) {
        codes.append(QStringLiteral("N%1").arg(i, 2, 10, QLatin1Char('0')));
        text.append(codes.last() + QStringLiteral(") annotazione"));
    }
    text.append(QStringLiteral("BO)"));
    text.append(QStringLiteral("ZZ) codice sconosciuto"));
    m_installation = std::make_unique<test::TelematicInstallation>(codes + QStringList{QStringLiteral("BO")});
    test::appendCertificate(*m_data, 1,
                            {{QStringLiteral("SCUDANNOTAZIONI"), text.join(QStringLiteral("\r\n"))}});
    const QVector<FileLine> g = linesOf(run({0}), QStringLiteral("G"));
    QCOMPARE(m_storedAnnotations.size(), 1);
    QCOMPARE(m_storedAnnotations[0].size(), 2);
    QCOMPARE(m_storedAnnotations[0][0].size(), 54);
    QCOMPARE(m_storedAnnotations[0][1], codes.mid(54));
    QCOMPARE(g.size(), 2);
    QCOMPARE(codedFields(g[0].record).value(QStringLiteral("DN001054")), QStringLiteral("N53"));
    QCOMPARE(codedFields(g[1].record).value(QStringLiteral("DN001006")), QStringLiteral("N59"));
    QVERIFY(!codedFields(g[1].record).contains(QStringLiteral("DN001007")));
}

void TestCertificateRecords::annotationsWithoutNotesTableAreReported()
{
    QFile::remove(m_installation->folders().tabelle() + QStringLiteral("TNOT_NOTE.cds"));
    test::appendCertificate(*m_data, 1,
                            {{QStringLiteral("SCUDANNOTAZIONI"), QStringLiteral("AA) testo")},
                             {QStringLiteral("fCudReddDetr"), amount("10")}});
    const QVector<FileLine> lines = run({0});
    QVERIFY(
        m_op.texts(Severity::Error)
            .contains(QStringLiteral("Controllare le annotazioni nel Modello CU: ") + test::personalCode(1)));
    QCOMPARE(linesOf(lines, QStringLiteral("D")).size(), 1);
    QCOMPARE(linesOf(lines, QStringLiteral("G")).size(), 1);
}

void TestCertificateRecords::chosenCertificatesKeepTheirPositions()
{
    for (int i = 1; i <= 10; ++i)
        test::appendCertificate(*m_data, i, {{QStringLiteral("fCudReddDetr"), amount("100")}});
    const QVector<FileLine> d = linesOf(run({1, 4, 8}), QStringLiteral("D"));
    QCOMPARE(d.size(), 3);
    QCOMPARE(d[0].record.mid(41, 6), QStringLiteral("000002"));
    QCOMPARE(d[1].record.mid(41, 6), QStringLiteral("000005"));
    QCOMPARE(d[2].record.mid(41, 6), QStringLiteral("000009"));
    QCOMPARE(d[2].certificate.value(), 9);
}

void TestCertificateRecords::certificateWithoutDataIsSkipped()
{
    test::appendCertificate(*m_data, 1,
                            {{QStringLiteral("LCUDCONGUAGLIO"), QStringLiteral("X")},
                             {QStringLiteral("FCUDREDDPENS"), amount("0")}});
    const QVector<FileLine> lines = run({0});
    QVERIFY(lines.isEmpty());
    QCOMPARE(m_dCount, 0);
    QCOMPARE(m_gCounts.skipped, 1);
}

void TestCertificateRecords::ctFormWritesRecordC()
{
    test::appendRow(m_data->quadroCT(),
                    {{QStringLiteral("SCTCODFIS"), QStringLiteral("80012345676")},
                     {QStringLiteral("SCTEMAIL"), QStringLiteral("segreteria@scuola.example.it")}});
    const QVector<FileLine> c = linesOf(run({}, true), QStringLiteral("C"));
    QCOMPARE(c.size(), 1);
    QCOMPARE(c[0].certificate.value(), 0);
    QCOMPARE(c[0].record.mid(1, 16), QStringLiteral("80012345676     "));
    QCOMPARE(c[0].record.mid(17, 8), QStringLiteral("00000001"));
    const QMap<QString, QString> fields = codedFields(c[0].record);
    QCOMPARE(fields.value(QStringLiteral("CT001004")), QStringLiteral("segreteria@scuol"));
    QVERIFY(c[0].record.contains(QStringLiteral("CT001004+a.example.it")));
}

void TestCertificateRecords::unknownSectionDatasetStopsTheRecord()
{
    const QString path = m_installation->layoutPath(QStringLiteral("Record_G.xml"));
    RecordLayout layout = RecordLayout::load(path, LayoutBinding::G);
    for (LayoutSection& section : layout.sections())
        if (section.repeat == u"YES")
            section.cds = QStringLiteral("cdsNessuno");
    layout.save(path);
    test::appendCertificate(*m_data, 1, {{QStringLiteral("fCudReddDetr"), amount("10")}});
    try {
        run({0});
        QFAIL("no assertion");
    } catch (const EAssertion& e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Sezione non trovata cdsNessuno")),
                 qPrintable(e.message()));
    }
}

QTEST_GUILESS_MAIN(TestCertificateRecords)
#include "test_certificate_records.moc"
