// Reading statements of the catalogue into rows.
#include "import/archive/CatalogueArchive.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/operator/Errors.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace cu {

namespace {

// The :NAME markers of a statement, upper case, each once.
QStringList markers(const QString& sql)
{
    static const QRegularExpression marker(QStringLiteral("(?<![:\\w]):([A-Za-z_]\\w*)"));
    QStringList names;
    for (auto it = marker.globalMatch(sql); it.hasNext();) {
        const QString name = it.next().captured(1).toUpper();
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

QVariant parameter(const ArchiveRequest& request, const QString& name)
{
    for (auto it = request.params.cbegin(); it != request.params.cend(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    throw EAssertion(QStringLiteral("Query: %1 (parametro %2 senza valore)").arg(request.name, name),
                     QStringLiteral("CatalogueArchive"));
}

// Markers written as in the text, so that every engine binds them by name.
QString normalised(QString sql, const QStringList& names)
{
    for (const QString& name : names) {
        const QRegularExpression any(QStringLiteral("(?<![:\\w]):%1\\b").arg(name),
                                     QRegularExpression::CaseInsensitiveOption);
        sql.replace(any, u':' + name);
    }
    return sql;
}

} // namespace

CatalogueArchive::CatalogueArchive(Connection& connection, HlmQueryText& catalogue)
    : m_connection(connection), m_catalogue(catalogue)
{
}

// Amounts come back exactly: numeric columns as decimal text (high
// precision), a SQLite REAL as a double that ArchiveRows rounds to the
// fourth decimal.
ArchiveRows CatalogueArchive::open(const ArchiveRequest& request)
{
    const QString text = m_catalogue.GetSQLText(request.name, QStringLiteral("SELECT"));
    const QString formatted = formatStatement(text, request.formatArgs, request.name) + request.appended;
    const Prepared& statement = prepared(request.name, formatted);
    QSqlQuery& query = *statement.query;
    for (const QString& name : statement.names)
        query.bindValue(u':' + name, parameter(request, name));
    if (!query.exec())
        throw DatabaseError(request.name + QStringLiteral(": ") + query.lastError().text());

    const QSqlRecord record = query.record();
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns.append(record.fieldName(i).toUpper());
    ArchiveRows rows(columns);
    while (query.next()) {
        QVector<QVariant> values(record.count());
        for (int i = 0; i < record.count(); ++i)
            values[i] = query.value(i);
        rows.append(std::move(values));
    }
    query.finish();
    return rows;
}

const CatalogueArchive::Prepared& CatalogueArchive::prepared(const QString& name, const QString& sql)
{
    constexpr int MaxPrepared = 512;
    if (const auto it = m_prepared.constFind(sql); it != m_prepared.cend())
        return *it;
    if (m_prepared.size() >= MaxPrepared)
        m_prepared.clear();
    Prepared statement{std::make_shared<QSqlQuery>(m_connection.database()), markers(sql)};
    statement.query->setForwardOnly(true);
    statement.query->setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!statement.query->prepare(normalised(sql, statement.names)))
        throw DatabaseError(name + QStringLiteral(": ") + statement.query->lastError().text());
    return *m_prepared.insert(sql, statement);
}

} // namespace cu
