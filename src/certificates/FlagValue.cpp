// Set values of the flags.
#include "certificates/FlagValue.h"

#include "certificates/CertificateSchema.h"

#include <QSet>

namespace cu {

namespace {

bool setWithOne(const TableSchema& table, const ColumnSchema& column)
{
    static const QSet<QString> tables{QStringLiteral("TCUDC_CONFAMCARICO"), QStringLiteral("TCUS_DATISOST"),
                                      QStringLiteral("TCUAS_DATIALTRISOST"), QStringLiteral("TCUCT_DATICT"),
                                      QStringLiteral("TCFO_FORNITORE")};
    static const QSet<QString> columns{QStringLiteral("LCUDANNULLAMENTO"), QStringLiteral("LCUDSOSTITUZIONE"),
                                       QStringLiteral("LCUDCONFERMADICH"), QStringLiteral("SINA7PERSVIAGG")};
    return tables.contains(table.name.toUpper()) || columns.contains(column.name.toUpper());
}

} // namespace

QString flagSetValue(const TableSchema& table, const ColumnSchema& column)
{
    return setWithOne(table, column) ? QStringLiteral("1") : QStringLiteral("X");
}

bool isFlagSet(const TableSchema& table, const ColumnSchema& column, const QString& value)
{
    return value.trimmed() == flagSetValue(table, column);
}

} // namespace cu
