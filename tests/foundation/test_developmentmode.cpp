// Development mode follows the file etc/eli/dev of the installation, found
// without regard to case like every resource.
#include "foundation/installation/Folders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace cu;

class TestDevelopmentMode : public QObject
{
    Q_OBJECT

private slots:
    void followsTheDevFile()
    {
        QTemporaryDir root;
        const Folders folders(root.path() + u'/');
        QVERIFY(!IsDevelopmentMode(folders));
        QVERIFY(QDir().mkpath(folders.etc() + QStringLiteral("ELI")));
        QVERIFY(!IsDevelopmentMode(folders)); // the folder alone is not enough
        QFile dev(folders.etc() + QStringLiteral("ELI/Dev"));
        QVERIFY(dev.open(QIODevice::WriteOnly));
        dev.close();
        QVERIFY(IsDevelopmentMode(folders));
    }
};

QTEST_GUILESS_MAIN(TestDevelopmentMode)
#include "test_developmentmode.moc"
