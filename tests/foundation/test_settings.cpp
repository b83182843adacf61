// Settings: the INI reader, connection parameters from file, environment and
// command line (the password never shown), and the start-up parameters with
// their value check.
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/IniFile.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/operator/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace cu;

namespace {

const char* const PasswordVariable = "MODELLOCU_DB_PASSWORD";

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestSettings : public QObject
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

    void iniReading()
    {
        const IniFile ini = IniFile::parse(QStringLiteral("; commento\n# altro\n[Database]\n"
                                                          "Driver = QPSQL\nPassword=a,b\\c=d \n\n[params]\n"
                                                          "ZFUP_AnfId=55\r\n"),
                                           QStringLiteral("prova.ini"));
        QCOMPARE(ini.value(QStringLiteral("database"), QStringLiteral("DRIVER")), QStringLiteral("QPSQL"));
        QCOMPARE(ini.value(QStringLiteral("Database"), QStringLiteral("Password")),
                 QStringLiteral("a,b\\c=d"));
        QCOMPARE(ini.value(QStringLiteral("Params"), QStringLiteral("zfup_anfid")), QStringLiteral("55"));
        QCOMPARE(ini.keys(QStringLiteral("PARAMS")), QStringList{QStringLiteral("ZFUP_AnfId")});
        QVERIFY(!ini.contains(QStringLiteral("Database"), QStringLiteral("Host")));
        QCOMPARE(ini.value(QStringLiteral("Database"), QStringLiteral("Host"), QStringLiteral("x")),
                 QStringLiteral("x"));
        try {
            IniFile::parse(QStringLiteral("[A]\nriga senza uguale\n"), QStringLiteral("prova.ini"));
            QFAIL("bad line accepted");
        } catch (const EZfError& e) {
            QVERIFY(e.message().contains(QStringLiteral("prova.ini, riga 2")));
        }
        QVERIFY(!IniFile::read(m_root->filePath(QStringLiteral("manca.ini"))).exists());
    }

    void defaultsWithoutFile()
    {
        const ConnectionParams params = ConnectionSettings::fromFile(iniPath(), m_folders->root());
        QCOMPARE(params.driver, QStringLiteral("QSQLITE"));
        QCOMPARE(params.database, m_folders->root() + QStringLiteral("usr/kbr/modellocu.sqlite"));
    }

    void fileThenEnvironmentThenCommandLine()
    {
        writeFile(iniPath(), "[Database]\nDriver=postgresql\nDatabase=paghe\nHost=db.scuola.it\n"
                             "Port=5433\nUser=segreteria\nPassword=dal-file\n");
        ConnectionParams params = ConnectionSettings::fromFile(iniPath(), m_folders->root());
        QCOMPARE(params.driver, QStringLiteral("QPSQL"));
        QCOMPARE(params.database, QStringLiteral("paghe"));
        QCOMPARE(params.host, QStringLiteral("db.scuola.it"));
        QCOMPARE(params.port, 5433);
        QCOMPARE(params.user, QStringLiteral("segreteria"));
        QCOMPARE(params.password, QStringLiteral("dal-file"));

        qputenv(PasswordVariable, "dall-ambiente");
        params = ConnectionSettings::fromFile(iniPath(), m_folders->root());
        QCOMPARE(params.password, QStringLiteral("dall-ambiente"));

        QStringList args{QStringLiteral("--db-host"),      QStringLiteral("altro"),  QStringLiteral("import"),
                         QStringLiteral("--db-port=6000"), QStringLiteral("--mese"), QStringLiteral("3"),
                         QStringLiteral("--db-password"),  QStringLiteral("da-riga")};
        ConnectionSettings::applyCommandLine(params, args, m_folders->root());
        QCOMPARE(params.host, QStringLiteral("altro"));
        QCOMPARE(params.port, 6000);
        QCOMPARE(params.password, QStringLiteral("da-riga"));
        QCOMPARE(args,
                 (QStringList{QStringLiteral("import"), QStringLiteral("--mese"), QStringLiteral("3")}));

        const QString description = ConnectionSettings::describe(params);
        QCOMPARE(description, QStringLiteral("QPSQL segreteria@altro:6000/paghe"));
        QVERIFY(!description.contains(QStringLiteral("da-riga")));
        QVERIFY(!params.parameterList().values().contains(QStringLiteral("da-riga")));
    }

    void relativeSqlitePathFromRoot()
    {
        writeFile(iniPath(), "[Database]\nDriver=QSQLITE\nDatabase=dati/archivio.sqlite\n");
        QStringList args;
        ConnectionParams params = ConnectionSettings::load(*m_folders, args);
        QCOMPARE(params.database, m_folders->root() + QStringLiteral("dati/archivio.sqlite"));

        args = QStringList{QStringLiteral("--db-name"), QStringLiteral("/assoluto/altro.sqlite")};
        params = ConnectionSettings::load(*m_folders, args);
        QCOMPARE(params.database, QStringLiteral("/assoluto/altro.sqlite"));
        QVERIFY(args.isEmpty());
    }

    void badValuesNameTheirOrigin_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        QTest::newRow("driver in file")
            << QByteArray("[Database]\nDriver=ODBC\n") << QStringList() << QStringLiteral("Driver");
        QTest::newRow("port in file")
            << QByteArray("[Database]\nPort=porta\n") << QStringList() << QStringLiteral("Port");
        QTest::newRow("port out of range")
            << QByteArray() << QStringList{QStringLiteral("--db-port=70000")} << QStringLiteral("--db-port");
        QTest::newRow("driver on command line")
            << QByteArray() << QStringList{QStringLiteral("--db-driver=mysql")}
            << QStringLiteral("--db-driver");
        QTest::newRow("missing value")
            << QByteArray() << QStringList{QStringLiteral("--db-user")} << QStringLiteral("--db-user");
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
        QCOMPARE(params.GetParams(QStringLiteral("ZFUP_ANSID")).toInt(), 56);
        QCOMPARE(params.GetParams(ParamManager::DwgId).toInt(), 1);
        QCOMPARE(params.GetParams(QStringLiteral("Nota")), QVariant(QStringLiteral("testo libero")));
        QVERIFY(params.GetParams(QStringLiteral("ZFUP_Manca")).isNull());
        QCOMPARE(params.mainDir(), m_folders->root() + QStringLiteral("installazione/"));
    }

    void mainDirDefaultsToRoot()
    {
        const ParamManager params = ParamManager::load(*m_folders);
        QCOMPARE(params.mainDir(), m_folders->root());
        QVERIFY(params.GetParams(ParamManager::AnfId).isNull());
    }

    void valueCheckDecides()
    {
        ParamManager params;
        QStringList asked;
        params.setCheckValue([&asked](const QString& key, const QVariant& candidate) {
            asked.append(key);
            return candidate.toString() <= QStringLiteral("2025");
        });
        QVERIFY(params.setParams(ParamManager::AnfId, QStringLiteral("2024")));
        QVERIFY(!params.setParams(ParamManager::AnfId, QStringLiteral("2026")));
        QCOMPARE(params.GetParams(ParamManager::AnfId).toString(), QStringLiteral("2024"));
        QCOMPARE(asked, (QStringList{ParamManager::AnfId, ParamManager::AnfId}));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
