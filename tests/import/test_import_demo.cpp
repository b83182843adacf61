// The whole import on the demo archive, on SQLite and PostgreSQL: the
// certificates of every table and column against the expected snapshot
// (tests/import/data/demo-certificates.txt, checked by hand for the persons
// listed in docs/import.md), the same result when run again with "always
// overwrite", and the policies that keep existing certificates.
#include "DemoImport.h"
#include "support/TestDatabases.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using namespace cu::test;

namespace {

constexpr qint64 DemoPeople = 40;

QString snapshotPath()
{
    return sourceRoot() + u"/tests/import/data/demo-certificates.txt"_s;
}

// With MODELLOCU_UPDATE_SNAPSHOT=1 the snapshot is written instead of compared.
void compareWithSnapshot(const QStringList& actual)
{
    QFile file(snapshotPath());
    if (qEnvironmentVariableIntValue("MODELLOCU_UPDATE_SNAPSHOT") == 1) {
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
        file.write(actual.join(u'\n').toUtf8() + '\n');
        return;
    }
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text),
             qPrintable(u"snapshot missing: "_s + snapshotPath()));
    QCOMPARE(actual, QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts));
}

ImportParameters always()
{
    ImportParameters p;
    p.overwrite = OverwritePolicy::Always;
    return p;
}

} // namespace

class TestImportDemo : public QObject
{
    Q_OBJECT
private slots:
    void snapshotAndRerun_data() { TestDatabases::addEngineColumns(); }
    void snapshotAndRerun()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        Connection connection;
        connection.open(db.params());
        {
            DemoImport demo(connection);
            demo.createArchive(DemoPeople);
            const ImportOutcome first = demo.import(always());
            QVERIFY(first.listed > 0);
            QCOMPARE(first.imported + first.dropped + first.failed + first.skipped, first.listed);
            const QStringList certificates = demo.dump();
            compareWithSnapshot(certificates);

            // The person with INPS and FPLS contributions fails alone, with
            // the reason and the last statement on separate lines.
            QCOMPARE(first.failed, 1);
            QStringList stops;
            for (const ScriptedOperator::Message& message : demo.op().messages())
                if (message.stop)
                    stops.append(message.text);
            QCOMPARE(stops.size(), 1);
            QVERIFY2(
                stops.first().contains(
                    "\r\n\r\nContributi INPS ed FPLS (ex Enpals) presenti per la stessa persona\r\nQRY_"),
                qPrintable(stops.first()));

            const ImportOutcome second = demo.import(always());
            QCOMPARE(second.imported, first.imported);
            QCOMPARE(demo.dump(), certificates);
        }
        connection.close();
    }

    void neverOverwriteKeepsCertificates()
    {
        TestDatabase db(TestDatabases::Sqlite);
        CU_REQUIRE_DATABASE(db);
        Connection connection;
        connection.open(db.params());
        {
            DemoImport demo(connection);
            demo.createArchive(12);
            const ImportOutcome first = demo.import(always());
            const QStringList before = demo.dump();
            ImportParameters never;
            never.overwrite = OverwritePolicy::Never;
            const ImportOutcome second = demo.import(never);
            QCOMPARE(second.imported, 0);
            QCOMPARE(second.skipped, first.imported);
            QCOMPARE(demo.dump(), before);

            // Asked and refused: nothing changes either.
            ImportParameters ask;
            ask.overwrite = OverwritePolicy::Ask;
            demo.op().clear();
            for (int i = 0; i < first.imported; ++i)
                demo.op().queueAnswer(Operator::Answer::No);
            demo.import(ask);
            QCOMPARE(demo.op().questions().size(), first.imported);
            QVERIFY(demo.op().questions().first().endsWith(
                "Dipendente già presente in archivio, si vogliono sostituire i dati?"));
            QCOMPARE(demo.dump(), before);
        }
        connection.close();
    }
};

QTEST_GUILESS_MAIN(TestImportDemo)
#include "test_import_demo.moc"
