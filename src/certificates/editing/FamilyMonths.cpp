// The family section's month counts.
#include "certificates/editing/FamilyMonths.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"

namespace cu {

const QStringList& familyMonthColumns()
{
    static const QStringList columns{QStringLiteral("SCUDMESICARCON"), QStringLiteral("SCUDMESICARPRIFIGL"),
                                     QStringLiteral("SCUDMESICARFIGL"), QStringLiteral("SCUDMESIDETRM21FIGL"),
                                     QStringLiteral("SCUDMESIDETRM21PRIFIGL")};
    return columns;
}

bool isFamilyMonthColumn(const QString& column)
{
    return familyMonthColumns().contains(column, Qt::CaseInsensitive);
}

QString familyMonthDefect(const QString& text)
{
    if (text.isEmpty())
        return QString();
    if (text.size() != 2)
        return QStringLiteral("Il mese deve essere di 2 cifre");
    bool ok = false;
    const int month = text.toInt(&ok);
    if (!ok || month < 1 || month > 12)
        return QStringLiteral("Mese non valido, deve essere compreso tra 01 e 12");
    return QString();
}

void requireValidFamilyMonths(const Dataset& row)
{
    for (const QString& column : familyMonthColumns()) {
        if (!row.hasField(column))
            continue;
        // Only what the operator typed: the import writes "00" for no
        // months, which must not block every later change of its row.
        const int field = row.requireField(column);
        if (row.state() == Dataset::State::Edit && row.value(field) == row.oldValue(field))
            continue;
        const QString defect = familyMonthDefect(row.asString(column));
        if (!defect.isEmpty())
            throw EZfError(defect);
    }
}

} // namespace cu
