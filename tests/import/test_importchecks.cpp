// The checks of an import's options, shared by the wizard and the command
// line: the NoiPA choice needs the reporting body's fiscal code; "Solo dati
// INPS" excludes the fiscal data of the NoiPA liquidations.
#include "foundation/operator/Errors.h"
#include "import/run/ImportChecks.h"
#include "import/run/ImportParameters.h"

#include <QTest>

using namespace cu;

class TestImportChecks : public QObject
{
    Q_OBJECT

private slots:
    void options_data()
    {
        QTest::addColumn<bool>("noipa");
        QTest::addColumn<bool>("soloInps");
        QTest::addColumn<bool>("fiscaleNoipa");
        QTest::addColumn<QString>("reportingBody");
        QTest::addColumn<QString>("refusal"); // a part of the message; empty: accepted
        QTest::newRow("NoiPA con c.f.") << true << false << true << "80415740580" << "";
        QTest::newRow("NoiPA senza c.f.") << true << false << true << "" << "Il c.f. soggetto denuncia è obbligatorio";
        QTest::newRow("NoiPA con soli spazi") << true << false << true << "   " << "c.f. soggetto denuncia";
        QTest::newRow("UniEmens senza c.f.") << false << false << true << "" << "";
        QTest::newRow("Solo INPS e dati NoiPA") << false << true << true << "" << "contemporaneamente \"Solo INPS\"";
        QTest::newRow("Solo INPS") << false << true << false << "" << "";
    }
    void options()
    {
        QFETCH(bool, noipa);
        QFETCH(bool, soloInps);
        QFETCH(bool, fiscaleNoipa);
        QFETCH(QString, reportingBody);
        QFETCH(QString, refusal);
        ImportParameters params;
        params.includiInpdapMef = noipa;
        params.soloInps = soloInps;
        params.fiscaleNoipa = fiscaleNoipa;
        QString message;
        try {
            verificaParametri(params, reportingBody);
        } catch (const EZfError& e) {
            message = e.message();
        }
        if (refusal.isEmpty())
            QCOMPARE(message, QString());
        else
            QVERIFY2(message.contains(refusal), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestImportChecks)
#include "test_importchecks.moc"
