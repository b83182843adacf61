// A failed write of a certificate's annotation rows ends the selection with
// the database's error instead of a remark about the annotations.
#include "foundation/operator/ScriptedOperator.h"
#include "support/TelematicTestSupport.h"
#include "telematic/records/CertificateSelection.h"

#include <QTest>

using namespace cu;

class TestAnnotationWrite : public QObject
{
    Q_OBJECT

private slots:
    void failedWriteRaises()
    {
        test::TelematicInstallation installation({QStringLiteral("AA")});
        TelematicData data;
        test::defineTables(data);
        test::appendCertificate(data, 1, {{QStringLiteral("SCUDANNOTAZIONI"), QStringLiteral("AA) testo")}});
        ScriptedOperator op;
        CertificateSelection selection(data, installation.folders(), op,
                                       [](qint64, int, const QVector<QStringList>&) {
                                           throw DatabaseError(QStringLiteral("disco pieno"));
                                       });
        selection.prepare();
        try {
            selection.select(0);
            QFAIL("a failed write must raise");
        } catch (const DatabaseError& e) {
            QCOMPARE(e.message(), QStringLiteral("disco pieno"));
        }
        QCOMPARE(op.messages().size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestAnnotationWrite)
#include "test_annotation_write.moc"
