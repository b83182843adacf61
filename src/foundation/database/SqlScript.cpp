// Splitting and running SQL scripts.
#include "foundation/database/SqlScript.h"

#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"

#include <QFile>

namespace cu {

QList<SqlScript::Statement> SqlScript::split(const QString& script)
{
    QList<Statement> statements;
    Statement current;
    const QStringList lines = script.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QStringLiteral("--")))
            continue;
        if (current.text.isEmpty())
            current.line = i + 1;
        else
            current.text += u'\n';
        if (line.endsWith(u';')) {
            current.text += line.chopped(1);
            statements.append(current);
            current = Statement();
        } else {
            current.text += line;
        }
    }
    if (!current.text.trimmed().isEmpty())
        statements.append(current);
    return statements;
}

void SqlScript::run(Connection& connection, const QString& script, const QString& scriptName)
{
    Transaction transaction(connection);
    SqlQuery query(connection);
    for (const Statement& statement : split(script)) {
        query.setSql(statement.text);
        try {
            query.execute();
        } catch (const DatabaseError& e) {
            throw DatabaseError(
                QStringLiteral("%1, riga %2: %3").arg(scriptName).arg(statement.line).arg(e.message()),
                statement.text);
        }
    }
    transaction.commit();
}

void SqlScript::runFile(Connection& connection, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EZfError(
            QStringLiteral("Impossibile leggere lo script SQL %1: %2").arg(path, file.errorString()));
    run(connection, QString::fromUtf8(file.readAll()), path);
}

} // namespace cu
