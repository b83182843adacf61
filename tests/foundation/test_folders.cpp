// The installation folders and the case-insensitive resolution of resource
// names.
#include "foundation/installation/Folders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace cu;

class TestFolders : public QObject
{
    Q_OBJECT

private slots:
    void foldersUnderTheRoot()
    {
        QTemporaryDir dir;
        const Folders folders(dir.path());
        const QString root = QDir(dir.path()).absolutePath() + u'/';
        QCOMPARE(folders.root(), root);
        QCOMPARE(folders.res(), root + QStringLiteral("USR/FJ2024/Res/"));
        QCOMPARE(folders.tabelle(), root + QStringLiteral("USR/FJ2024/Res/Tabelle/"));
        QCOMPARE(folders.stp(), root + QStringLiteral("USR/FJ2024/Stp/"));
        QCOMPARE(folders.dichCU(), root + QStringLiteral("USR/FJ2024/DichCU/"));
        QCOMPARE(folders.etcKbr(), root + QStringLiteral("etc/kbr/"));
        QCOMPARE(folders.usrKbr(), root + QStringLiteral("usr/kbr/"));
        QCOMPARE(Folders(dir.path() + u'/').root(), root);
    }

    void defaultRootIsAboveTheExecutable()
    {
        QDir expected(QCoreApplication::applicationDirPath());
        expected.cdUp();
        QCOMPARE(Folders().root(), expected.absolutePath() + u'/');
    }

    void resolveIgnoresCase_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");
        QTest::newRow("exact") << "TCUA_ANNOFIN.cds"
                               << "TCUA_ANNOFIN.cds";
        QTest::newRow("other case") << "TCUA_ANNOFIN.CDS"
                                    << "TCUA_ANNOFIN.cds";
        QTest::newRow("lower case") << "tcua_annofin.cds"
                                    << "TCUA_ANNOFIN.cds";
        QTest::newRow("folder") << "tabelle"
                                << "Tabelle";
        QTest::newRow("missing keeps the name") << "Nuovo.CDS"
                                                << "Nuovo.CDS";
    }
    void resolveIgnoresCase()
    {
        QFETCH(QString, asked);
        QFETCH(QString, found);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("TCUA_ANNOFIN.cds")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Tabelle")));
        QCOMPARE(Folders::resolve(dir.path(), asked), dir.path() + u'/' + found);
        QCOMPARE(Folders::resolve(dir.path() + u'/', asked), dir.path() + u'/' + found);
    }
};

QTEST_GUILESS_MAIN(TestFolders)
#include "test_folders.moc"
