// The editing commands on a demo installation, on SQLite and PostgreSQL:
// the agent, CT form and supplier emptied after the import and filled in
// again through "set" alone, after which "check" finds nothing and "file"
// succeeds; a blanked mandatory column is the one finding of "check"; the
// refusals end with their message and a non-zero status and store nothing;
// a printed certificate is changed only after "stato --modificabile"; the
// demo's supply verifies with no finding.
#include "CommandLine.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::Run;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

constexpr qint64 People = 5;
constexpr qint64 DemoPeople = 40; // the demo's supply has self-employment too

const QStringList AgentTables{u"TCUS_DATISOST"_s, u"TCUCT_DATICT"_s, u"TCFO_FORNITORE"_s,
                              u"TCUAS_DATIALTRISOST"_s};

const char* const AgentFile = "# Dati del sostituto\n"
                              "SSOSCODFIS=80012345676\n"
                              "SSOSDENOM=ISTITUTO COMPRENSIVO STATALE\n"
                              "SSOSCOMUNE=ROMA\n"
                              "SSOSPROV=RM\n"
                              "SSOSCAP=00184\n"
                              "SSOSINDIRIZZO=VIA NAZIONALE 1\n"
                              "SSOSCFRAPPR=RSSMRA85T10A562S\n"
                              "SCARCODICE=1\n"
                              "SSOSCOGNRAPPR=ROSSI\n"
                              "SSOSNOMERAPPR=MARIO\n"
                              "SSOSFIRMACOM=MARIO ROSSI\n"
                              "LSOSDICHCONTRIB=1\n"
                              "DSOSDTIMPEGNO=28/02/2025\n";

#define CU_EXPECT_RUN(run, expected) QVERIFY2((run).status == (expected), qPrintable((run).out + (run).err))

} // namespace

class TestEditingCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(test::modellocuProgram()), "build the modellocu target first");
    }

    void fillCheckAndFile_data() { TestDatabases::addEngineColumns(); }
    void fillCheckAndFile()
    {
        QFETCH(QString, engine);
        TestDatabase database(engine);
        CU_REQUIRE_DATABASE(database);
        const test::DemoOnDatabase demo(database.params(), DemoPeople);
        CU_EXPECT_RUN(demo.modellocu({"import", "--sovrascrivi", "sempre"}), 0);

        demo.empty(AgentTables);
        CU_EXPECT_RUN(demo.modellocu({"file", "--yes"}), 1);

        CU_EXPECT_RUN(
            demo.modellocu({"sostituto", "set", "--file", demo.writeFile("sostituto.txt", AgentFile)}), 0);
        CU_EXPECT_RUN(demo.modellocu({"quadro-ct", "set", "SCTCODFIS=80012345676", "SCTCELL=3331234567",
                                      "SCTFIRMA=MARIO ROSSI"}),
                      0);
        CU_EXPECT_RUN(demo.modellocu({"fornitore", "set", "SFORCODFIS=80012345676", "STFOCODICE=01"}), 0);
        const QStringList filled = demo.rows(AgentTables);
        QVERIFY2(filled.contains(u"TCFO_FORNITORE|SFORCODFIS=80012345676|STFOCODICE=01"_s),
                 qPrintable(filled.join(u'\n')));
        QVERIFY(filled.filter(u"TCUS_DATISOST|"_s).first().contains(u"|LSOSCT=1|"));
        QVERIFY(filled.filter(u"TCUS_DATISOST|"_s).first().contains(u"|DSOSDTIMPEGNO=2025-02-28|"));
        const Run shown = demo.modellocu({"sostituto", "show"});
        CU_EXPECT_RUN(shown, 0);
        QVERIFY(shown.out.contains(u"\nSSOSFIRMACOM=MARIO ROSSI\n"));
        QVERIFY(shown.out.contains(u"\nDSOSDTIMPEGNO=28/02/2025\n"));

        const Run clean = demo.modellocu({"check"});
        CU_EXPECT_RUN(clean, 0);
        QCOMPARE(clean.out, QString());
        const Run file = demo.modellocu({"file", "--yes"}); // verified: D, G and H lines, no finding
        CU_EXPECT_RUN(file, 0);
        QVERIFY2(file.out.contains(u"nessun difetto"_s) && !file.out.contains(u", H 0)"_s),
                 qPrintable(file.out));

        // One blanked mandatory column: exactly that finding.
        CU_EXPECT_RUN(demo.modellocu({"sostituto", "set", "SCARCODICE="}), 0);
        const Run found = demo.modellocu({"check"});
        CU_EXPECT_RUN(found, 1);
        QCOMPARE(found.out, u"Sostituto SCARCODICE: Dato obbligatorio mancante: Codice carica del "
                            "rappresentante firmatario\n"_s);
    }

    void refusalsStoreNothing_data() { TestDatabases::addEngineColumns(); }
    void refusalsStoreNothing()
    {
        QFETCH(QString, engine);
        TestDatabase database(engine);
        CU_REQUIRE_DATABASE(database);
        const test::DemoOnDatabase demo(database.params(), People);
        CU_EXPECT_RUN(demo.modellocu({"import", "--sovrascrivi", "sempre"}), 0);
        const QStringList tables = AgentTables + QStringList{u"TCUD_DATICUD"_s};
        const QStringList before = demo.rows(tables);

        struct Refused
        {
            QStringList args;
            QString message;
        };
        const Refused refusals[] = {
            {{"altri-sostituti", "set", "SSOSDENOM=SENZA CODICE"},
             "ATTENZIONE: E' necessario specificare il codice fiscale del sostituto."},
            {{"fornitore", "set", "STFOCODICE="}, "Si desidera proseguire?"},
            {{"sostituto", "set", "SSOSNONESISTE=1"},
             "Colonna sconosciuta nella tabella TCUS_DATISOST: SSOSNONESISTE"},
            {{"sostituto", "set", "DSOSDTIMPEGNO=31/02/2025"}, "Valore non valido per DSOSDTIMPEGNO"},
            {{"sostituto", "set", "SSOSDENOM"}, "Atteso COLONNA=valore"},
            {{"certificato", "set", "--cf", "XXXXXX00A00X000X", "SCUDNOME=X"}, "Certificazione non trovata"},
        };
        for (const Refused& refused : refusals) {
            const Run run = demo.modellocu(refused.args);
            QVERIFY2(run.status != 0, qPrintable(refused.args.join(u' ')));
            QVERIFY2(run.err.contains(refused.message), qPrintable(run.err));
        }
        QCOMPARE(demo.rows(tables), before);
    }

    void printedCertificate_data() { TestDatabases::addEngineColumns(); }
    void printedCertificate()
    {
        QFETCH(QString, engine);
        TestDatabase database(engine);
        CU_REQUIRE_DATABASE(database);
        const test::DemoOnDatabase demo(database.params(), People);
        CU_EXPECT_RUN(demo.modellocu({"import", "--sovrascrivi", "sempre"}), 0);
        const QString first = demo.rows({u"TCUD_DATICUD"_s}).first();
        const auto column = [&first](const char* name) {
            return first.section(u"|%1="_s.arg(QLatin1String(name)), 1).section(u'|', 0, 0);
        };
        const QString code = column("SCUDCODFIS");
        QVERIFY(!code.isEmpty());
        const QString key = code + u'/' + column("SCUDMESE");
        CU_EXPECT_RUN(demo.modellocu({"print", "sintetico", "--cf", code}), 0);
        CU_EXPECT_RUN(demo.modellocu({"stato", "--cf", key}), 0);

        const Run locked = demo.modellocu({"certificato", "set", "--cf", key, "SCUDCOMNAS=NAPOLI"});
        CU_EXPECT_RUN(locked, 1);
        QVERIFY2(locked.err.contains(u"Il modello è gia stato stampato"), qPrintable(locked.err));
        const Run refused = demo.modellocu({"stato", "--cf", key, "--modificabile"});
        CU_EXPECT_RUN(refused, 1);
        QVERIFY(refused.err.contains(u"Il modello è gia stato stampato, si desidera modificarlo?"));

        const Run released = demo.modellocu({"stato", "--cf", key, "--modificabile", "--yes"});
        CU_EXPECT_RUN(released, 0);
        QVERIFY2(released.out.contains(u": modificabile"), qPrintable(released.out));
        CU_EXPECT_RUN(demo.modellocu({"certificato", "set", "--cf", key, "SCUDCOMNAS=NAPOLI"}), 0);
        const Run shown = demo.modellocu({"certificato", "show", "--cf", key});
        CU_EXPECT_RUN(shown, 0);
        QVERIFY2(shown.out.contains(u" SCUDCOMNAS=NAPOLI\n"), qPrintable(shown.out));
        QVERIFY(shown.out.startsWith(u"Certificazione %1 (modificabile)\n"_s.arg(key)));
    }
};

QTEST_GUILESS_MAIN(TestEditingCommands)
#include "test_editing_commands.moc"
