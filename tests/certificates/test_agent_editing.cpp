// The rules of the withholding agent, the other agents, the CT form and the
// supplier through the core editing API, on SQLite and PostgreSQL: every
// refusal leaves the store as it was, every question decides, the renaming
// of an agent's code reaches the certificates, LSOSCT follows the CT form.
#include "certificates/CertificateStore.h"
#include "certificates/agent/AgentEditing.h"
#include "certificates/agent/CtFormEditing.h"
#include "certificates/agent/OtherAgentsEditing.h"
#include "certificates/agent/SupplierEditing.h"
#include "certificates/editing/Lookup.h"
#include "store/HlmDBCds.h"
#include "support/StoreFlowFixture.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::refusal;
using cu::test::StoreFlow;

namespace {

const QStringList StoreIds{u"iAfiID"_s, u"iFisRigo"_s};

const QStringList AllTables{u"TCUS_DATISOST"_s, u"TCUAS_DATIALTRISOST"_s, u"TCUCT_DATICT"_s,
                            u"TCFO_FORNITORE"_s, u"TCUD_DATICUD"_s};

// Every row of the tables the rules touch, to show that a refusal stored nothing.
QStringList everything(StoreFlow& flow)
{
    QStringList lines;
    for (const QString& table : AllTables)
        lines << table << flow.dumpTable(table);
    return lines;
}

// The agent code that each certificate refers to, in list order.
QStringList references(StoreFlow& flow)
{
    Dataset list;
    flow.certificates().openCertificates(list);
    QStringList codes;
    for (list.first(); !list.eof(); list.next())
        codes << list.asString(u"SCUDALTROSOSCODFIS");
    return codes;
}

void referTo(StoreFlow& flow, const QStringList& codes)
{
    Dataset list;
    flow.certificates().openCertificates(list);
    int i = 0;
    for (list.first(); !list.eof(); list.next(), ++i) {
        list.edit();
        list.setValue(u"SCUDALTROSOSCODFIS", codes.value(i));
        list.post();
        flow.certificates().saveCertificate(list);
    }
}

void addOtherAgent(OtherAgentsEditing& agents, const QString& code, const QString& name)
{
    agents.insert();
    agents.setText(u"SSOSCODFIS"_s, code);
    agents.setText(u"SSOSDENOM"_s, name);
    agents.post();
}

} // namespace

class TestAgentEditing : public QObject
{
    Q_OBJECT

    std::unique_ptr<StoreFlow> start(bool withSupply)
    {
        QFETCH(QString, engine);
        auto flow = std::make_unique<StoreFlow>(engine);
        if (!flow->database().available())
            return flow;
        flow->install();
        if (withSupply)
            flow->writeSampleSupply();
        return flow;
    }

private slots:
    void agentRow_data() { cu::test::TestDatabases::addEngineColumns(); }
    void agentRow()
    {
        auto flow = start(false);
        CU_REQUIRE_DATABASE(flow->database());
        AgentEditing agent(flow->certificates(), flow->op());
        agent.open();
        QVERIFY(agent.canInsert());
        agent.setText(u"SSOSCODFIS"_s, u"80012345676"_s);
        agent.post();
        QCOMPARE(flow->dumpTable(u"TCUS_DATISOST"_s).size(), 1);

        QVERIFY(!agent.canInsert());
        QCOMPARE(refusal([&] { agent.insert(); }), u"(silenzioso)"_s);
        QCOMPARE(agent.rows().recordCount(), 1);
        const QStringList before = everything(*flow);
        QCOMPARE(refusal([&] { agent.remove(); }),
                 u"Presenza di un unico rigo per il sostituto, non è possibile cancellarlo!"_s);
        QCOMPARE(everything(*flow), before);
    }

    void otherAgents_data() { cu::test::TestDatabases::addEngineColumns(); }
    void otherAgents()
    {
        auto flow = start(true);
        CU_REQUIRE_DATABASE(flow->database());
        OtherAgentsEditing agents(flow->certificates(), flow->op());
        agents.open();
        addOtherAgent(agents, u"01234567897"_s, u"COMUNE"_s);
        addOtherAgent(agents, u"80012345676"_s, u"PROVINCIA"_s);
        referTo(*flow, {u"01234567897"_s, u"01234567897"_s, u"01234567897"_s});

        // The certificates choose them through the lookup over the store.
        const LookupSource source =
            lookupSource(*flow->schema().table(u"TCUD_DATICUD")->column(u"SCUDALTROSOSCODFIS"));
        Dataset lookup;
        loadLookup(lookup, source, flow->certificates(), flow->folders());
        QCOMPARE(firstShownField(lookup, source), u"SSOSCODFIS"_s);
        QCOMPARE(lookup.recordCount(), 2);
        QCOMPARE(nearestRow(lookup, u"SSOSCODFIS"_s, u"8"_s), 1);

        // Without a fiscal code, or with another agent's, nothing is stored.
        QStringList before = everything(*flow);
        agents.insert();
        agents.setText(u"SSOSDENOM"_s, u"SENZA CODICE"_s);
        QCOMPARE(refusal([&] { agents.post(); }),
                 u"ATTENZIONE: E' necessario specificare il codice fiscale del sostituto."_s);
        QCOMPARE(agents.rows().state(), Dataset::State::Insert);
        agents.setText(u"SSOSCODFIS"_s, u" 80012345676"_s);
        QCOMPARE(refusal([&] { agents.post(); }),
                 u"Esiste già un altro sostituto con codice fiscale 80012345676."_s);
        agents.cancel();
        QCOMPARE(everything(*flow), before);

        // A code that three certificates use follows into all three.
        QVERIFY(agents.locate(u"01234567897"_s));
        agents.setText(u"SSOSCODFIS"_s, u"97735020584"_s);
        agents.post();
        QCOMPARE(agents.renamedCertificates(), 3);
        QCOMPARE(references(*flow), QStringList(3, u"97735020584"_s));

        // A code that no certificate uses changes the agent's row alone.
        const QStringList certificatesBefore = flow->dumpTable(u"TCUD_DATICUD"_s);
        QVERIFY(agents.locate(u"80012345676"_s));
        agents.setText(u"SSOSCODFIS"_s, u"80012345677"_s);
        agents.post();
        QCOMPARE(agents.renamedCertificates(), 0);
        QCOMPARE(flow->dumpTable(u"TCUD_DATICUD"_s), certificatesBefore);

        // An agent that certificates use cannot be deleted; one that none uses can.
        before = everything(*flow);
        QVERIFY(agents.locate(u"97735020584"_s));
        QCOMPARE(refusal([&] { agents.remove(); }),
                 u"Impossibile cancellare il sostituto, risultano associati dei Dati Cud."_s);
        QCOMPARE(everything(*flow), before);
        QVERIFY(agents.locate(u"80012345677"_s));
        agents.remove();
        QCOMPARE(flow->dumpTable(u"TCUAS_DATIALTRISOST"_s).size(), 1);
        QVERIFY(flow->op().questions().isEmpty());
    }

    void ctForm_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("flag");
        for (const QString& engine : cu::test::TestDatabases::engines()) {
            const QByteArray e = engine.toUtf8();
            // clang-format off
            QTest::newRow(e + " mobile only") << engine << "3331234567" << "" << "1";
            QTest::newRow(e + " e-mail only") << engine << "" << "a@b.it" << "1";
            QTest::newRow(e + " both cleared") << engine << "" << "" << "0";
            QTest::newRow(e + " blanks only") << engine << "   " << "  " << "0";
            // clang-format on
        }
    }
    void ctForm()
    {
        QFETCH(QString, cell);
        QFETCH(QString, email);
        QFETCH(QString, flag);
        auto flow = start(true);
        CU_REQUIRE_DATABASE(flow->database());
        CtFormEditing form(flow->certificates(), flow->op());
        form.open();
        QVERIFY(!form.canInsert());
        QCOMPARE(refusal([&] { form.insert(); }), u"(silenzioso)"_s);

        form.edit();
        form.rows().setValue(u"SCTCELL", cell);
        form.rows().setValue(u"SCTEMAIL", email);
        form.post();
        Dataset agent;
        flow->store().open(agent, u"TCUS_DATISOST"_s);
        QCOMPARE(agent.asString(u"LSOSCT"), flag);

        // Without the form the agent has no CT form to announce.
        form.remove();
        flow->store().open(agent, u"TCUS_DATISOST"_s);
        QCOMPARE(agent.asString(u"LSOSCT"), u"0"_s);
        QVERIFY(form.canInsert());
    }

    void supplier_data() { cu::test::TestDatabases::addEngineColumns(); }
    void supplier()
    {
        auto flow = start(false);
        CU_REQUIRE_DATABASE(flow->database());
        ScriptedOperator& op = flow->op();
        SupplierEditing supplier(flow->certificates(), op);
        supplier.open();

        supplier.insert();
        supplier.setText(u"STFOCODICE"_s, u"01"_s);
        QCOMPARE(refusal([&] { supplier.post(); }), u"Codice fiscale obbligatorio"_s);
        QVERIFY(!supplier.canClose());
        QCOMPARE(op.texts(Severity::Information),
                 QStringList{u"Non è possibile chiudere la finestra prima di aver salvato le modifiche"_s});

        // A code without a supplier type: the check list, and the answer decides.
        supplier.setText(u"STFOCODICE"_s, QString());
        supplier.setText(u"SFORCODFIS"_s, u"01234567897"_s);
        op.queueAnswer(Operator::Answer::No);
        QCOMPARE(refusal([&] { supplier.post(); }), u"(silenzioso)"_s);
        QCOMPARE(op.infos().size(), 1);
        QCOMPARE(op.infos().first().title, u"Informazioni"_s);
        QCOMPARE(op.infos().first().text, u" - Dato obbligatorio mancante: Tipo fornitore"_s);
        QCOMPARE(op.infos().first().question, u"Si desidera proseguire?"_s);
        QVERIFY(flow->dumpTable(u"TCFO_FORNITORE"_s).isEmpty());
        op.queueAnswer(Operator::Answer::Yes);
        supplier.post();
        QCOMPARE(flow->dumpTable(u"TCFO_FORNITORE"_s, StoreIds), QStringList{u"SFORCODFIS=01234567897"_s});
        QVERIFY(supplier.canClose());

        // Deleting asks; only Yes deletes.
        op.queueAnswer(Operator::Answer::No);
        QCOMPARE(refusal([&] { supplier.remove(); }), u"(silenzioso)"_s);
        QCOMPARE(flow->dumpTable(u"TCFO_FORNITORE"_s).size(), 1);
        op.queueAnswer(Operator::Answer::Yes);
        supplier.remove();
        QVERIFY(flow->dumpTable(u"TCFO_FORNITORE"_s).isEmpty());
        QCOMPARE(op.questions().mid(op.questions().size() - 2),
                 QStringList(2, u"Confermi la cancellazione del modello corrente ?"_s));
    }
};

QTEST_GUILESS_MAIN(TestAgentEditing)
#include "test_agent_editing.moc"
