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

using namespace cu;
using cu::test::StoreFlow;

namespace {

const QStringList StoreIds{QStringLiteral("iAfiID"), QStringLiteral("iFisRigo")};

const QStringList AllTables{QStringLiteral("TCUS_DATISOST"), QStringLiteral("TCUAS_DATIALTRISOST"),
                            QStringLiteral("TCUCT_DATICT"), QStringLiteral("TCFO_FORNITORE"),
                            QStringLiteral("TCUD_DATICUD")};

// Every row of the tables the rules touch, to show that a refusal stored nothing.
QStringList everything(StoreFlow& flow)
{
    QStringList lines;
    for (const QString& table : AllTables)
        lines << table << flow.dumpTable(table);
    return lines;
}

template <typename Call> QString refusal(Call call)
{
    try {
        call();
    } catch (const EAbort&) {
        return QStringLiteral("(silenzioso)");
    } catch (const Error& e) {
        return e.message();
    }
    return QString();
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
    agents.setText(QStringLiteral("SSOSCODFIS"), code);
    agents.setText(QStringLiteral("SSOSDENOM"), name);
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
        agent.setText(QStringLiteral("SSOSCODFIS"), QStringLiteral("80012345676"));
        agent.post();
        QCOMPARE(flow->dumpTable(QStringLiteral("TCUS_DATISOST")).size(), 1);

        QVERIFY(!agent.canInsert());
        QCOMPARE(refusal([&] { agent.insert(); }), QStringLiteral("(silenzioso)"));
        QCOMPARE(agent.rows().recordCount(), 1);
        const QStringList before = everything(*flow);
        QCOMPARE(refusal([&] { agent.remove(); }),
                 QStringLiteral("Presenza di un unico rigo per il sostituto, non è possibile cancellarlo!"));
        QCOMPARE(everything(*flow), before);
    }

    void otherAgents_data() { cu::test::TestDatabases::addEngineColumns(); }
    void otherAgents()
    {
        auto flow = start(true);
        CU_REQUIRE_DATABASE(flow->database());
        OtherAgentsEditing agents(flow->certificates(), flow->op());
        agents.open();
        addOtherAgent(agents, QStringLiteral("01234567897"), QStringLiteral("COMUNE"));
        addOtherAgent(agents, QStringLiteral("80012345676"), QStringLiteral("PROVINCIA"));
        referTo(*flow, {QStringLiteral("01234567897"), QStringLiteral("01234567897"),
                        QStringLiteral("01234567897")});

        // The certificates choose them through the lookup over the store.
        const LookupSource source =
            lookupSource(*flow->schema().table(u"TCUD_DATICUD")->column(u"SCUDALTROSOSCODFIS"));
        Dataset lookup;
        loadLookup(lookup, source, flow->certificates(), flow->folders());
        QCOMPARE(firstShownField(lookup, source), QStringLiteral("SSOSCODFIS"));
        QCOMPARE(lookup.recordCount(), 2);
        QCOMPARE(nearestRow(lookup, QStringLiteral("SSOSCODFIS"), QStringLiteral("8")), 1);

        // Without a fiscal code, or with another agent's, nothing is stored.
        QStringList before = everything(*flow);
        agents.insert();
        agents.setText(QStringLiteral("SSOSDENOM"), QStringLiteral("SENZA CODICE"));
        QCOMPARE(refusal([&] { agents.post(); }),
                 QStringLiteral("ATTENZIONE: E' necessario specificare il codice fiscale del sostituto."));
        QCOMPARE(agents.rows().state(), Dataset::State::Insert);
        agents.setText(QStringLiteral("SSOSCODFIS"), QStringLiteral(" 80012345676"));
        QCOMPARE(refusal([&] { agents.post(); }),
                 QStringLiteral("Esiste già un altro sostituto con codice fiscale 80012345676."));
        agents.cancel();
        QCOMPARE(everything(*flow), before);

        // A code that three certificates use follows into all three.
        QVERIFY(agents.locate(QStringLiteral("01234567897")));
        agents.setText(QStringLiteral("SSOSCODFIS"), QStringLiteral("97735020584"));
        agents.post();
        QCOMPARE(agents.renamedCertificates(), 3);
        QCOMPARE(references(*flow), QStringList(3, QStringLiteral("97735020584")));

        // A code that no certificate uses changes the agent's row alone.
        const QStringList certificatesBefore = flow->dumpTable(QStringLiteral("TCUD_DATICUD"));
        QVERIFY(agents.locate(QStringLiteral("80012345676")));
        agents.setText(QStringLiteral("SSOSCODFIS"), QStringLiteral("80012345677"));
        agents.post();
        QCOMPARE(agents.renamedCertificates(), 0);
        QCOMPARE(flow->dumpTable(QStringLiteral("TCUD_DATICUD")), certificatesBefore);

        // An agent that certificates use cannot be deleted; one that none uses can.
        before = everything(*flow);
        QVERIFY(agents.locate(QStringLiteral("97735020584")));
        QCOMPARE(refusal([&] { agents.remove(); }),
                 QStringLiteral("Impossibile cancellare il sostituto, risultano associati dei Dati Cud."));
        QCOMPARE(everything(*flow), before);
        QVERIFY(agents.locate(QStringLiteral("80012345677")));
        agents.remove();
        QCOMPARE(flow->dumpTable(QStringLiteral("TCUAS_DATIALTRISOST")).size(), 1);
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
            QTest::newRow(e + " mobile only") << engine << "3331234567"
                                              << ""
                                              << "1";
            QTest::newRow(e + " e-mail only") << engine << ""
                                              << "a@b.it"
                                              << "1";
            QTest::newRow(e + " both cleared") << engine << ""
                                               << ""
                                               << "0";
            QTest::newRow(e + " blanks only") << engine << "   "
                                              << "  "
                                              << "0";
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
        QCOMPARE(refusal([&] { form.insert(); }), QStringLiteral("(silenzioso)"));

        form.edit();
        form.rows().setValue(u"SCTCELL", cell);
        form.rows().setValue(u"SCTEMAIL", email);
        form.post();
        Dataset agent;
        flow->store().open(agent, QStringLiteral("TCUS_DATISOST"));
        QCOMPARE(agent.asString(u"LSOSCT"), flag);

        // Without the form the agent has no CT form to announce.
        form.remove();
        flow->store().open(agent, QStringLiteral("TCUS_DATISOST"));
        QCOMPARE(agent.asString(u"LSOSCT"), QStringLiteral("0"));
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
        supplier.setText(QStringLiteral("STFOCODICE"), QStringLiteral("01"));
        QCOMPARE(refusal([&] { supplier.post(); }), QStringLiteral("Codice fiscale obbligatorio"));
        QVERIFY(!supplier.canClose());
        QCOMPARE(op.texts(Severity::Information),
                 QStringList{QStringLiteral(
                     "Non è possibile chiudere la finestra prima di aver salvato le modifiche")});

        // A code without a supplier type: the check list, and the answer decides.
        supplier.setText(QStringLiteral("STFOCODICE"), QString());
        supplier.setText(QStringLiteral("SFORCODFIS"), QStringLiteral("01234567897"));
        op.queueAnswer(Operator::Answer::No);
        QCOMPARE(refusal([&] { supplier.post(); }), QStringLiteral("(silenzioso)"));
        QCOMPARE(op.infos().size(), 1);
        QCOMPARE(op.infos().first().title, QStringLiteral("Informazioni"));
        QCOMPARE(op.infos().first().text, QStringLiteral(" - Dato obbligatorio mancante: Tipo fornitore"));
        QCOMPARE(op.infos().first().question, QStringLiteral("Si desidera proseguire?"));
        QVERIFY(flow->dumpTable(QStringLiteral("TCFO_FORNITORE")).isEmpty());
        op.queueAnswer(Operator::Answer::Yes);
        supplier.post();
        QCOMPARE(flow->dumpTable(QStringLiteral("TCFO_FORNITORE"), StoreIds),
                 QStringList{QStringLiteral("SFORCODFIS=01234567897")});
        QVERIFY(supplier.canClose());

        // Deleting asks; only Yes deletes.
        op.queueAnswer(Operator::Answer::No);
        QCOMPARE(refusal([&] { supplier.remove(); }), QStringLiteral("(silenzioso)"));
        QCOMPARE(flow->dumpTable(QStringLiteral("TCFO_FORNITORE")).size(), 1);
        op.queueAnswer(Operator::Answer::Yes);
        supplier.remove();
        QVERIFY(flow->dumpTable(QStringLiteral("TCFO_FORNITORE")).isEmpty());
        QCOMPARE(op.questions().mid(op.questions().size() - 2),
                 QStringList(2, QStringLiteral("Confermi la cancellazione del modello corrente ?")));
    }
};

QTEST_GUILESS_MAIN(TestAgentEditing)
#include "test_agent_editing.moc"
