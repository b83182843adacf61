// Connection parameters from the settings file, the environment and the
// command line.
#include "foundation/installation/ConnectionSettings.h"

#include "foundation/installation/Folders.h"
#include "foundation/installation/IniFile.h"
#include "foundation/operator/Errors.h"

#include <QDir>
#include <algorithm>
#include <functional>

namespace cu {

namespace {

const QString Section = QStringLiteral("Database");
const QString DefaultDatabase = QStringLiteral("usr/kbr/modellocu.sqlite");
const QString PasswordVariable = QStringLiteral("MODELLOCU_DB_PASSWORD");

QString driverName(const QString& text, const QString& origin)
{
    const QString t = text.trimmed();
    if (t.compare(u"QSQLITE", Qt::CaseInsensitive) == 0 || t.compare(u"sqlite", Qt::CaseInsensitive) == 0)
        return QStringLiteral("QSQLITE");
    if (t.compare(u"QPSQL", Qt::CaseInsensitive) == 0 || t.compare(u"postgresql", Qt::CaseInsensitive) == 0)
        return QStringLiteral("QPSQL");
    throw EZfError(QStringLiteral("%1: driver di database \"%2\" sconosciuto (ammessi QSQLITE e QPSQL).")
                       .arg(origin, t));
}

int portNumber(const QString& text, const QString& origin)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        throw EZfError(QStringLiteral("%1: porta \"%2\" non valida (da 1 a 65535).").arg(origin, text));
    return port;
}

bool isSqlite(const ConnectionParams& params)
{
    return params.driver == u"QSQLITE";
}

void resolveDatabasePath(ConnectionParams& params, const QString& installRoot)
{
    if (isSqlite(params) && !params.database.isEmpty() && QDir::isRelativePath(params.database))
        params.database = QDir(installRoot).absoluteFilePath(params.database);
}

struct Option
{
    QString name;
    std::function<void(ConnectionParams&, const QString&)> apply;
};

QList<Option> options()
{
    return {
        {QStringLiteral("--db-driver"),
         [](ConnectionParams& p, const QString& v) {
             p.driver = driverName(v, QStringLiteral("--db-driver"));
         }},
        {QStringLiteral("--db-name"), [](ConnectionParams& p, const QString& v) { p.database = v; }},
        {QStringLiteral("--db-host"), [](ConnectionParams& p, const QString& v) { p.host = v; }},
        {QStringLiteral("--db-port"),
         [](ConnectionParams& p, const QString& v) { p.port = portNumber(v, QStringLiteral("--db-port")); }},
        {QStringLiteral("--db-user"), [](ConnectionParams& p, const QString& v) { p.user = v; }},
        {QStringLiteral("--db-password"), [](ConnectionParams& p, const QString& v) { p.password = v; }},
    };
}

} // namespace

QString ConnectionSettings::settingsFile(const Folders& folders)
{
    return folders.etc() + QStringLiteral("modellocu.ini");
}

ConnectionParams ConnectionSettings::fromFile(const QString& path, const QString& installRoot)
{
    const IniFile ini = IniFile::read(path);
    const QString origin = QStringLiteral("%1 [%2]").arg(path, Section);
    ConnectionParams params;
    if (ini.contains(Section, QStringLiteral("Driver")))
        params.driver =
            driverName(ini.value(Section, QStringLiteral("Driver")), origin + QStringLiteral(" Driver"));
    params.database = ini.value(Section, QStringLiteral("Database"));
    if (params.database.isEmpty() && isSqlite(params))
        params.database = DefaultDatabase;
    params.host = ini.value(Section, QStringLiteral("Host"));
    if (ini.contains(Section, QStringLiteral("Port")))
        params.port =
            portNumber(ini.value(Section, QStringLiteral("Port")), origin + QStringLiteral(" Port"));
    params.user = ini.value(Section, QStringLiteral("User"));
    params.password = ini.value(Section, QStringLiteral("Password"));
    if (qEnvironmentVariableIsSet(qPrintable(PasswordVariable)))
        params.password = qEnvironmentVariable(qPrintable(PasswordVariable));
    resolveDatabasePath(params, installRoot);
    return params;
}

void ConnectionSettings::applyCommandLine(ConnectionParams& params, QStringList& args,
                                          const QString& installRoot)
{
    const QList<Option> known = options();
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const QString name = arg.section(u'=', 0, 0);
        const auto option =
            std::find_if(known.begin(), known.end(), [&](const Option& o) { return o.name == name; });
        if (option == known.end()) {
            rest.append(arg);
            continue;
        }
        QString value;
        if (arg.contains(u'=')) {
            value = arg.section(u'=', 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            throw EZfError(QStringLiteral("Manca il valore dell'opzione %1.").arg(name));
        }
        option->apply(params, value);
    }
    args = rest;
    resolveDatabasePath(params, installRoot);
}

ConnectionParams ConnectionSettings::load(const Folders& folders, QStringList& args)
{
    ConnectionParams params = fromFile(settingsFile(folders), folders.root());
    applyCommandLine(params, args, folders.root());
    return params;
}

QString ConnectionSettings::describe(const ConnectionParams& params)
{
    if (isSqlite(params))
        return QStringLiteral("%1 %2").arg(params.driver, params.database);
    QString server = params.host.isEmpty() ? QStringLiteral("localhost") : params.host;
    if (params.port > 0)
        server += u':' + QString::number(params.port);
    const QString user = params.user.isEmpty() ? QString() : params.user + u'@';
    return QStringLiteral("%1 %2%3/%4").arg(params.driver, user, server, params.database);
}

QString ConnectionSettings::commandLineHelp()
{
    return QStringLiteral(
        "  --db-driver QSQLITE|QPSQL   motore di database\n"
        "  --db-name NOME              file SQLite o nome del database PostgreSQL\n"
        "  --db-host HOST              server PostgreSQL\n"
        "  --db-port PORTA             porta del server\n"
        "  --db-user UTENTE            utente del database\n"
        "  --db-password PASSWORD      password (meglio la variabile MODELLOCU_DB_PASSWORD)\n");
}

} // namespace cu
