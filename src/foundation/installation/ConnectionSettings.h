// Where the connection parameters come from, in increasing priority:
//  1. defaults: SQLite, database "usr/kbr/modellocu.sqlite" under the root
//     (when the file names no database);
//  2. the settings file etc/modellocu.ini of the installation, section
//     [Database]: Driver (QSQLITE/QPSQL, also "sqlite"/"postgresql"),
//     Database (a relative SQLite path is taken from the installation root),
//     Host, Port, User, Password;
//  3. the environment variable MODELLOCU_DB_PASSWORD (the password only);
//  4. the command line: --db-driver, --db-name, --db-host, --db-port,
//     --db-user, --db-password (as "--opt value" or "--opt=value").
// The password is never part of a description, message or log.
#pragma once

#include "foundation/database/Connection.h"

#include <QStringList>

namespace cu {

class Folders;

class ConnectionSettings
{
public:
    static QString settingsFile(const Folders& folders); // <root>/etc/modellocu.ini

    // Defaults, file and environment. Bad values are an EZfError naming the key.
    static ConnectionParams fromFile(const QString& path, const QString& installRoot);
    // Takes the --db-* options out of args (leaving the others) into params.
    // A missing or bad value is an EZfError naming the option.
    static void applyCommandLine(ConnectionParams& params, QStringList& args, const QString& installRoot);
    // All of the above for an installation.
    static ConnectionParams load(const Folders& folders, QStringList& args);

    // "QPSQL postgres@db.example:5432/paghe" or "QSQLITE /path/file.sqlite".
    static QString describe(const ConnectionParams& params);
    // Help lines for the --db-* options.
    static QString commandLineHelp();
};

} // namespace cu
