// Runs a script of SQL statements (schema files): statements end with a
// semicolon at the end of a line; lines starting with "--" are comments.
#pragma once

#include <QString>
#include <QStringList>

namespace cu {

class Connection;

class SqlScript
{
public:
    struct Statement
    {
        QString text;
        int line = 0; // first line of the statement, from 1
    };

    static QList<Statement> split(const QString& script);
    // Runs every statement in order, inside one transaction. A failure is a
    // DatabaseError naming the script, the line and the database's message;
    // nothing of the script remains.
    static void run(Connection& connection, const QString& script, const QString& scriptName);
    // Reads the file (also a ":/" resource) and runs it; an unreadable file is
    // an EZfError naming it.
    static void runFile(Connection& connection, const QString& path);
};

} // namespace cu
