// Conversions between values and dataset cells by field type.
#include "foundation/dataset/DatasetValues.h"

#include "foundation/operator/Errors.h"

#include <QDateTime>
#include <QTimeZone>
#include <bit>
#include <cmath>
#include <limits>

namespace cu::cells {

namespace {

constexpr std::int64_t MillisecondsPerDay = 86400000;

[[noreturn]] void refuse(const FieldDef& def, const QString& shown)
{
    throw EZfError(QStringLiteral("Valore non valido per il campo %1: \"%2\"").arg(def.name, shown));
}

[[noreturn]] void refuse(const FieldDef& def, const QVariant& value)
{
    refuse(def, value.canConvert<QString>() ? value.toString() : QString::fromLatin1(value.typeName()));
}

std::optional<std::int64_t> parseInteger(QStringView text)
{
    bool ok = false;
    const qlonglong result = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<std::int64_t>(result) : std::nullopt;
}

std::optional<bool> parseBoolean(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0 || t == u"1")
        return true;
    if (t.compare(u"false", Qt::CaseInsensitive) == 0 || t == u"0")
        return false;
    return std::nullopt;
}

std::optional<double> parseReal(QStringView text)
{
    QString t = text.trimmed().toString();
    if (!t.contains(u'.'))
        t.replace(u',', u'.');
    bool ok = false;
    const double result = t.toDouble(&ok);
    return ok && std::isfinite(result) ? std::optional<double>(result) : std::nullopt;
}

QDate parseDate(QStringView text)
{
    const QString t = text.trimmed().toString();
    QDate date = QDate::fromString(t, Qt::ISODate);
    if (!date.isValid())
        date = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
    if (!date.isValid())
        date = QDateTime::fromString(t, Qt::ISODateWithMs).date();
    return date;
}

QDateTime parseDateTime(QStringView text)
{
    const QString t = text.trimmed().toString();
    QDateTime result = QDateTime::fromString(t, Qt::ISODateWithMs);
    if (!result.isValid())
        result = QDateTime::fromString(t, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    if (!result.isValid()) {
        const QDate date = parseDate(t);
        if (date.isValid())
            result = date.startOfDay();
    }
    return result;
}

bool isIntegerVariant(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool isTextVariant(const QVariant& value)
{
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray ||
           value.typeId() == QMetaType::QChar;
}

bool isCurrencyVariant(const QVariant& value)
{
    return value.metaType() == QMetaType::fromType<Currency>();
}

std::int64_t integerOf(const FieldDef& def, const QVariant& value)
{
    if (isIntegerVariant(value)) {
        if (value.typeId() == QMetaType::ULongLong && value.toULongLong() > quint64(INT64_MAX))
            refuse(def, value);
        return value.toLongLong();
    }
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double d = value.toDouble();
        if (std::trunc(d) != d || std::fabs(d) > 9.0e18)
            refuse(def, value);
        return std::int64_t(d);
    }
    if (isCurrencyVariant(value)) {
        const Currency c = value.value<Currency>();
        if (c.raw() % Currency::Scale != 0)
            refuse(def, c.toString(4));
        return c.units();
    }
    if (isTextVariant(value)) {
        if (const auto parsed = parseInteger(value.toString()))
            return *parsed;
    }
    refuse(def, value);
}

Currency currencyOf(const FieldDef& def, const QVariant& value)
{
    const std::optional<Currency> amount = Currency::fromVariant(value);
    if (!amount)
        refuse(def, value);
    return *amount;
}

bool booleanOf(const FieldDef& def, const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (isIntegerVariant(value))
        return value.toLongLong() != 0;
    if (isTextVariant(value)) {
        if (const auto parsed = parseBoolean(value.toString()))
            return *parsed;
    }
    refuse(def, value);
}

double realOf(const FieldDef& def, const QVariant& value)
{
    if (isCurrencyVariant(value))
        return value.value<Currency>().toDouble();
    if (isTextVariant(value)) {
        if (const auto parsed = parseReal(value.toString()))
            return *parsed;
        refuse(def, value);
    }
    bool ok = false;
    const double result = value.toDouble(&ok);
    if (!ok || !std::isfinite(result))
        refuse(def, value);
    return result;
}

QDate dateOf(const FieldDef& def, const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    if (isTextVariant(value)) {
        const QDate date = parseDate(value.toString());
        if (date.isValid())
            return date;
    }
    refuse(def, value);
}

QDateTime dateTimeOf(const FieldDef& def, const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().startOfDay();
    if (isTextVariant(value)) {
        const QDateTime result = parseDateTime(value.toString());
        if (result.isValid())
            return result;
    }
    refuse(def, value);
}

bool isEmptyValue(const QVariant& value)
{
    if (value.isNull())
        return true;
    if (value.typeId() == QMetaType::QString)
        return value.toString().isEmpty();
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().isEmpty();
    return false;
}

bool isBlankTextForNonText(const FieldDef& def, const QVariant& value)
{
    return !isText(def.type) && def.type != FieldType::Blob && value.typeId() == QMetaType::QString &&
           value.toString().trimmed().isEmpty();
}

template <typename T> int threeWay(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

bool isNumeric(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::Boolean:
    case FieldType::Currency:
    case FieldType::Float:
        return true;
    default:
        return false;
    }
}

bool isText(FieldType type)
{
    return type == FieldType::String || type == FieldType::Memo;
}

std::int64_t dateTimeCell(const QDateTime& value)
{
    return value.date().toJulianDay() * MillisecondsPerDay + value.time().msecsSinceStartOfDay();
}

QDateTime dateTimeFromCell(std::int64_t cell)
{
    std::int64_t day = cell / MillisecondsPerDay;
    std::int64_t msecs = cell % MillisecondsPerDay;
    if (msecs < 0) {
        msecs += MillisecondsPerDay;
        --day;
    }
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

void store(RowStore& store, RowStore::Slot slot, int field, const FieldDef& def, const QVariant& value)
{
    if (isEmptyValue(value) || isBlankTextForNonText(def, value)) {
        store.setNull(slot, field);
        return;
    }
    switch (def.type) {
    case FieldType::String:
    case FieldType::Memo:
        if (isCurrencyVariant(value)) {
            const Currency amount = value.value<Currency>();
            store.setText(slot, field, amount.toString(amount.rounded(2) == amount ? 2 : 4));
        } else if (value.typeId() == QMetaType::QDate) {
            store.setText(slot, field, value.toDate().toString(Qt::ISODate));
        } else if (value.canConvert<QString>()) {
            store.setText(slot, field, value.toString());
        } else {
            refuse(def, value);
        }
        return;
    case FieldType::Integer:
        store.setRaw(slot, field, integerOf(def, value));
        return;
    case FieldType::SmallInt: {
        const std::int64_t number = integerOf(def, value);
        if (number < std::numeric_limits<qint16>::min() || number > std::numeric_limits<qint16>::max())
            refuse(def, value);
        store.setRaw(slot, field, number);
        return;
    }
    case FieldType::Boolean:
        store.setRaw(slot, field, booleanOf(def, value) ? 1 : 0);
        return;
    case FieldType::Currency:
        store.setRaw(slot, field, currencyOf(def, value).raw());
        return;
    case FieldType::Float:
        store.setReal(slot, field, realOf(def, value));
        return;
    case FieldType::Date:
        store.setRaw(slot, field, dateOf(def, value).toJulianDay());
        return;
    case FieldType::DateTime:
        store.setRaw(slot, field, dateTimeCell(dateTimeOf(def, value)));
        return;
    case FieldType::Blob:
        store.setBytes(slot, field,
                       value.typeId() == QMetaType::QString ? value.toString().toUtf8()
                                                            : value.toByteArray());
        return;
    }
}

void storeText(RowStore& target, RowStore::Slot slot, int field, const FieldDef& def, QStringView text)
{
    store(target, slot, field, def, QVariant(text.toString()));
}

QVariant load(const RowStore& store, RowStore::Slot slot, int field, FieldType type)
{
    if (store.isNull(slot, field))
        return {};
    const std::int64_t raw = store.raw(slot, field);
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return store.text(slot, field).toString();
    case FieldType::Integer:
    case FieldType::SmallInt:
        return QVariant(qint64(raw));
    case FieldType::Boolean:
        return QVariant(raw != 0);
    case FieldType::Currency:
        return QVariant::fromValue(Currency::fromRaw(raw));
    case FieldType::Float:
        return QVariant(store.real(slot, field));
    case FieldType::Date:
        return QVariant(QDate::fromJulianDay(raw));
    case FieldType::DateTime:
        return QVariant(dateTimeFromCell(raw));
    case FieldType::Blob:
        return QVariant(store.bytes(slot, field).toByteArray());
    }
    return {};
}

QString text(const RowStore& store, RowStore::Slot slot, int field, FieldType type)
{
    if (store.isNull(slot, field))
        return {};
    const std::int64_t raw = store.raw(slot, field);
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return store.text(slot, field).toString();
    case FieldType::Integer:
    case FieldType::SmallInt:
        return QString::number(raw);
    case FieldType::Boolean:
        return raw != 0 ? QStringLiteral("true") : QStringLiteral("false");
    case FieldType::Currency: {
        const Currency amount = Currency::fromRaw(raw);
        return amount.toString(amount.rounded(2) == amount ? 2 : 4);
    }
    case FieldType::Float:
        return QString::number(store.real(slot, field), 'g', 17);
    case FieldType::Date:
        return QDate::fromJulianDay(raw).toString(Qt::ISODate);
    case FieldType::DateTime:
        return dateTimeFromCell(raw).toString(Qt::ISODateWithMs);
    case FieldType::Blob:
        return QString::fromLatin1(store.bytes(slot, field));
    }
    return {};
}

std::uint64_t sortKey(const RowStore& store, RowStore::Slot slot, int field, FieldType type, int part)
{
    constexpr std::uint64_t SignBit = std::uint64_t(1) << 63;
    if (store.isNull(slot, field))
        return 0;
    switch (type) {
    case FieldType::String:
    case FieldType::Memo: {
        const QStringView text = store.text(slot, field);
        std::uint64_t key = 0;
        for (qsizetype i = 4 * part; i < 4 * part + 4; ++i)
            key = (key << 16) | (i < text.size() ? text[i].unicode() : 0u);
        return key;
    }
    case FieldType::Blob: {
        const QByteArrayView bytes = store.bytes(slot, field);
        std::uint64_t key = 0;
        for (qsizetype i = 8 * part; i < 8 * part + 8; ++i)
            key = (key << 8) | (i < bytes.size() ? std::uint8_t(bytes[i]) : 0u);
        return key;
    }
    case FieldType::Float: {
        double value = store.real(slot, field);
        if (part != 0)
            return 0;
        if (value == 0.0)
            value = 0.0; // -0 orders as +0
        const auto bits = std::bit_cast<std::uint64_t>(value);
        return (bits & SignBit) ? ~bits : bits | SignBit;
    }
    default:
        return part == 0 ? std::uint64_t(store.raw(slot, field)) ^ SignBit : 0;
    }
}

int compare(const RowStore& a, RowStore::Slot slotA, const RowStore& b, RowStore::Slot slotB, int field,
            FieldType type, Qt::CaseSensitivity textCase)
{
    const bool nullA = a.isNull(slotA, field);
    const bool nullB = b.isNull(slotB, field);
    if (nullA || nullB)
        return nullA == nullB ? 0 : (nullA ? -1 : 1);
    switch (type) {
    case FieldType::String:
    case FieldType::Memo: {
        const int result = a.text(slotA, field).compare(b.text(slotB, field), textCase);
        return result < 0 ? -1 : (result > 0 ? 1 : 0);
    }
    case FieldType::Float:
        return threeWay(a.real(slotA, field), b.real(slotB, field));
    case FieldType::Blob: {
        const int result = a.bytes(slotA, field).compare(b.bytes(slotB, field));
        return result < 0 ? -1 : (result > 0 ? 1 : 0);
    }
    default:
        return threeWay(a.raw(slotA, field), b.raw(slotB, field));
    }
}

} // namespace cu::cells
