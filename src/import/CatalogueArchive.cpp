// Reading statements of the catalogue into rows.
#include "import/CatalogueArchive.h"

#include "foundation/HlmQueryText.h"
#include "foundation/QueryDataset.h"

namespace cu {

CatalogueArchive::CatalogueArchive(Connection& connection, HlmQueryText& catalogue)
    : m_connection(connection), m_catalogue(catalogue)
{
}

ArchiveRows CatalogueArchive::open(const ArchiveRequest& request)
{
    const QString text = m_catalogue.GetSQLText(request.name, QStringLiteral("SELECT"));
    QueryDataset query(m_connection);
    query.setCommandText(formatStatement(text, request.formatArgs, request.name) + request.appended);
    for (const QString& name : query.paramNames()) {
        // Parameter names compare without regard to case.
        for (auto it = request.params.cbegin(); it != request.params.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                query.setParam(name, it.value());
    }
    query.open();

    QStringList columns;
    for (const FieldDef& field : query.fields())
        columns.append(field.name);
    ArchiveRows rows(columns);
    const int count = query.fieldCount();
    for (query.first(); !query.eof(); query.next()) {
        QVector<QVariant> values(count);
        for (int i = 0; i < count; ++i)
            values[i] = query.value(i);
        rows.append(std::move(values));
    }
    return rows;
}

} // namespace cu
