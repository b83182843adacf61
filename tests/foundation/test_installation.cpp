// The installation: its folders, the case-insensitive resolution of resource
// names and the development mode that follows from them, the INI reader, connection parameters from file,
// environment and command line (the password never shown), and the start-up
// parameters with their value check.
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/HlmUtil.h"
#include "foundation/installation/IniFile.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/operator/Errors.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace cu;
using cu::test::writeFile;

namespace {
const char* const PasswordVariable = "MODELLOCU_DB_PASSWORD";
} // namespace

class TestInstallation : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<Folders> m_folders;

    QString iniPath() const { return ConnectionSettings::settingsFile(*m_folders); }

private slots:
    void init()
    {
        qunsetenv(PasswordVariable);
        m_root = std::make_unique<QTemporaryDir>();
        m_folders = std::make_unique<Folders>(m_root->path());
    }
    void cleanup() { qunsetenv(PasswordVariable); }

    // The root ends with a slash however it is given; without one, it is the
    // folder above the executable's.
    void foldersUnderTheRoot()
    {
        const QString root = QDir(m_root->path()).absolutePath() + u'/';
        QCOMPARE(Folders(m_root->path() + u'/').root(), root);
        QCOMPARE(m_folders->tabelle(), root + u"USR/FJ2024/Res/Tabelle/"_s);
        QDir expected(QCoreApplication::applicationDirPath());
        expected.cdUp();
        QCOMPARE(Folders().root(), expected.absolutePath() + u'/');
    }

    void resolveIgnoresCase_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");
        // clang-format off
        QTest::newRow("exact") << "TCUA_ANNOFIN.cds" << "TCUA_ANNOFIN.cds";
        QTest::newRow("other case") << "TCUA_ANNOFIN.CDS" << "TCUA_ANNOFIN.cds";
        QTest::newRow("lower case") << "tcua_annofin.cds" << "TCUA_ANNOFIN.cds";
        QTest::newRow("folder") << "tabelle" << "Tabelle";
        QTest::newRow("missing keeps the name") << "Nuovo.CDS" << "Nuovo.CDS";
        // clang-format on
    }
    void resolveIgnoresCase()
    {
        QFETCH(QString, asked);
        QFETCH(QString, found);
        const QString dir = m_root->path();
        writeFile(dir + u"/TCUA_ANNOFIN.cds"_s, {});
        QVERIFY(QDir(dir).mkdir(u"Tabelle"_s));
        QCOMPARE(Folders::resolve(dir, asked), dir + u'/' + found);
        QCOMPARE(Folders::resolve(dir + u'/', asked), dir + u'/' + found);
    }

    // Development mode follows the file etc/eli/dev, found without regard to
    // case like every resource; the folder alone is not enough.
    void developmentModeFollowsTheDevFile()
    {
        QVERIFY(!IsDevelopmentMode(*m_folders));
        QVERIFY(QDir().mkpath(m_folders->etc() + u"ELI"_s));
        QVERIFY(!IsDevelopmentMode(*m_folders));
        writeFile(m_folders->etc() + u"ELI/Dev"_s, {});
        QVERIFY(IsDevelopmentMode(*m_folders));
    }

    void iniReading()
    {
        const IniFile ini = IniFile::parse(u"; commento\n# altro\n[Database]\n"
                                           "Driver = QPSQL\nPassword=a,b\\c=d \n\n[params]\n"
                                           "ZFUP_AnfId=55\r\n"_s,
                                           u"prova.ini"_s);
        QCOMPARE(ini.value(u"database"_s, u"DRIVER"_s), u"QPSQL"_s);
        QCOMPARE(ini.value(u"Database"_s, u"Password"_s), u"a,b\\c=d"_s);
        QCOMPARE(ini.value(u"Params"_s, u"zfup_anfid"_s), u"55"_s);
        QCOMPARE(ini.keys(u"PARAMS"_s), QStringList{u"ZFUP_AnfId"_s});
        QVERIFY(!ini.contains(u"Database"_s, u"Host"_s));
        QCOMPARE(ini.value(u"Database"_s, u"Host"_s, u"x"_s), u"x"_s);
        try {
            IniFile::parse(u"[A]\nriga senza uguale\n"_s, u"prova.ini"_s);
            QFAIL("bad line accepted");
        } catch (const EZfError& e) {
            QVERIFY(e.message().contains(u"prova.ini, riga 2"_s));
        }
        QVERIFY(!IniFile::read(m_root->filePath(u"manca.ini"_s)).exists());
    }

    void defaultsWithoutFile()
    {
        const ConnectionParams connection = ConnectionSettings::fromFile(iniPath(), m_folders->root());
        QCOMPARE(connection.driver, u"QSQLITE"_s);
        QCOMPARE(connection.database, m_folders->root() + u"usr/kbr/modellocu.sqlite"_s);
        ParamManager params = ParamManager::load(*m_folders);
        QCOMPARE(params.mainDir(), m_folders->root());
        QVERIFY(params.GetParams(ParamManager::AnfId).isNull());
        QCOMPARE(HlmUtil::ParamDwgID(params), 0);
    }

    void fileThenEnvironmentThenCommandLine()
    {
        writeFile(iniPath(), "[Database]\nDriver=postgresql\nDatabase=paghe\nHost=db.scuola.it\n"
                             "Port=5433\nUser=segreteria\nPassword=dal-file\n");
        ConnectionParams params = ConnectionSettings::fromFile(iniPath(), m_folders->root());
        QCOMPARE(params.driver, u"QPSQL"_s);
        QCOMPARE(params.database, u"paghe"_s);
        QCOMPARE(params.host, u"db.scuola.it"_s);
        QCOMPARE(params.port, 5433);
        QCOMPARE(params.user, u"segreteria"_s);
        QCOMPARE(params.password, u"dal-file"_s);

        qputenv(PasswordVariable, "dall-ambiente");
        params = ConnectionSettings::fromFile(iniPath(), m_folders->root());
        QCOMPARE(params.password, u"dall-ambiente"_s);

        QStringList args{u"--db-host"_s, u"altro"_s, u"import"_s,        u"--db-port=6000"_s,
                         u"--mese"_s,    u"3"_s,     u"--db-password"_s, u"da-riga"_s};
        ConnectionSettings::applyCommandLine(params, args, m_folders->root());
        QCOMPARE(params.host, u"altro"_s);
        QCOMPARE(params.port, 6000);
        QCOMPARE(params.password, u"da-riga"_s);
        QCOMPARE(args, (QStringList{u"import"_s, u"--mese"_s, u"3"_s}));

        const QString description = ConnectionSettings::describe(params);
        QCOMPARE(description, u"QPSQL segreteria@altro:6000/paghe"_s);
        QVERIFY(!description.contains(u"da-riga"_s));
        QVERIFY(!params.parameterList().values().contains(u"da-riga"_s));
    }

    void relativeSqlitePathFromRoot()
    {
        writeFile(iniPath(), "[Database]\nDriver=QSQLITE\nDatabase=dati/archivio.sqlite\n");
        QStringList args;
        ConnectionParams params = ConnectionSettings::load(*m_folders, args);
        QCOMPARE(params.database, m_folders->root() + u"dati/archivio.sqlite"_s);

        args = QStringList{u"--db-name"_s, u"/assoluto/altro.sqlite"_s};
        params = ConnectionSettings::load(*m_folders, args);
        QCOMPARE(params.database, u"/assoluto/altro.sqlite"_s);
        QVERIFY(args.isEmpty());
    }

    void badValuesNameTheirOrigin_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        // clang-format off
        QTest::newRow("driver in file") << QByteArray("[Database]\nDriver=ODBC\n") << QStringList() << u"Driver"_s;
        QTest::newRow("port in file") << QByteArray("[Database]\nPort=porta\n") << QStringList() << u"Port"_s;
        QTest::newRow("port out of range") << QByteArray() << QStringList{u"--db-port=70000"_s} << u"--db-port"_s;
        QTest::newRow("driver on command line") << QByteArray() << QStringList{u"--db-driver=mysql"_s} << u"--db-driver"_s;
        QTest::newRow("missing value") << QByteArray() << QStringList{u"--db-user"_s} << u"--db-user"_s;
        // clang-format on
    }
    void badValuesNameTheirOrigin()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        if (!file.isEmpty())
            writeFile(iniPath(), file);
        try {
            ConnectionSettings::load(*m_folders, args);
            QFAIL("bad value accepted");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(named), qPrintable(e.message()));
        }
    }

    void startUpParameters()
    {
        writeFile(iniPath(), "[Params]\nZFUP_AnfId=55\nzfup_ansid=56\nZFUP_DwgId=1\nNota=testo libero\n"
                             "MainDir=installazione\n");
        ParamManager params = ParamManager::load(*m_folders);
        QCOMPARE(params.GetParams(ParamManager::AnfId), QVariant(qlonglong(55)));
        QCOMPARE(params.GetParams(u"ZFUP_ANSID"_s).toInt(), 56);
        QCOMPARE(params.GetParams(ParamManager::DwgId).toInt(), 1);
        QCOMPARE(HlmUtil::ParamDwgID(params), 1);
        QCOMPARE(params.GetParams(u"Nota"_s), QVariant(u"testo libero"_s));
        QVERIFY(params.GetParams(u"ZFUP_Manca"_s).isNull());
        QCOMPARE(params.mainDir(), m_folders->root() + u"installazione/"_s);
    }

    void valueCheckDecides()
    {
        ParamManager params;
        QStringList asked;
        params.setCheckValue([&asked](const QString& key, const QVariant& candidate) {
            asked.append(key);
            return candidate.toString() <= u"2025"_s;
        });
        QVERIFY(params.setParams(ParamManager::AnfId, u"2024"_s));
        QVERIFY(!params.setParams(ParamManager::AnfId, u"2026"_s));
        QCOMPARE(params.GetParams(ParamManager::AnfId).toString(), u"2024"_s);
        QCOMPARE(asked, (QStringList{ParamManager::AnfId, ParamManager::AnfId}));
    }
};

QTEST_GUILESS_MAIN(TestInstallation)
#include "test_installation.moc"
