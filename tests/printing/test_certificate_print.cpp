// The certificate print read back from its PDF: the page maps of the
// synthetic and ordinary models, continuation pages and their numbers, the
// agent block, the signature omitted by law, dependants, annotations, the
// selection, one file per recipient and the printed marks, which are saved
// only after the PDF.
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "printing/CertificatePrint.h"
#include "support/PrintingFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

using namespace cu;
using cu::test::PdfPageText;
using cu::test::PdfWord;

namespace {

QVector<int> modelPages(const QVector<PdfPageText>& pages)
{
    QVector<int> numbers;
    for (const PdfPageText& page : pages)
        numbers.append(page.modelPage());
    return numbers;
}

// The two digits written into the "Mod. N." cells at the top right.
QString pageNumberOf(const PdfPageText& page)
{
    QString number;
    for (const PdfWord& w : page.words)
        if (w.left >= 191.5 && w.right <= 202.5 && w.top > 6 && w.bottom < 14)
            number += w.text;
    return number;
}

int count(const PdfPageText& page, const QString& text)
{
    int n = 0;
    for (const PdfWord& w : page.words)
        n += w.text == text;
    return n;
}

} // namespace

class TestCertificatePrint : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::PrintingInstallation> m_installation;
    ScriptedOperator m_op;
    std::unique_ptr<test::MemoryTables> m_tables;
    Dataset m_list;

    void addCertificate(const QString& taxCode, const QString& surname, const QString& month,
                        const QVariantMap& more = {}, qint64 person = 0)
    {
        QVariantMap values{{"SCUDCODFIS", taxCode},
                           {"SCUDCOGNOME", surname},
                           {"SCUDNOME", QStringLiteral("MARIO")},
                           {"SCUDMESE", month},
                           {"SCUDSEX", QStringLiteral("M")},
                           {"DCUDDATANAS", QDate(1980, 1, 1)},
                           {"SCUDCOMNAS", QStringLiteral("ROMA")},
                           {"ICUDSTATO", 0},
                           {"SCUDDATIANAFIRMA", QStringLiteral("Dirigente")}};
        if (person)
            values.insert(QStringLiteral("IAFIID"), person);
        for (auto it = more.begin(); it != more.end(); ++it)
            values.insert(it.key(), it.value());
        m_tables->addRow(QStringLiteral("TCUD_DATICUD"), values);
    }
    void addSection(const QString& table, const QString& taxCode, const QString& month, QVariantMap values)
    {
        values.insert(QStringLiteral("SCUDCODFIS"), taxCode);
        values.insert(QStringLiteral("SCUDMESE"), month);
        m_tables->addRow(table, values);
    }
    Dataset& list()
    {
        m_tables->open(m_list, QStringLiteral("TCUD_DATICUD"));
        m_list.setIndexFieldNames(QStringLiteral("SCUDCOGNOME;SCUDNOME;SCUDMESE"));
        return m_list;
    }
    QVector<PdfPageText> print(CertificatePrintOptions options = {})
    {
        CertificatePrint run(m_installation->folders(), *m_tables, m_op, 2024);
        if (options.outputName.isEmpty())
            options.outputName = CertificatePrint::defaultOutputName(options.ordinary);
        return test::readPdf(run.print(list(), options));
    }

private slots:
    void init()
    {
        m_installation = std::make_unique<test::PrintingInstallation>();
        m_tables = std::make_unique<test::MemoryTables>(m_installation->schema());
        m_tables->addRow(QStringLiteral("TCUS_DATISOST"), {{"SSOSCODFIS", "80012345676"},
                                                           {"SSOSDENOM", "ISTITUTO COMPRENSIVO DI PROVA"},
                                                           {"SSOSCOMUNE", "ROMA"},
                                                           {"SSOSPROV", "RM"},
                                                           {"SSOSFIRMACOM", "Dirigente"}});
    }

    void personalDataOnly_data()
    {
        QTest::addColumn<bool>("duplex");
        QTest::addColumn<QVector<int>>("expected");
        QTest::newRow("one side") << false << QVector<int>{1, 10, 11};
        QTest::newRow("two sides") << true << QVector<int>{1, 0, 10, 11};
    }
    void personalDataOnly()
    {
        QFETCH(bool, duplex);
        QFETCH(QVector<int>, expected);
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("12"));
        CertificatePrintOptions options;
        options.duplex = duplex;
        const QVector<PdfPageText> pages = print(options);
        QCOMPARE(modelPages(pages), expected);
        QVERIFY(pages[0].contains(QStringLiteral("ROSSI")));
        QVERIFY(pages[0].contains(QStringLiteral("80012345676"))); // the agent block
        QVERIFY(pages[0].contains(QStringLiteral("2024")));
        QVERIFY(pages.last().contains(QStringLiteral("R"))); // the spaced tax code of page 11
    }

    // Two INPS rows and one INPDAP row: two copies of page 5, the first with
    // INPS row 1 and the INPDAP row, the second with INPS row 2, numbered 02.
    void socialSecurityContinuation()
    {
        const QString cf = QStringLiteral("RSSMRA80A01H501U");
        addCertificate(cf, QStringLiteral("ROSSI"), QStringLiteral("12"));
        addSection(QStringLiteral("TCUDI_INPS"), cf, QStringLiteral("12"),
                   {{"sCudMatrAzienda", "MATRUNO"}, {"FCUDIMPONIBILE", "1000"}});
        addSection(QStringLiteral("TCUDI_INPS"), cf, QStringLiteral("12"),
                   {{"sCudMatrAzienda", "MATRDUE"}, {"FCUDIMPONIBILE", "2000.5"}});
        addSection(QStringLiteral("TCUDN_INPDAP"), cf, QStringLiteral("12"),
                   {{"SCUDCODFISAMMNE", "80000000001"}});
        addSection(QStringLiteral("TCUDI_INPS"), QStringLiteral("ALTRO000A01H501U"), QStringLiteral("12"),
                   {{"sCudMatrAzienda", "MATRALTRUI"}});
        const QVector<PdfPageText> pages = print();
        QCOMPARE(modelPages(pages), (QVector<int>{1, 5, 5, 6, 10, 11}));
        QVERIFY(pages[1].contains(QStringLiteral("MATRUNO")));
        QVERIFY(pages[1].contains(QStringLiteral("80000000001")));
        QVERIFY(pages[1].contains(QStringLiteral("1.000,00")));
        QCOMPARE(pageNumberOf(pages[1]), QStringLiteral("01"));
        QVERIFY(pages[2].contains(QStringLiteral("MATRDUE")));
        QVERIFY(pages[2].contains(QStringLiteral("2.000,50")));
        QVERIFY(!pages[2].contains(QStringLiteral("80000000001")));
        QVERIFY(pages[2].contains(cf)); // the tax code of a continuation page
        QCOMPARE(pageNumberOf(pages[2]), QStringLiteral("02"));
        QCOMPARE(pageNumberOf(pages[3]), QStringLiteral("02")); // page 6 continues the count
        QCOMPARE(count(pages[2], QStringLiteral("Rigo:")), 4);  // INPS row 2 at its four places
        for (const PdfPageText& page : pages)
            QVERIFY(!page.contains(QStringLiteral("MATRALTRUI")));
    }

    void fiscalPages_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QVector<int>>("expected");
        QTest::newRow("fiscal data") << "0" << QVector<int>{1, 2, 3, 4, 10, 11};
        QTest::newRow("LCUDCPOSCNACFC X") << "X" << QVector<int>{1, 10, 11};
    }
    void fiscalPages()
    {
        QFETCH(QString, flag);
        QFETCH(QVector<int>, expected);
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("12"),
                       {{"fCudReddDetr", "25000.4"}, {"LCUDCPOSCNACFC", flag}});
        const QVector<PdfPageText> pages = print();
        QCOMPARE(modelPages(pages), expected);
        if (expected.size() > 3) {
            QVERIFY(pages[1].contains(QStringLiteral("25.000,40")));
            for (int i = 1; i <= 3; ++i)
                QCOMPARE(pageNumberOf(pages[i]), QStringLiteral("01"));
        }
    }

    void selectedWithNothingMarkedSavesOneBlankPage()
    {
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("12"));
        CertificatePrintOptions options;
        options.all = false;
        const QVector<PdfPageText> pages = print(options);
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].words.isEmpty());
        for (const auto& call : m_tables->saves)
            QVERIFY(call.table != u"TCUD_DATICUD");
    }

    void selectionFollowsTheListOrder()
    {
        addCertificate(QStringLiteral("VRDGPP80A01H501U"), QStringLiteral("VERDI"), QStringLiteral("12"));
        addCertificate(QStringLiteral("BNCLRA80A01H501U"), QStringLiteral("BIANCHI"), QStringLiteral("12"));
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("12"));
        CertificatePrintOptions options;
        options.all = false;
        options.selectedRows = {2, 0}; // VERDI and BIANCHI in the list ordered by surname
        const QVector<PdfPageText> pages = print(options);
        QCOMPARE(pages.size(), 6);
        QVERIFY(pages[0].contains(QStringLiteral("BIANCHI")));
        QVERIFY(pages[3].contains(QStringLiteral("VERDI")));
        auto stored = m_tables->stored(QStringLiteral("TCUD_DATICUD"));
        for (stored->first(); !stored->eof(); stored->next())
            QCOMPARE(stored->asInteger(u"ICUDSTATO"), stored->asString(u"SCUDCOGNOME") == u"ROSSI" ? 0 : 1);
    }

    void marksAreSavedAfterThePdf()
    {
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("06"));
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("12"));
        print();
        QVector<int> months;
        for (const auto& call : m_tables->saves)
            if (call.table == u"TCUD_DATICUD")
                months.append(call.month);
        QCOMPARE(months, (QVector<int>{6, 12})); // each certificate under its own month
        auto stored = m_tables->stored(QStringLiteral("TCUD_DATICUD"));
        for (stored->first(); !stored->eof(); stored->next())
            QCOMPARE(stored->asInteger(u"ICUDSTATO"), 1);
        for (m_list.first(); !m_list.eof(); m_list.next())
            QCOMPARE(m_list.asInteger(u"ICUDSTATO"), 1);
        QVERIFY(!m_list.hasChanges());
    }

    void failedSaveKeepsTheMarksUnsaved()
    {
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("12"));
        QDir().mkpath(m_installation->folders().stp() +
                      QStringLiteral("CU-2025.pdf")); // the file cannot be written
        CertificatePrint run(m_installation->folders(), *m_tables, m_op, 2024);
        CertificatePrintOptions options;
        options.outputName = QStringLiteral("CU-2025");
        try {
            run.print(list(), options);
            QFAIL("the save must fail");
        } catch (const EZfError& e) {
            QVERIFY(
                e.message().startsWith(QStringLiteral("Controllare che il documento non sia già aperto.")));
        }
        for (const auto& call : m_tables->saves)
            QVERIFY(call.table != u"TCUD_DATICUD");
        m_list.first();
        QCOMPARE(m_list.asInteger(u"ICUDSTATO"), 0);
        QVERIFY(!m_list.hasChanges());
    }

    void signatureOmittedByLaw()
    {
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("12"));
        CertificatePrintOptions options;
        QVERIFY(!print(options)[0].contains(QStringLiteral("OMESSA")));
        options.signatureOmitted = true;
        const PdfPageText first = print(options)[0];
        const PdfWord* note = first.find(QStringLiteral("OMESSA"));
        const PdfWord* signature = first.find(QStringLiteral("Dirigente"));
        QVERIFY(note && signature);
        QVERIFY(signature->bottom < note->bottom); // the signature above the note
    }

    void dependantsBlock()
    {
        const QString cf = QStringLiteral("RSSMRA80A01H501U");
        addCertificate(cf, QStringLiteral("ROSSI"), QStringLiteral("12"));
        addSection(QStringLiteral("TCUDC_CONFAMCARICO"), cf, QStringLiteral("12"),
                   {{"LCUDRELPARCON", "1"},
                    {"SCUDCODFISCON", "BNCLRA82A41H501X"},
                    {"SCUDMESICARCON", "12"},
                    {"LCUDRELPARPRIFIGL", "1"},
                    {"SCUDCODFISPRIFIGL", "RSSLCU10A01H501Y"},
                    {"SCUDDETRSPETTPRIFIGL", "50"}});
        const QVector<PdfPageText> pages = print();
        QCOMPARE(modelPages(pages), (QVector<int>{1, 2, 3, 4, 10, 11}));
        const PdfWord* spouse = pages[3].find(QStringLiteral("BNCLRA82A41H501X"));
        const PdfWord* child = pages[3].find(QStringLiteral("RSSLCU10A01H501Y"));
        QVERIFY(spouse && child);
        QVERIFY(std::abs(spouse->left - 85) < 0.5);
        QVERIFY(spouse->bottom > 137 && spouse->top < 139);
        QVERIFY(child->bottom > 141 && child->top < 143); // four millimetres below
        const PdfWord* share = pages[3].find(QStringLiteral("50,00"));
        QVERIFY(share && std::abs(share->right - 172) < 0.5);
    }

    void annotationPageWrapsWithinTheBox()
    {
        QString text;
        for (int i = 0; i < 60; ++i)
            text += QStringLiteral("annotazione%1 ").arg(i);
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("12"),
                       {{"SCUDANNOTAZIONI", text}});
        const QVector<PdfPageText> pages = print();
        QCOMPARE(modelPages(pages), (QVector<int>{1, 7, 10, 11}));
        QSet<int> lines;
        for (const PdfWord& w : pages[1].words) {
            if (!w.text.startsWith(QStringLiteral("annotazione")))
                continue;
            QVERIFY2(w.right <= 201, qPrintable(w.text));
            lines.insert(qRound(w.bottom));
        }
        QVERIFY(lines.size() >= 3);
        QVERIFY(pages[1].contains(QStringLiteral("annotazione59")));
        QVERIFY(pages[1].find(QStringLiteral("annotazione0"))->bottom < 30.5); // first line at y 29
    }

    void ordinaryTfrPairs()
    {
        const QString cf = QStringLiteral("RSSMRA80A01H501U");
        addCertificate(cf, QStringLiteral("ROSSI"), QStringLiteral("12"), {}, 101);
        addSection(QStringLiteral("TCUDT_TFR"), cf, QStringLiteral("12"),
                   {{"FRL7INDENANNO", "1500"}, {"FRIEP7REDDRIF", "700"}});
        addSection(QStringLiteral("TCUDT_TFR"), cf, QStringLiteral("12"),
                   {{"FRL7INDENANNO", "2500"}, {"FRIEP7REDDRIF", "800"}});
        m_installation->writeNotes({});
        CertificatePrintOptions options;
        options.ordinary = true;
        const QVector<PdfPageText> pages = print(options);
        QCOMPARE(modelPages(pages), (QVector<int>{3, 11, 12, 11, 12}));
        QVERIFY(pages[1].contains(QStringLiteral("1.500,00")));
        QVERIFY(pages[2].contains(QStringLiteral("700,00")));
        QVERIFY(pages[3].contains(QStringLiteral("2.500,00")));
        QVERIFY(pages[4].contains(QStringLiteral("800,00")));
        QCOMPARE(pageNumberOf(pages[1]), QStringLiteral("01"));
        QCOMPARE(pageNumberOf(pages[2]), QStringLiteral("01"));
        QCOMPARE(pageNumberOf(pages[3]), QStringLiteral("02"));
        QCOMPARE(pageNumberOf(pages[4]), QStringLiteral("02"));
        QVERIFY(pages[3].contains(cf) && pages[4].contains(cf));
    }

    void ordinaryAnnotationRows()
    {
        const QString cf = QStringLiteral("RSSMRA80A01H501U");
        addCertificate(
            cf, QStringLiteral("ROSSI"), QStringLiteral("12"),
            {{"SCUDANNOTAZIONI", "AA) prima nota\nXX) sconosciuta\nbb) seconda nota\nBO)\n)vuota"}}, 101);
        m_tables->addRow(QStringLiteral("TCUDA_ANNOTAZIONI"),
                         {{"IAFIID", 202}, {"SCUDCODFIS", "ALTRO000A01H501U"}, {"SANN701", "ZZ"}});
        m_installation->writeNotes({QStringLiteral("AA"), QStringLiteral("BB"), QStringLiteral("BO")});
        CertificatePrintOptions options;
        options.ordinary = true;
        const QVector<PdfPageText> pages = print(options);
        QCOMPARE(modelPages(pages), (QVector<int>{3, 13}));
        QVERIFY(pages[1].contains(QStringLiteral("AA")) && pages[1].contains(QStringLiteral("BB")));
        auto rows = m_tables->stored(QStringLiteral("TCUDA_ANNOTAZIONI"));
        rows->setFilter(QStringLiteral("IAFIID = 101"));
        QCOMPARE(rows->recordCount(), 1);
        rows->first();
        QCOMPARE(rows->asString(u"SANN701"), QStringLiteral("AA"));
        QCOMPARE(rows->asString(u"SANN702"), QStringLiteral("BB"));
        QVERIFY(rows->asString(u"SANN703").isEmpty());
        rows->setFilter(QStringLiteral("IAFIID = 202")); // another certificate's rows stay
        QCOMPARE(rows->recordCount(), 1);
    }

    void oneFilePerRecipient()
    {
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("06"));
        addCertificate(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("ROSSI"), QStringLiteral("12"));
        addCertificate(QStringLiteral("DLLNCL80A01H501U"), QStringLiteral("DELL'ORTO"), QStringLiteral("12"));
        CertificatePrint run(m_installation->folders(), *m_tables, m_op, 2024);
        const QStringList files = run.printPerRecipient(list(), {});
        QCOMPARE(files.size(), 2);
        QCOMPARE(QFileInfo(files[0]).fileName(), QStringLiteral("DELLORTO_MARIO_DLLNCL80A01H501U.pdf"));
        QCOMPARE(QFileInfo(files[1]).fileName(), QStringLiteral("ROSSI_MARIO_RSSMRA80A01H501U.pdf"));
        QCOMPARE(test::readPdf(files[1]).size(), 6); // both certificates of the recipient
        auto stored = m_tables->stored(QStringLiteral("TCUD_DATICUD"));
        for (stored->first(); !stored->eof(); stored->next())
            QCOMPARE(stored->asInteger(u"ICUDSTATO"), 1);
    }
};

QTEST_GUILESS_MAIN(TestCertificatePrint)
#include "test_certificate_print.moc"
