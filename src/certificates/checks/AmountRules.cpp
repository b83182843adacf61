// Sign and limit of the certificate's amounts.
#include "certificates/checks/AmountRules.h"

#include "certificates/CertificateSchema.h"

namespace cu::amounts {

bool isPositiveOnly(const ColumnSchema& column)
{
    const FieldType type = column.fieldType();
    return (type == FieldType::Currency || type == FieldType::Float) && !column.point.isEmpty();
}

bool beyondLimit(Currency amount)
{
    return amount > Limit || amount < -Limit;
}

QVector<FieldProblem> amountProblems(const Dataset& row, const TableSchema& table)
{
    const QString wrong = QStringLiteral(" - Campo errato: importo %1 (%2) ");
    QVector<FieldProblem> problems;
    for (const ColumnSchema& column : table.columns) {
        const FieldType type = column.fieldType();
        if ((type != FieldType::Currency && type != FieldType::Float) || !row.hasField(column.name))
            continue;
        const Currency amount = row.asCurrency(column.name);
        if (beyondLimit(amount))
            problems.append(
                {column.name, wrong.arg(amount.toItalian(), column.name) +
                                  QStringLiteral("oltre il limite di %1").arg(Limit.toItalian())});
        else if (amount < Currency() && isPositiveOnly(column))
            problems.append(
                {column.name, wrong.arg(amount.toItalian(), column.name) +
                                  QStringLiteral("negativo in un campo che ammette solo valori positivi")});
    }
    return problems;
}

} // namespace cu::amounts
