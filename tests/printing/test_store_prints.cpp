// The prints of certificates kept in the field-value store, on SQLite and on
// PostgreSQL, read back from their PDF: one certificate on the synthetic and
// on the ordinary model and the signature sheet show the stored fiscal codes,
// names and amounts ("#,##0.00", rounded half away from zero); the printed
// mark is the only change the print leaves in the certificate rows; the
// ordinary model's annotation rows are rebuilt for the printed certificate
// only; stored letters print as themselves and a character the font cannot
// draw is refused; and both engines give the same words at the same places.
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "printing/CertificatePrint.h"
#include "printing/EliStampePDF.h"
#include "printing/PrintTables.h"
#include "store/HlmDBCds.h"
#include "support/PrintingFixture.h"
#include "support/StoreFlowFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using namespace cu::test;

namespace {

// The list of the print window: every certificate of the year, by surname.
void openList(PrintTables& tables, Dataset& list)
{
    tables.open(list, u"TCUD_DATICUD"_s);
    list.setIndexFieldNames(u"SCUDCOGNOME;SCUDNOME;SCUDMESE"_s);
}

int rowOf(Dataset& list, const QString& fiscalCode)
{
    for (int i = 0; i < list.recordCount(); ++i) {
        list.setRecNo(i);
        if (list.asString(u"SCUDCODFIS") == fiscalCode)
            return i;
    }
    return -1;
}

// Prints the certificate of one fiscal code, as the print window does with
// that row selected.
QVector<PdfPageText> printCertificate(StoreFlow& flow, const QString& fiscalCode, bool ordinary)
{
    StorePrintTables tables(flow.store(), 2024);
    Dataset list;
    openList(tables, list);
    CertificatePrintOptions options;
    options.ordinary = ordinary;
    options.all = false;
    options.selectedRows = {rowOf(list, fiscalCode)};
    options.outputName = ordinary ? u"ordinario"_s : u"sintetico"_s;
    CertificatePrint print(flow.folders(), tables, flow.op(), 2024);
    try {
        return readPdf(print.print(list, options));
    } catch (const Error& e) {
        QTest::qFail(qPrintable(e.message()), __FILE__, __LINE__);
        return {};
    }
}

QVector<PdfPageText> printSignatures(StoreFlow& flow)
{
    StorePrintTables tables(flow.store(), 2024);
    Dataset list;
    tables.open(list, u"TCUD_DATICUD"_s);
    list.setIndexFieldNames(u"SCUDCOGNOME;SCUDNOME"_s);
    QStringList taxCodes;
    for (list.first(); !list.eof(); list.next())
        taxCodes.append(list.asString(u"SCUDCODFIS"));
    EliStampePDF module(flow.folders(), tables, 2024);
    try {
        return readPdf(module.PrintSignatureSheet(taxCodes));
    } catch (const Error& e) {
        QTest::qFail(qPrintable(e.message()), __FILE__, __LINE__);
        return {};
    }
}

QStringList allWords(const QVector<PdfPageText>& pages)
{
    QStringList words;
    for (const PdfPageText& page : pages)
        for (const PdfWord& w : page.words)
            words.append(w.text);
    return words;
}

// Every word with its page and place (to a hundredth of a millimetre).
QStringList placedWords(const QVector<PdfPageText>& pages)
{
    QStringList words;
    for (int p = 0; p < pages.size(); ++p)
        for (const PdfWord& w : pages[p].words)
            words.append(u"%1 %2 %3 %4"_s.arg(p).arg(w.left, 0, 'f', 2).arg(w.top, 0, 'f', 2).arg(w.text));
    return words;
}

QMap<QString, qint64> printedStates(StoreFlow& flow)
{
    Dataset certificates;
    flow.store().open(certificates, u"TCUD_DATICUD"_s);
    QMap<QString, qint64> states;
    for (certificates.first(); !certificates.eof(); certificates.next())
        states.insert(certificates.asString(u"SCUDCODFIS"), certificates.asInteger(u"ICUDSTATO"));
    return states;
}

std::unique_ptr<StoreFlow> sampleFlow(const QString& engine)
{
    auto flow = std::make_unique<StoreFlow>(engine);
    if (flow->database().available()) {
        flow->install();
        flow->writeSampleSupply();
    }
    return flow;
}

} // namespace

class TestStorePrints : public QObject
{
    Q_OBJECT

private slots:
    void syntheticCertificate_data() { TestDatabases::addEngineColumns(); }
    void syntheticCertificate()
    {
        QFETCH(QString, engine);
        const auto flow = sampleFlow(engine);
        CU_REQUIRE_DATABASE(flow->database());
        const QStringList before = flow->dumpTable(u"TCUD_DATICUD"_s, {u"ICUDSTATO"_s});

        const SampleCertificate& c = sample::dellAcqua();
        const QVector<PdfPageText> pages = printCertificate(*flow, c.fiscalCode, false);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(pages.size() >= 3);
        // The recipient and the agent block on the first page, the amounts further on.
        QCOMPARE(
            missingWords({pages[0]}, {c.fiscalCode, u"DELL'ACQUA"_s, u"ANNA"_s, u"D'ANNUNZIO"_s, u"1975"_s}),
            QStringList());
        QCOMPARE(missingWords(pages, {u"1.234.567,89"_s, u"0,01"_s}), QStringList());
        const QStringList words = allWords(pages);
        for (const SampleCertificate& other : {sample::bianchi(), sample::rossi()})
            QVERIFY(!words.contains(other.fiscalCode));
        QVERIFY(!words.contains(u"BIANCHI"_s));

        // The mark is written for the printed certificate only, and every other
        // stored value stays as it was.
        QCOMPARE(printedStates(*flow),
                 (QMap<QString, qint64>{
                     {c.fiscalCode, 1}, {sample::bianchi().fiscalCode, 0}, {sample::rossi().fiscalCode, 0}}));
        QCOMPARE(flow->dumpTable(u"TCUD_DATICUD"_s, {u"ICUDSTATO"_s}), before);
    }
    void ordinaryCertificate_data() { TestDatabases::addEngineColumns(); }
    void ordinaryCertificate()
    {
        QFETCH(QString, engine);
        const auto flow = sampleFlow(engine);
        CU_REQUIRE_DATABASE(flow->database());
        const SampleCertificate& c = sample::rossi();
        const QVector<PdfPageText> pages = printCertificate(*flow, c.fiscalCode, true);
        if (QTest::currentTestFailed())
            return;
        // 99.995 and 21.4449 rounded half away from zero.
        QCOMPARE(missingWords(pages, {c.fiscalCode, u"ROSSI"_s, u"NICOLÒ"_s, u"100,00"_s, u"21,44"_s,
                                      u"2.000,50"_s, sample::InpsRegistration}),
                 QStringList());
        QVERIFY(!allWords(pages).contains(u"1.234.567,89"_s));
        QCOMPARE(printedStates(*flow).value(c.fiscalCode), 1);

        // The printed certificate has no annotation text: it keeps no rows; the
        // rows of the others are left as they were.
        QCOMPARE(flow->annotationRows(flow->personOf(c.fiscalCode)), QStringList());
        QCOMPARE(flow->annotationRows(flow->personOf(sample::bianchi().fiscalCode)), QStringList{u"AC"_s});
        QCOMPARE(flow->annotationRows(flow->personOf(sample::dellAcqua().fiscalCode)),
                 QStringList{u"AA,AB"_s});
    }
    void ordinaryPrintsOfOneWindow_data() { TestDatabases::addEngineColumns(); }
    // The print window keeps its section tables between prints: rows that one
    // print rebuilt and saved are replaced, not doubled, by the next.
    void ordinaryPrintsOfOneWindow()
    {
        QFETCH(QString, engine);
        const auto flow = sampleFlow(engine);
        CU_REQUIRE_DATABASE(flow->database());
        const QStringList before = flow->dumpTable(u"TCUD_DATICUD"_s, {u"ICUDSTATO"_s});
        StorePrintTables tables(flow->store(), 2024);
        Dataset list;
        openList(tables, list);
        CertificatePrint print(flow->folders(), tables, flow->op(), 2024);
        CertificatePrintOptions options;
        options.ordinary = true;
        options.all = false;
        options.outputName = u"ordinario"_s;
        try {
            options.selectedRows = {rowOf(list, sample::dellAcqua().fiscalCode)};
            print.print(list, options);
            options.selectedRows = {rowOf(list, sample::dellAcqua().fiscalCode),
                                    rowOf(list, sample::bianchi().fiscalCode)};
            print.print(list, options);
            print.print(list, options);
        } catch (const Error& e) {
            QFAIL(qPrintable(e.message()));
        }
        QCOMPARE(flow->annotationRows(flow->personOf(sample::dellAcqua().fiscalCode)),
                 QStringList{u"AA,AB"_s});
        QCOMPARE(flow->annotationRows(flow->personOf(sample::bianchi().fiscalCode)), QStringList());
        QCOMPARE(flow->dumpTable(u"TCUDA_ANNOTAZIONI"_s).size(), 1);
        QCOMPARE(flow->dumpTable(u"TCUD_DATICUD"_s, {u"ICUDSTATO"_s}), before);
        QCOMPARE(printedStates(*flow), (QMap<QString, qint64>{{sample::dellAcqua().fiscalCode, 1},
                                                              {sample::bianchi().fiscalCode, 1},
                                                              {sample::rossi().fiscalCode, 0}}));
    }
    void signatureSheet_data() { TestDatabases::addEngineColumns(); }
    void signatureSheet()
    {
        QFETCH(QString, engine);
        const auto flow = sampleFlow(engine);
        CU_REQUIRE_DATABASE(flow->database());
        const QVector<PdfPageText> pages = printSignatures(*flow);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pages.size(), 1);
        const PdfPageText& page = pages[0];
        QCOMPARE(missingWords(pages, {u"D'ANNUNZIO"_s, u"2024"_s, u"NICOLÒ"_s}), QStringList());
        // One row per recipient, by surname, each with its name and fiscal code.
        double lastTop = 0;
        for (const SampleCertificate& c : {sample::bianchi(), sample::dellAcqua(), sample::rossi()}) {
            const PdfWord* surname = page.find(c.surname);
            QVERIFY2(surname, qPrintable(c.surname));
            QVERIFY(surname->top > lastTop);
            lastTop = surname->top;
            const PdfWord* code = page.find(c.fiscalCode);
            QVERIFY2(code, qPrintable(c.fiscalCode));
            QVERIFY(code->top > surname->top && code->top - surname->top < 10);
            QVERIFY(page.contains(c.name.section(u' ', 0, 0)));
        }
    }
    // Letters stored through the store print as themselves; a stored
    // character the font cannot draw refuses the print naming the person and
    // the column, writes no file and marks nothing.
    void lettersOfTheStore_data() { TestDatabases::addEngineColumns(); }
    void lettersOfTheStore()
    {
        QFETCH(QString, engine);
        const auto flow = sampleFlow(engine);
        CU_REQUIRE_DATABASE(flow->database());
        const SampleCertificate letters{u"LTTRLL80A01H501K"_s, u"D’ŒUVRE-ŻÓŁW"_s,
                                        u"ÀÉÌ ßőŽ"_s,          u"M"_s,
                                        QDate(1980, 1, 1),     {{u"SCUDCOMNAS"_s, u"ŠTÚROVO €"_s}}};
        const SampleCertificate ideograph{
            u"DGRPHD80A01H501K"_s,         u"ZHANG"_s, u"WEI"_s, u"M"_s, QDate(1980, 1, 1),
            {{u"SCUDCOMNAS"_s, u"北京"_s}}};
        flow->writeCertificate(letters);
        flow->writeCertificate(ideograph);
        const QStringList before = flow->dumpTable(u"TCUD_DATICUD"_s, {u"ICUDSTATO"_s});

        QCOMPARE(missingWords(printCertificate(*flow, letters.fiscalCode, false),
                              {u"D’ŒUVRE-ŻÓŁW"_s, u"ÀÉÌ"_s, u"ßőŽ"_s, u"ŠTÚROVO"_s, u"€"_s}),
                 QStringList());

        StorePrintTables tables(flow->store(), 2024);
        Dataset list;
        openList(tables, list);
        CertificatePrintOptions options;
        options.all = false;
        options.selectedRows = {rowOf(list, ideograph.fiscalCode)};
        options.outputName = u"ideogramma"_s;
        CertificatePrint print(flow->folders(), tables, flow->op(), 2024);
        const QString refused = refusal([&] { print.print(list, options); });
        QVERIFY2(refused.contains(u"campo SCUDCOMNAS, percipiente ZHANG WEI (DGRPHD80A01H501K)"_s),
                 qPrintable(refused));
        QVERIFY(!QFile::exists(flow->folders().stp() + u"ideogramma.pdf"_s));
        QCOMPARE(printedStates(*flow).value(ideograph.fiscalCode), 0);
        QCOMPARE(flow->dumpTable(u"TCUD_DATICUD"_s, {u"ICUDSTATO"_s}), before);
    }
    void enginesPrintTheSameText()
    {
        QStringList printed[2];
        for (int i = 0; i < 2; ++i) {
            const auto flow = sampleFlow(TestDatabases::engines()[i]);
            CU_REQUIRE_DATABASE(flow->database());
            for (const auto& pages :
                 {printCertificate(*flow, sample::dellAcqua().fiscalCode, false),
                  printCertificate(*flow, sample::rossi().fiscalCode, true), printSignatures(*flow)})
                printed[i] += placedWords(pages);
            if (QTest::currentTestFailed())
                return;
            QVERIFY(!printed[i].isEmpty());
        }
        QCOMPARE(printed[1], printed[0]);
    }
};

QTEST_GUILESS_MAIN(TestStorePrints)
#include "test_store_prints.moc"
