// The printed marks of a run on both engines: every printed certificate is
// marked together once the PDF is saved; a run whose marking breaks off
// after part of it was written leaves no certificate marked.
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "printing/CertificatePrint.h"
#include "printing/PrintTables.h"
#include "store/HlmDBCds.h"
#include "support/StoreFlowFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using namespace cu::test;

namespace {

// The store's tables, whose saves are written and then break off when asked
// (as a run killed or cut from its server after a partial write).
class BreakingTables : public StorePrintTables
{
public:
    BreakingTables(HlmDBCds& store, bool breaks) : StorePrintTables(store, 2024), m_breaks(breaks) {}
    void save(Dataset& dataset, const QString& tableName, int month) override
    {
        StorePrintTables::save(dataset, tableName, month);
        if (m_breaks)
            throw DatabaseError(u"scrittura interrotta"_s);
    }

private:
    bool m_breaks;
};

QList<qint64> printedStates(StoreFlow& flow)
{
    Dataset certificates;
    flow.store().open(certificates, u"TCUD_DATICUD"_s);
    QList<qint64> states;
    for (certificates.first(); !certificates.eof(); certificates.next())
        states.append(certificates.asInteger(u"ICUDSTATO"));
    return states;
}

} // namespace

class TestPrintMarks : public QObject
{
    Q_OBJECT
private slots:
    void marksAllOrNone_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("breaks");
        QTest::addColumn<bool>("perRecipient");
        for (const QString& engine : TestDatabases::engines()) {
            QTest::addRow("%s saved", qPrintable(engine)) << engine << false << false;
            QTest::addRow("%s saved per recipient", qPrintable(engine)) << engine << false << true;
            QTest::addRow("%s broken off", qPrintable(engine)) << engine << true << false;
            QTest::addRow("%s broken off per recipient", qPrintable(engine)) << engine << true << true;
        }
    }
    void marksAllOrNone()
    {
        QFETCH(QString, engine);
        QFETCH(bool, breaks);
        QFETCH(bool, perRecipient);
        StoreFlow flow(engine);
        CU_REQUIRE_DATABASE(flow.database());
        flow.install();
        flow.writeSampleSupply();
        BreakingTables tables(flow.store(), breaks);
        Dataset list;
        tables.open(list, u"TCUD_DATICUD"_s);
        CertificatePrintOptions options;
        options.outputName = u"tutti"_s;
        CertificatePrint print(flow.folders(), tables, flow.op(), 2024);
        try {
            if (perRecipient)
                print.printPerRecipient(list, options);
            else
                print.print(list, options);
            QVERIFY(!breaks);
        } catch (const DatabaseError& e) {
            QVERIFY2(breaks, qPrintable(e.message()));
        }
        QCOMPARE(printedStates(flow), QList<qint64>(list.recordCount(), breaks ? 0 : 1));
    }
};

QTEST_GUILESS_MAIN(TestPrintMarks)
#include "test_print_marks.moc"
