// The 730 assistance items of the installation (etc/kbr/TV730_VOCI730.cds):
// each feeds a column with a point of the form, so that its amount reaches
// the telematic file and the prints; the substitute tax on productivity
// bonuses of the declarant and of the spouse go to points 101 and 301.
#include "ImportTestSupport.h"
#include "import/builders/SezioneFiscale.h"

#include <QTest>

using namespace cu;
using namespace cu::test;

namespace {

QString installedMapping()
{
    return buildRoot() + QStringLiteral("/etc/kbr/TV730_VOCI730.cds");
}

} // namespace

class TestVoci730 : public QObject
{
    Q_OBJECT

private slots:
    void everyItemFeedsAPointedColumn()
    {
        ImportTables tables;
        tables.load730(installedMapping());
        QVERIFY(!tables.voci730.isEmpty());
        const TableSchema* certificates = schema().table(u"TCUD_DATICUD");
        for (const auto& [item, column] : tables.voci730) {
            const ColumnSchema* c = certificates->column(column);
            QVERIFY2(c, qPrintable(QStringLiteral("voce %1: colonna %2 inesistente").arg(item).arg(column)));
            QVERIFY2(!c->point.isEmpty(),
                     qPrintable(QStringLiteral("voce %1: colonna %2 senza punto").arg(item).arg(column)));
        }
    }

    void productivityBonusTaxReachesItsPoints()
    {
        Person p;
        p.tables.load730(installedMapping());
        p.archive.on("QRY_CUD_730", rows({"IVACRID", "ICOMRID", "FVACRLORDO"},
                                         {{1, 10057, "120.50"}, {2, 10058, "80.25"}, {3, 10057, "9.50"}}));
        SezioneFiscale::Assistenza730(p.ctx);
        QCOMPARE(p.amount("FCUDISPRT"), money("130"));    // point 101
        QCOMPARE(p.amount("FCUDCISPRT"), money("80.25")); // point 301
        QVERIFY(p.amount("FCUDISPPT").isZero());
        QVERIFY(p.amount("FCUDISPPCT").isZero());
    }
};

QTEST_GUILESS_MAIN(TestVoci730)
#include "test_voci730.moc"
