// The field-value store as the source of the prints' tables.
#include "printing/PrintTables.h"

#include "store/HlmDBCds.h"

namespace cu {

void StorePrintTables::open(Dataset& dataset, const QString& tableName)
{
    m_store.open(dataset, tableName, -1, -1, m_year);
}

void StorePrintTables::save(Dataset& dataset, const QString& tableName, int month)
{
    m_store.save(dataset, tableName, month, m_year);
}

Connection* StorePrintTables::connection()
{
    return &m_store.connection();
}

int certificateMonth(const QString& scudMese)
{
    const QString trimmed = scudMese.trimmed();
    if (trimmed.isEmpty())
        return -1;
    bool ok = false;
    const int month = trimmed.toInt(&ok);
    return ok ? month : -1;
}

} // namespace cu
