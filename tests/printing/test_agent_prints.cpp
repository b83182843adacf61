// Frontispiece, Quadro CT, signature sheet and information notice, read back
// from their PDFs.
#include "foundation/dataset/Dataset.h"
#include "printing/AgentPrint.h"
#include "printing/EliStampePDF.h"
#include "support/PrintingFixture.h"

#include <QtTest>

using namespace cu;
using cu::test::PdfPageText;
using cu::test::PdfWord;

namespace {

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

class TestAgentPrints : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::PrintingInstallation> m_installation;
    std::unique_ptr<test::MemoryTables> m_tables;

    void addAgent(const QVariantMap& more = {})
    {
        QVariantMap values{{"SSOSCODFIS", "80012345676"},
                           {"SSOSDENOM", "ISTITUTO DI PROVA"},
                           {"SSOSINDIRIZZO", "VIA ROMA 1"},
                           {"SSOSCOMUNE", "MILANO"},
                           {"SSOSPROV", "MI"},
                           {"SSOSCAP", "20100"},
                           {"SSOSTELFAX", "02123456"},
                           {"SSOSEMAIL", "scuola@example.it"}};
        for (auto it = more.begin(); it != more.end(); ++it)
            values.insert(it.key(), it.value());
        m_tables->addRow(QStringLiteral("TCUS_DATISOST"), values);
    }
    void addCertificate(const QString& taxCode, const QString& surname)
    {
        m_tables->addRow(QStringLiteral("TCUD_DATICUD"), {{"SCUDCODFIS", taxCode},
                                                          {"SCUDCOGNOME", surname},
                                                          {"SCUDNOME", QStringLiteral("ANNA")},
                                                          {"SCUDMESE", QStringLiteral("12")}});
    }

private slots:
    void init()
    {
        m_installation = std::make_unique<test::PrintingInstallation>();
        m_tables = std::make_unique<test::MemoryTables>(m_installation->schema());
    }

    void frontispieceFlags_data()
    {
        QTest::addColumn<QString>("annulment");
        QTest::addColumn<QString>("replacement");
        QTest::newRow("annulment") << "1"
                                   << "0";
        QTest::newRow("replacement") << "0"
                                     << "1";
        QTest::newRow("neither") << "0"
                                 << "0";
    }
    void frontispieceFlags()
    {
        QFETCH(QString, annulment);
        QFETCH(QString, replacement);
        addAgent({{"LSOSANNULLAMENTO", annulment}, {"LSOSSOSTITUZIONE", replacement}, {"ISOSNDIP", 0}});
        Dataset agent;
        m_tables->open(agent, QStringLiteral("TCUS_DATISOST"));
        agent.first();
        Dataset noCtForm;
        m_tables->open(noCtForm, QStringLiteral("TCUCT_DATICT"));
        AgentPrint print(m_installation->folders());
        const QString path = print.printFrontispiece(agent, noCtForm, QStringLiteral("Frontespizio"));
        const QVector<PdfPageText> pages = test::readPdf(path);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].modelPage(), 1);
        QCOMPARE(crossAt(pages[0], 65, 53), annulment == u"1");
        QCOMPARE(crossAt(pages[0], 126, 53), replacement == u"1");
        QVERIFY(pages[0].contains(QStringLiteral("80012345676")));
        QVERIFY(pages[0].find(QStringLiteral("0"))); // a text "0" is drawn on the agent pages
    }

    // The frontispiece's CT box follows the CT form as record B does, not the
    // agent's own flag.
    void frontispieceCtBox_data()
    {
        QTest::addColumn<QString>("mobile");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("agentFlag");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("mobile number only") << "3331234567"
                                            << ""
                                            << "0" << true;
        QTest::newRow("e-mail only") << ""
                                     << "ct@example.it"
                                     << "0" << true;
        QTest::newRow("neither, agent's flag set") << ""
                                                   << ""
                                                   << "1" << false;
    }
    void frontispieceCtBox()
    {
        QFETCH(QString, mobile);
        QFETCH(QString, email);
        QFETCH(QString, agentFlag);
        QFETCH(bool, ticked);
        addAgent({{"LSOSCT", agentFlag}});
        m_tables->addRow(QStringLiteral("TCUCT_DATICT"),
                         {{"SCTCODFIS", "80012345676"}, {"SCTCELL", mobile}, {"SCTEMAIL", email}});
        Dataset agent;
        m_tables->open(agent, QStringLiteral("TCUS_DATISOST"));
        agent.first();
        Dataset ct;
        m_tables->open(ct, QStringLiteral("TCUCT_DATICT"));
        AgentPrint print(m_installation->folders());
        const PdfPageText page =
            test::readPdf(print.printFrontispiece(agent, ct, QStringLiteral("Frontespizio"))).value(0);
        int crosses = 0;
        for (const PdfWord& w : page.words)
            crosses += w.text == u"X";
        QCOMPARE(crosses, ticked ? 1 : 0);
    }

    void quadroCtCheckBoxAndTexts()
    {
        m_tables->addRow(QStringLiteral("TCUCT_DATICT"), {{"SCTCODFIS", "80012345676"},
                                                          {"LCTFISCONLINE", "1"},
                                                          {"LCTSRVENTRATEL", "0"},
                                                          {"SCTSEDEENT", "0"},
                                                          {"SCTEMAIL", "ct@example.it"}});
        Dataset ct;
        m_tables->open(ct, QStringLiteral("TCUCT_DATICT"));
        ct.first();
        AgentPrint print(m_installation->folders());
        const PdfPageText page = test::readPdf(print.printQuadroCT(ct, QStringLiteral("QuadroCT"))).value(0);
        QCOMPARE(page.modelPage(), 2);
        int crosses = 0;
        for (const PdfWord& w : page.words)
            crosses += w.text == u"X";
        QCOMPARE(crosses, 1); // Fisconline set, Entratel not
        QVERIFY(page.contains(QStringLiteral("ct@example.it")));
        QVERIFY(page.contains(QStringLiteral("0")));
    }

    // 24 recipients: two sheets, the second with one row on the first rule and
    // the heading repeated; a tax code without a certificate leaves its row empty.
    void signatureSheet()
    {
        addAgent();
        QStringList codes;
        for (int i = 0; i < 24; ++i) {
            const QString code = QStringLiteral("CODICE%1A01H501U").arg(i, 2, 10, QLatin1Char('0'));
            addCertificate(code, QStringLiteral("COGNOME%1").arg(i, 2, 10, QLatin1Char('0')));
            codes.append(code);
        }
        codes.insert(2, QStringLiteral("SENZACERTIFICAT0")); // row 2 stays empty
        codes.removeLast();                                  // 24 codes in all
        EliStampePDF module(m_installation->folders(), *m_tables, 2024);
        const QVector<PdfPageText> pages = test::readPdf(module.PrintSignatureSheet(codes));
        QCOMPARE(pages.size(), 2);
        for (const PdfPageText& page : pages) {
            QVERIFY(page.contains(QStringLiteral("ISTITUTO")));
            QVERIFY(page.contains(QStringLiteral("2024")));
        }
        auto baselineRow = [](const PdfWord* w) { return qRound((w->bottom / MmPerPoint - 153 - 2) / 28.0); };
        const PdfWord* third = pages[0].find(QStringLiteral("COGNOME02"));
        QVERIFY(third);
        QCOMPARE(baselineRow(third), 3); // one row down after the empty one
        const PdfWord* last = pages[0].find(QStringLiteral("COGNOME21"));
        QVERIFY(last);
        QCOMPARE(baselineRow(last), 22);
        int names = 0;
        for (const PdfWord& w : pages[1].words)
            names += w.text.startsWith(QStringLiteral("COGNOME"));
        QCOMPARE(names, 1);
        const PdfWord* second = pages[1].find(QStringLiteral("COGNOME22"));
        QVERIFY(second);
        QCOMPARE(baselineRow(second), 0);
        QVERIFY(!module.cdsDipendenti.isActive()); // the sheet's data are closed afterwards
    }

    void informationNotice()
    {
        EliStampePDF module(m_installation->folders(), *m_tables, 2024);
        const QVector<PdfPageText> pages = test::readPdf(module.ExtractInformativa(10, 17));
        QCOMPARE(pages.size(), 8);
        QCOMPARE(pages.first().modelPage(), 0); // the instructions carry their own footer
        QVERIFY(pages.first().text().contains(QStringLiteral("INFORMAZIONI PER IL CONTRIBUENTE")));
        QVERIFY(pages.last().text().contains(QStringLiteral("pagina 17 di 17")));
    }
};

QTEST_GUILESS_MAIN(TestAgentPrints)
#include "test_agent_prints.moc"
