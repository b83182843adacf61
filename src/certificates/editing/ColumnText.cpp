// Display, edit and typed texts of column values.
#include "certificates/editing/ColumnText.h"

#include "certificates/CertificateSchema.h"
#include "certificates/FlagValue.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"

#include <QDate>
#include <QRegularExpression>

namespace cu::columntext {

namespace {

const QString DateFormat = QStringLiteral("dd/MM/yyyy");

int decimalsOf(const ColumnSchema& column)
{
    return column.name.compare(u"FCUDQUOTA2122", Qt::CaseInsensitive) == 0 ? 3 : 2;
}

[[noreturn]] void refuse(const ColumnSchema& column, const QString& text, const QString& expected)
{
    throw EZfError(QStringLiteral("Valore non valido per %1: \"%2\" (%3)").arg(column.name, text, expected));
}

QVariant parseAmount(const ColumnSchema& column, const QString& text)
{
    QString plain = text;
    // Italian thousands separators come with a decimal comma: "1.234,56".
    static const QRegularExpression italian(QStringLiteral("^-?\\d{1,3}(\\.\\d{3})+(,\\d*)?$"));
    if (italian.match(plain).hasMatch())
        plain.remove(u'.');
    const std::optional<Currency> amount = Currency::parse(plain);
    if (!amount)
        refuse(column, text, QStringLiteral("importo come 1234,56"));
    return amount->isZero() ? QVariant() : QVariant::fromValue(*amount);
}

QVariant parseInteger(const ColumnSchema& column, const QString& text)
{
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (!ok)
        refuse(column, text, QStringLiteral("numero intero"));
    return number;
}

QVariant parseDate(const ColumnSchema& column, const QString& text)
{
    QDate date = QDate::fromString(text, QStringLiteral("d/M/yyyy"));
    if (!date.isValid())
        date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        refuse(column, text, QStringLiteral("data gg/mm/aaaa"));
    return date;
}

QVariant parseFlag(const TableSchema& table, const ColumnSchema& column, const QString& text)
{
    const QString set = flagSetValue(table, column);
    const QString word = text.toLower();
    if (word.isEmpty() || word == u"0" || word == u"no" || word == u"n")
        return FlagUnset;
    if (word == set.toLower() || word == u"1" || word == u"x" || word == u"si" || word == u"sì" ||
        word == u"s")
        return set;
    refuse(column, text, QStringLiteral("%1 oppure 0").arg(set));
}

QVariant parseText(const ColumnSchema& column, const QString& text)
{
    if (column.size > 0 && text.size() > column.size)
        throw EZfError(QStringLiteral("Testo troppo lungo per %1: %2 caratteri, al massimo %3")
                           .arg(column.name)
                           .arg(text.size())
                           .arg(column.size));
    return text;
}

} // namespace

QString display(const ColumnSchema& column, const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (column.fieldType()) {
    case FieldType::Currency: {
        const Currency amount = Currency::fromVariant(value).value_or(Currency());
        return amount.isZero() ? QString() : amount.toItalian(decimalsOf(column));
    }
    case FieldType::Date:
        return value.toDate().toString(DateFormat);
    default:
        return value.toString();
    }
}

QString edit(const ColumnSchema& column, const QVariant& value)
{
    if (column.fieldType() != FieldType::Currency)
        return display(column, value);
    const Currency amount = Currency::fromVariant(value).value_or(Currency());
    return amount.isZero() ? QString() : amount.toString(decimalsOf(column)).replace(u'.', u',');
}

QVariant parse(const TableSchema& table, const ColumnSchema& column, const QString& typed)
{
    const QString text = typed.trimmed();
    if (column.checkBox)
        return parseFlag(table, column, text);
    if (text.isEmpty())
        return QVariant();
    switch (column.fieldType()) {
    case FieldType::Currency:
        return parseAmount(column, text);
    case FieldType::Integer:
        return parseInteger(column, text);
    case FieldType::Date:
        return parseDate(column, text);
    case FieldType::Blob:
        throw EZfError(QStringLiteral("La colonna %1 non si può scrivere come testo").arg(column.name));
    default:
        return parseText(column, text);
    }
}

} // namespace cu::columntext
