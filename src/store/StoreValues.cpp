// Conversions between dataset values and the value columns of the store.
#include "store/StoreValues.h"

#include "foundation/operator/Errors.h"

namespace cu {

ValueColumn valueColumnFor(const FieldDef& field)
{
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::Boolean:
        return ValueColumn::Integer;
    case FieldType::Currency:
    case FieldType::Float:
        return ValueColumn::Amount;
    case FieldType::String:
    case FieldType::Memo:
        return ValueColumn::Text;
    case FieldType::Date:
    case FieldType::DateTime:
        return ValueColumn::Date;
    case FieldType::Blob:
        break;
    }
    throw EAssertion(
        QStringLiteral("Il campo %1 non ha una colonna di valore nell'archivio.").arg(field.name),
        QStringLiteral("HlmDBCds"));
}

namespace {

// The stored value column holds the amount as a decimal text (or as the
// engine's number); a value that is no amount is a damaged store.
Currency amountOf(const QVariant& value)
{
    const std::optional<Currency> amount = Currency::fromVariant(value, Currency::TextRule::DecimalOrFloat);
    if (!amount)
        throw DatabaseError(
            QStringLiteral("Importo non valido nell'archivio: \"%1\".").arg(value.toString()));
    return *amount;
}

QDate dateOf(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate();
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().date();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

} // namespace

QVariant storedValue(ValueColumn column, const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (column) {
    case ValueColumn::Integer: {
        const qlonglong number = value.toLongLong();
        return number == 0 ? QVariant() : QVariant(number);
    }
    case ValueColumn::Amount: {
        const Currency amount = amountOf(value);
        return amount.isZero() ? QVariant() : QVariant(amount.toString(4));
    }
    case ValueColumn::Text: {
        const QString text = value.toString();
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case ValueColumn::Date: {
        // The zero date of the payroll program (30/12/1899) is an empty date.
        const QDate date = dateOf(value);
        return date.isValid() && date != QDate(1899, 12, 30) ? QVariant(date.toString(Qt::ISODate))
                                                             : QVariant();
    }
    }
    return {};
}

QVariant loadedValue(ValueColumn column, const QVariant& raw)
{
    if (raw.isNull())
        return {};
    switch (column) {
    case ValueColumn::Integer:
        return raw.toLongLong();
    case ValueColumn::Amount:
        return QVariant::fromValue(amountOf(raw));
    case ValueColumn::Text:
        return raw.toString();
    case ValueColumn::Date:
        return dateOf(raw);
    }
    return {};
}

} // namespace cu
