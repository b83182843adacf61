// The prints read back from their PDF. The certificates: the page maps of the
// synthetic and ordinary models, continuation pages and their numbers, the
// agent block, the signature omitted by law, dependants, annotations, the
// selection, one file per recipient and the printed marks, which are saved
// only after the PDF. The agent's prints: frontispiece, Quadro CT, signature
// sheet and information notice.
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "printing/AgentPrint.h"
#include "printing/CertificatePrint.h"
#include "printing/EliStampePDF.h"
#include "support/PrintingFixture.h"
#include "support/StoreFlowFixture.h"
#include "support/TestInstallation.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

using namespace Qt::StringLiterals;

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

constexpr double MmPerPoint = 25.4 / 72.0;

// An "X" whose centre is near x and whose baseline band holds y (millimetres).
bool crossAt(const PdfPageText& page, double x, double y)
{
    for (const PdfWord& w : page.words)
        if (w.text == u"X" && std::abs((w.left + w.right) / 2 - x) < 0.6 && w.top < y && w.bottom > y - 0.5)
            return true;
    return false;
}

} // namespace

class TestPrints : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestInstallation> m_installation;
    ScriptedOperator m_op;
    std::unique_ptr<test::MemoryTables> m_tables;
    Dataset m_list;

    void addCertificate(const QString& taxCode, const QString& surname, const QString& month,
                        const QVariantMap& more = {}, qint64 person = 0)
    {
        QVariantMap values{
            {"SCUDCODFIS", taxCode},   {"SCUDCOGNOME", surname}, {"SCUDNOME", u"MARIO"_s},
            {"SCUDMESE", month},       {"SCUDSEX", u"M"_s},      {"DCUDDATANAS", QDate(1980, 1, 1)},
            {"SCUDCOMNAS", u"ROMA"_s}, {"ICUDSTATO", 0},         {"SCUDDATIANAFIRMA", u"Dirigente"_s}};
        if (person)
            values.insert(u"IAFIID"_s, person);
        values.insert(more);
        m_tables->addRow(u"TCUD_DATICUD"_s, values);
    }
    void addSection(const QString& table, const QString& taxCode, const QString& month, QVariantMap values)
    {
        values.insert(u"SCUDCODFIS"_s, taxCode);
        values.insert(u"SCUDMESE"_s, month);
        m_tables->addRow(table, values);
    }
    Dataset& list()
    {
        m_tables->open(m_list, u"TCUD_DATICUD"_s);
        m_list.setIndexFieldNames(u"SCUDCOGNOME;SCUDNOME;SCUDMESE"_s);
        return m_list;
    }
    QVector<PdfPageText> print(CertificatePrintOptions options = {})
    {
        CertificatePrint run(m_installation->folders(), *m_tables, m_op, 2024);
        if (options.outputName.isEmpty())
            options.outputName = CertificatePrint::defaultOutputName(options.ordinary);
        return test::readPdf(run.print(list(), options));
    }

    void addAgent(const QVariantMap& more = {})
    {
        m_tables = std::make_unique<test::MemoryTables>(); // fresh tables holding this agent
        QVariantMap values{{"SSOSCODFIS", "80012345676"},
                           {"SSOSDENOM", "ISTITUTO DI PROVA"},
                           {"SSOSINDIRIZZO", "VIA ROMA 1"},
                           {"SSOSCOMUNE", "MILANO"},
                           {"SSOSPROV", "MI"},
                           {"SSOSCAP", "20100"},
                           {"SSOSTELFAX", "02123456"},
                           {"SSOSEMAIL", "scuola@example.it"},
                           {"SSOSFIRMACOM", "Dirigente"}};
        values.insert(more);
        m_tables->addRow(u"TCUS_DATISOST"_s, values);
    }
private slots:
    void init()
    {
        m_installation = std::make_unique<test::TestInstallation>();
        addAgent();
    }

    // Two INPS rows and one INPDAP row: two copies of page 5, the first with
    // INPS row 1 and the INPDAP row, the second with INPS row 2, numbered 02.
    void socialSecurityContinuation()
    {
        const QString cf = u"RSSMRA80A01H501U"_s;
        addCertificate(cf, u"ROSSI"_s, u"12"_s);
        addSection(u"TCUDI_INPS"_s, cf, u"12"_s,
                   {{"sCudMatrAzienda", "MATRUNO"}, {"FCUDIMPONIBILE", "1000"}});
        addSection(u"TCUDI_INPS"_s, cf, u"12"_s,
                   {{"sCudMatrAzienda", "MATRDUE"}, {"FCUDIMPONIBILE", "2000.5"}});
        addSection(u"TCUDN_INPDAP"_s, cf, u"12"_s, {{"SCUDCODFISAMMNE", "80000000001"}});
        addSection(u"TCUDI_INPS"_s, u"ALTRO000A01H501U"_s, u"12"_s, {{"sCudMatrAzienda", "MATRALTRUI"}});
        const QVector<PdfPageText> pages = print();
        QCOMPARE(modelPages(pages), (QVector<int>{1, 5, 5, 6, 10, 11}));
        QCOMPARE(test::missingWords({pages[1]}, {u"MATRUNO"_s, u"80000000001"_s, u"1.000,00"_s}),
                 QStringList());
        QCOMPARE(pageNumberOf(pages[1]), u"01"_s);
        // The tax code of a continuation page beside INPS row 2.
        QCOMPARE(test::missingWords({pages[2]}, {u"MATRDUE"_s, u"2.000,50"_s, cf}), QStringList());
        QVERIFY(!pages[2].contains(u"80000000001"_s));
        QCOMPARE(pageNumberOf(pages[2]), u"02"_s);
        QCOMPARE(pageNumberOf(pages[3]), u"02"_s); // page 6 continues the count
        QCOMPARE(count(pages[2], u"Rigo:"_s), 4);  // INPS row 2 at its four places
        for (const PdfPageText& page : pages)
            QVERIFY(!page.contains(u"MATRALTRUI"_s));
    }

    // The page map: personal data only (with a blank back page when printed
    // on two sides), the fiscal pages when there is an income, none under the
    // NoiPA flag.
    void pageMap_data()
    {
        QTest::addColumn<bool>("duplex");
        QTest::addColumn<QString>("flag"); // LCUDCPOSCNACFC; empty: no income
        QTest::addColumn<QVector<int>>("expected");
        // clang-format off
        QTest::newRow("personal data, one side") << false << "" << QVector<int>{1, 10, 11};
        QTest::newRow("personal data, two sides") << true << "" << QVector<int>{1, 0, 10, 11};
        QTest::newRow("fiscal data") << false << "0" << QVector<int>{1, 2, 3, 4, 10, 11};
        QTest::newRow("LCUDCPOSCNACFC X") << false << "X" << QVector<int>{1, 10, 11};
        // clang-format on
    }
    void pageMap()
    {
        QFETCH(bool, duplex);
        QFETCH(QString, flag);
        QFETCH(QVector<int>, expected);
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"12"_s,
                       flag.isEmpty() ? QVariantMap()
                                      : QVariantMap{{"fCudReddDetr", "25000.4"}, {"LCUDCPOSCNACFC", flag}});
        CertificatePrintOptions options;
        options.duplex = duplex;
        const QVector<PdfPageText> pages = print(options);
        QCOMPARE(modelPages(pages), expected);
        // The recipient, the agent block and the year.
        QCOMPARE(test::missingWords({pages[0]}, {u"ROSSI"_s, u"80012345676"_s, u"2024"_s}), QStringList());
        QVERIFY(pages.last().contains(u"R"_s)); // the spaced tax code of page 11
        if (expected.size() > 4) {
            QVERIFY(pages[1].contains(u"25.000,40"_s));
            for (int i = 1; i <= 3; ++i)
                QCOMPARE(pageNumberOf(pages[i]), u"01"_s);
        }
    }

    void selectedWithNothingMarkedSavesOneBlankPage()
    {
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"12"_s);
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
        addCertificate(u"VRDGPP80A01H501U"_s, u"VERDI"_s, u"12"_s);
        addCertificate(u"BNCLRA80A01H501U"_s, u"BIANCHI"_s, u"12"_s);
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"12"_s);
        CertificatePrintOptions options;
        options.all = false;
        options.selectedRows = {2, 0}; // VERDI and BIANCHI in the list ordered by surname
        const QVector<PdfPageText> pages = print(options);
        QCOMPARE(pages.size(), 6);
        QVERIFY(pages[0].contains(u"BIANCHI"_s));
        QVERIFY(pages[3].contains(u"VERDI"_s));
        auto stored = m_tables->stored(u"TCUD_DATICUD"_s);
        for (stored->first(); !stored->eof(); stored->next())
            QCOMPARE(stored->asInteger(u"ICUDSTATO"), stored->asString(u"SCUDCOGNOME") == u"ROSSI" ? 0 : 1);
    }

    void marksAreSavedAfterThePdf()
    {
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"06"_s);
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"12"_s);
        print();
        QVector<int> months;
        for (const auto& call : m_tables->saves)
            if (call.table == u"TCUD_DATICUD")
                months.append(call.month);
        QCOMPARE(months, (QVector<int>{6, 12})); // each certificate under its own month
        auto stored = m_tables->stored(u"TCUD_DATICUD"_s);
        for (stored->first(); !stored->eof(); stored->next())
            QCOMPARE(stored->asInteger(u"ICUDSTATO"), 1);
        for (m_list.first(); !m_list.eof(); m_list.next())
            QCOMPARE(m_list.asInteger(u"ICUDSTATO"), 1);
        QVERIFY(!m_list.hasChanges());
    }

    void failedSaveKeepsTheMarksUnsaved()
    {
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"12"_s);
        QDir().mkpath(m_installation->folders().stp() + u"CU-2025.pdf"_s); // the file cannot be written
        CertificatePrint run(m_installation->folders(), *m_tables, m_op, 2024);
        CertificatePrintOptions options;
        options.outputName = u"CU-2025"_s;
        try {
            run.print(list(), options);
            QFAIL("the save must fail");
        } catch (const EZfError& e) {
            QVERIFY(e.message().startsWith(u"Controllare che il documento non sia già aperto."_s));
        }
        for (const auto& call : m_tables->saves)
            QVERIFY(call.table != u"TCUD_DATICUD");
        m_list.first();
        QCOMPARE(m_list.asInteger(u"ICUDSTATO"), 0);
        QVERIFY(!m_list.hasChanges());
    }

    void signatureOmittedByLaw()
    {
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"12"_s);
        CertificatePrintOptions options;
        QVERIFY(!print(options)[0].contains(u"OMESSA"_s));
        options.signatureOmitted = true;
        const PdfPageText first = print(options)[0];
        const PdfWord* note = first.find(u"OMESSA"_s);
        const PdfWord* signature = first.find(u"Dirigente"_s);
        QVERIFY(note && signature);
        QVERIFY(signature->bottom < note->bottom); // the signature above the note
    }

    void dependantsBlock()
    {
        const QString cf = u"RSSMRA80A01H501U"_s;
        addCertificate(cf, u"ROSSI"_s, u"12"_s);
        addSection(u"TCUDC_CONFAMCARICO"_s, cf, u"12"_s,
                   {{"LCUDRELPARCON", "1"},
                    {"SCUDCODFISCON", "BNCLRA82A41H501X"},
                    {"SCUDMESICARCON", "12"},
                    {"LCUDRELPARPRIFIGL", "1"},
                    {"SCUDCODFISPRIFIGL", "RSSLCU10A01H501Y"},
                    {"SCUDDETRSPETTPRIFIGL", "50"}});
        const QVector<PdfPageText> pages = print();
        QCOMPARE(modelPages(pages), (QVector<int>{1, 2, 3, 4, 10, 11}));
        const PdfWord* spouse = pages[3].find(u"BNCLRA82A41H501X"_s);
        const PdfWord* child = pages[3].find(u"RSSLCU10A01H501Y"_s);
        QVERIFY(spouse && child);
        QVERIFY(std::abs(spouse->left - 85) < 0.5);
        QVERIFY(spouse->bottom > 137 && spouse->top < 139);
        QVERIFY(child->bottom > 141 && child->top < 143); // four millimetres below
        const PdfWord* share = pages[3].find(u"50,00"_s);
        QVERIFY(share && std::abs(share->right - 172) < 0.5);
    }

    void annotationPageWrapsWithinTheBox()
    {
        QString text;
        for (int i = 0; i < 60; ++i)
            text += u"annotazione%1 "_s.arg(i);
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"12"_s, {{"SCUDANNOTAZIONI", text}});
        const QVector<PdfPageText> pages = print();
        QCOMPARE(modelPages(pages), (QVector<int>{1, 7, 10, 11}));
        QSet<int> lines;
        for (const PdfWord& w : pages[1].words) {
            if (!w.text.startsWith(u"annotazione"_s))
                continue;
            QVERIFY2(w.right <= 201, qPrintable(w.text));
            lines.insert(qRound(w.bottom));
        }
        QVERIFY(lines.size() >= 3);
        QVERIFY(pages[1].contains(u"annotazione59"_s));
        QVERIFY(pages[1].find(u"annotazione0"_s)->bottom < 30.5); // first line at y 29
    }

    // Every page of a certificate names its recipient in the header's
    // "Codice fiscale" box; a code is printed as a code, not as an amount.
    void taxCodeOnEveryPage_data()
    {
        QTest::addColumn<bool>("ordinary");
        QTest::addColumn<QVector<int>>("expected");
        QTest::addColumn<int>("selfEmploymentPage");
        // clang-format off
        QTest::newRow("synthetic") << false << QVector<int>{1, 2, 3, 4, 5, 6, 7, 8, 10, 11} << 8;
        QTest::newRow("ordinary") << true << QVector<int>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14} << 14;
        // clang-format on
    }
    void taxCodeOnEveryPage()
    {
        QFETCH(bool, ordinary);
        QFETCH(int, selfEmploymentPage);
        const QString cf = u"RSSMRA80A01H501U"_s;
        addCertificate(cf, u"ROSSI"_s, u"12"_s,
                       {{"FCUDREDDETTRDET", "1000"}, {"SCUDANNOTAZIONI", "AA) prima nota"}}, 101);
        addSection(u"TCUDC_CONFAMCARICO"_s, cf, u"12"_s,
                   {{"LCUDRELPARCON", "1"}, {"SCUDCODFISCON", "BNCLRA82A41H501X"}});
        addSection(u"TCUDI_INPS"_s, cf, u"12"_s, {{"FCUDIMPONIBILE", "2000"}});
        addSection(u"TCUDT_TFR"_s, cf, u"12"_s, {{"FRL7INDENANNO", "1500"}});
        addSection(u"TASE_AUTSOMMEEROGATE"_s, cf, u"12"_s,
                   {{"SCAUCODICE", "A"},
                    {"FDSE7AMMLORDO", "900"},
                    {"FDSE7CODICE", "25"},
                    {"FDSE7ALTRESOMME", "900"}});
        m_installation->writeNotes({u"AA"_s});
        CertificatePrintOptions options;
        options.ordinary = ordinary;
        const QVector<PdfPageText> pages = print(options);
        QTEST(modelPages(pages), "expected");
        for (const PdfPageText& page : pages) {
            if (page.modelPage() == 11 && !ordinary)
                QCOMPARE(page.text().count(u"R S S M R A"_s), 1); // one character per cell
            else
                QVERIFY2(page.contains(cf), qPrintable(u"pagina %1"_s.arg(page.modelPage())));
            if (page.modelPage() == selfEmploymentPage)
                QVERIFY(page.contains(u"25"_s) && !page.contains(u"25,00"_s) && page.contains(u"900,00"_s));
        }
    }
    void ordinaryTfrPairs()
    {
        const QString cf = u"RSSMRA80A01H501U"_s;
        addCertificate(cf, u"ROSSI"_s, u"12"_s, {}, 101);
        addSection(u"TCUDT_TFR"_s, cf, u"12"_s, {{"FRL7INDENANNO", "1500"}, {"FRIEP7REDDRIF", "700"}});
        addSection(u"TCUDT_TFR"_s, cf, u"12"_s, {{"FRL7INDENANNO", "2500"}, {"FRIEP7REDDRIF", "800"}});
        m_installation->writeNotes({});
        CertificatePrintOptions options;
        options.ordinary = true;
        const QVector<PdfPageText> pages = print(options);
        QCOMPARE(modelPages(pages), (QVector<int>{3, 11, 12, 11, 12}));
        // Each pair of pages numbered as one, the recipient's code on both.
        const QString amounts[] = {u"1.500,00"_s, u"700,00"_s, u"2.500,00"_s, u"800,00"_s};
        for (int i = 1; i <= 4; ++i) {
            QCOMPARE(test::missingWords({pages[i]}, {amounts[i - 1], cf}), QStringList());
            QCOMPARE(pageNumberOf(pages[i]), i <= 2 ? u"01"_s : u"02"_s);
        }
    }

    void ordinaryAnnotationRows()
    {
        const QString cf = u"RSSMRA80A01H501U"_s;
        addCertificate(
            cf, u"ROSSI"_s, u"12"_s,
            {{"SCUDANNOTAZIONI", "AA) prima nota\nXX) sconosciuta\nbb) seconda nota\nBO)\n)vuota"}}, 101);
        m_tables->addRow(u"TCUDA_ANNOTAZIONI"_s,
                         {{"IAFIID", 202}, {"SCUDCODFIS", "ALTRO000A01H501U"}, {"SANN701", "ZZ"}});
        m_installation->writeNotes({u"AA"_s, u"BB"_s, u"BO"_s});
        CertificatePrintOptions options;
        options.ordinary = true;
        const QVector<PdfPageText> pages = print(options);
        QCOMPARE(modelPages(pages), (QVector<int>{3, 13}));
        QVERIFY(pages[1].contains(u"AA"_s) && pages[1].contains(u"BB"_s));
        auto rows = m_tables->stored(u"TCUDA_ANNOTAZIONI"_s);
        rows->setFilter(u"IAFIID = 101"_s);
        QCOMPARE(rows->recordCount(), 1);
        rows->first();
        QCOMPARE(rows->asString(u"SANN701"), u"AA"_s);
        QCOMPARE(rows->asString(u"SANN702"), u"BB"_s);
        QVERIFY(rows->asString(u"SANN703").isEmpty());
        rows->setFilter(u"IAFIID = 202"_s); // another certificate's rows stay
        QCOMPARE(rows->recordCount(), 1);
    }

    void oneFilePerRecipient()
    {
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"06"_s);
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"12"_s);
        addCertificate(u"DLLNCL80A01H501U"_s, u"DELL'ORTO"_s, u"12"_s);
        CertificatePrint run(m_installation->folders(), *m_tables, m_op, 2024);
        const QStringList files = run.printPerRecipient(list(), {});
        QCOMPARE(files.size(), 2);
        QCOMPARE(QFileInfo(files[0]).fileName(), u"DELLORTO_MARIO_DLLNCL80A01H501U.pdf"_s);
        QCOMPARE(QFileInfo(files[1]).fileName(), u"ROSSI_MARIO_RSSMRA80A01H501U.pdf"_s);
        QCOMPARE(test::readPdf(files[1]).size(), 6); // both certificates of the recipient
        auto stored = m_tables->stored(u"TCUD_DATICUD"_s);
        for (stored->first(); !stored->eof(); stored->next())
            QCOMPARE(stored->asInteger(u"ICUDSTATO"), 1);
    }
    // The annulment and replacement boxes, and the CT box by the CT form's
    // rule shared with record B (a mobile number or an e-mail), not by the
    // agent's own flag.
    void frontispieceFlags_data()
    {
        QTest::addColumn<QString>("annulment");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("mobile");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("agentCtFlag");
        QTest::addColumn<bool>("ctBox");
        // clang-format off
        QTest::newRow("annulment") << "1" << "0" << "" << "" << "0" << false;
        QTest::newRow("replacement") << "0" << "1" << "" << "" << "0" << false;
        QTest::newRow("neither") << "0" << "0" << "" << "" << "0" << false;
        QTest::newRow("CT form with a mobile number") << "0" << "0" << "3331234567" << "" << "0" << true;
        QTest::newRow("CT form with an e-mail") << "0" << "0" << "" << "ct@example.it" << "0" << true;
        QTest::newRow("CT form without either, agent's flag set") << "0" << "0" << "" << "" << "1" << false;
        // clang-format on
    }
    void frontispieceFlags()
    {
        QFETCH(QString, annulment);
        QFETCH(QString, replacement);
        QFETCH(QString, mobile);
        QFETCH(QString, email);
        QFETCH(QString, agentCtFlag);
        QFETCH(bool, ctBox);
        addAgent({{"LSOSANNULLAMENTO", annulment},
                  {"LSOSSOSTITUZIONE", replacement},
                  {"LSOSCT", agentCtFlag},
                  {"ISOSNDIP", 0}});
        m_tables->addRow(u"TCUCT_DATICT"_s,
                         {{"SCTCODFIS", "80012345676"}, {"SCTCELL", mobile}, {"SCTEMAIL", email}});
        Dataset agent;
        m_tables->open(agent, u"TCUS_DATISOST"_s);
        agent.first();
        Dataset ct;
        m_tables->open(ct, u"TCUCT_DATICT"_s);
        AgentPrint print(m_installation->folders());
        const QVector<PdfPageText> pages =
            test::readPdf(print.printFrontispiece(agent, ct, u"Frontespizio"_s));
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].modelPage(), 1);
        QCOMPARE(crossAt(pages[0], 65, 53), annulment == u"1");
        QCOMPARE(crossAt(pages[0], 126, 53), replacement == u"1");
        QCOMPARE(count(pages[0], u"X"_s), int(annulment == u"1") + int(replacement == u"1") + int(ctBox));
        QVERIFY(pages[0].contains(u"80012345676"_s));
        QVERIFY(pages[0].find(u"0"_s)); // a text "0" is drawn on the agent pages
    }

    void quadroCtCheckBoxAndTexts()
    {
        m_tables->addRow(u"TCUCT_DATICT"_s, {{"SCTCODFIS", "80012345676"},
                                             {"LCTFISCONLINE", "1"},
                                             {"LCTSRVENTRATEL", "0"},
                                             {"SCTSEDEENT", "0"},
                                             {"SCTEMAIL", "ct@example.it"}});
        Dataset ct;
        m_tables->open(ct, u"TCUCT_DATICT"_s);
        ct.first();
        AgentPrint print(m_installation->folders());
        const PdfPageText page = test::readPdf(print.printQuadroCT(ct, u"QuadroCT"_s)).value(0);
        QCOMPARE(page.modelPage(), 2);
        QCOMPARE(count(page, u"X"_s), 1); // Fisconline set, Entratel not
        QVERIFY(page.contains(u"ct@example.it"_s));
        QVERIFY(page.contains(u"0"_s));
    }

    // 24 recipients: two sheets, the second with one row on the first rule and
    // the heading repeated; a tax code without a certificate leaves its row empty.
    void signatureSheet()
    {
        QStringList codes;
        for (int i = 0; i < 24; ++i) {
            const QString code = u"CODICE%1A01H501U"_s.arg(i, 2, 10, QLatin1Char('0'));
            addCertificate(code, u"COGNOME%1"_s.arg(i, 2, 10, QLatin1Char('0')), u"12"_s);
            codes.append(code);
        }
        codes.insert(2, u"SENZACERTIFICAT0"_s); // row 2 stays empty
        codes.removeLast();                     // 24 codes in all
        EliStampePDF module(m_installation->folders(), *m_tables, 2024);
        const QVector<PdfPageText> pages = test::readPdf(module.PrintSignatureSheet(codes));
        QCOMPARE(pages.size(), 2);
        for (const PdfPageText& page : pages)
            QCOMPARE(test::missingWords({page}, {u"ISTITUTO"_s, u"2024"_s}), QStringList());
        auto baselineRow = [](const PdfWord* w) { return qRound((w->bottom / MmPerPoint - 153 - 2) / 28.0); };
        // One row down after the empty one; the second sheet starts on the first rule.
        // clang-format off
        const struct { int page; const char* name; int row; } rows[] = {
            {0, "COGNOME02", 3}, {0, "COGNOME21", 22}, {1, "COGNOME22", 0}};
        // clang-format on
        for (const auto& r : rows) {
            const PdfWord* word = pages[r.page].find(QString::fromLatin1(r.name));
            QVERIFY2(word, r.name);
            QCOMPARE(baselineRow(word), r.row);
        }
        int names = 0;
        for (const PdfWord& w : pages[1].words)
            names += w.text.startsWith(u"COGNOME"_s);
        QCOMPARE(names, 1);
        QVERIFY(!module.cdsDipendenti.isActive()); // the sheet's data are closed afterwards
    }

    // Every letter that can reach the archive prints as itself on the
    // certificate, in the recipient's name and place of birth and in the
    // agent's block.
    void lettersOfTheArchive()
    {
        addAgent({{"SSOSDENOM", u"ISTITUTO “ŁUKASIEWICZ” Ő"_s}});
        const QString cf = u"RSSMRA80A01H501U"_s;
        addCertificate(cf, u"D’ŒUVRE-ŻÓŁW"_s, u"12"_s,
                       {{"SCUDNOME", u"ÀÈÉÌÒÙ àèéìòù ßőŽ"_s}, {"SCUDCOMNAS", u"ŠTÚROVO €"_s}});
        const QVector<PdfPageText> pages = print();
        QCOMPARE(test::missingWords(pages, {u"D’ŒUVRE-ŻÓŁW"_s, u"ÀÈÉÌÒÙ"_s, u"àèéìòù"_s, u"ßőŽ"_s,
                                            u"ŠTÚROVO"_s, u"€"_s, u"“ŁUKASIEWICZ”"_s, u"Ő"_s}),
                 QStringList());
    }

    // A character the font cannot draw refuses the whole print before any
    // file is written, naming the person and the column; nothing is marked.
    void characterWithoutAGlyphRefusesThePrint_data()
    {
        QTest::addColumn<bool>("perRecipient");
        QTest::newRow("one file") << false;
        QTest::newRow("one file per recipient") << true;
    }
    void characterWithoutAGlyphRefusesThePrint()
    {
        QFETCH(bool, perRecipient);
        addCertificate(u"BNCLRA80A41H501X"_s, u"BIANCHI"_s, u"12"_s);
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"12"_s, {{"SCUDCOMNAS", u"北京"_s}});
        CertificatePrint run(m_installation->folders(), *m_tables, m_op, 2024);
        CertificatePrintOptions options;
        options.outputName = u"CU-2025"_s;
        try {
            if (perRecipient)
                run.printPerRecipient(list(), options);
            else
                run.print(list(), options);
            QFAIL("the print must be refused");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(u"\"北\" (U+5317)"_s), qPrintable(e.message()));
            QVERIFY2(e.message().contains(u"campo SCUDCOMNAS, percipiente ROSSI MARIO (RSSMRA80A01H501U)"_s),
                     qPrintable(e.message()));
        }
        QCOMPARE(QDir(m_installation->folders().stp()).entryList(QDir::Files), QStringList());
        QVERIFY(m_tables->saves.isEmpty());
    }

    // A name that is empty, a path or holds a character no file name holds
    // is refused before anything is printed, by every print that takes one.
    void outputNamesThatAreNotFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        // clang-format off
        QTest::newRow("empty") << u""_s << u"vuoto"_s;
        QTest::newRow("blank") << u"   "_s << u"vuoto"_s;
        QTest::newRow("parent folder") << u"../fuori"_s << u"\"..\""_s;
        QTest::newRow("dots") << u".."_s << u"\"..\""_s;
        QTest::newRow("subfolder") << u"sotto/file"_s << u"\"/\""_s;
        QTest::newRow("backslash") << u"sotto\\file"_s << u"\"\\\""_s;
        QTest::newRow("drive") << u"C:file"_s << u"\":\""_s;
        QTest::newRow("leading space") << u" CU"_s << u"spazio"_s;
        QTest::newRow("line feed") << u"CU\n2025"_s << u"controllo"_s;
        // clang-format on
    }
    void outputNamesThatAreNotFileNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        addCertificate(u"RSSMRA80A01H501U"_s, u"ROSSI"_s, u"12"_s);
        CertificatePrint certificates(m_installation->folders(), *m_tables, m_op, 2024);
        CertificatePrintOptions options;
        options.outputName = name;
        AgentPrint agent(m_installation->folders());
        Dataset ct;
        m_tables->open(ct, u"TCUCT_DATICT"_s);
        const QString refusals[] = {test::refusal([&] { certificates.print(list(), options); }),
                                    test::refusal([&] { agent.printQuadroCT(ct, name); })};
        for (const QString& refusal : refusals) {
            QVERIFY2(refusal.startsWith(u"Nome del file di stampa non valido"_s), qPrintable(refusal));
            QVERIFY2(refusal.contains(problem), qPrintable(refusal));
        }
        QCOMPARE(QDir(m_installation->folders().stp()).entryList(QDir::Files), QStringList());
        QVERIFY(!QFileInfo::exists(m_installation->folders().stp() + u"../fuori.pdf"_s));
        QVERIFY(m_tables->saves.isEmpty());
    }

    void informationNotice()
    {
        EliStampePDF module(m_installation->folders(), *m_tables, 2024);
        const QVector<PdfPageText> pages = test::readPdf(module.ExtractInformativa(10, 17));
        QCOMPARE(pages.size(), 8);
        QCOMPARE(pages.first().modelPage(), 0); // the instructions carry their own footer
        QVERIFY(pages.first().text().contains(u"INFORMAZIONI PER IL CONTRIBUENTE"_s));
        QVERIFY(pages.last().text().contains(u"pagina 17 di 17"_s));
    }
};

QTEST_GUILESS_MAIN(TestPrints)
#include "test_prints.moc"
