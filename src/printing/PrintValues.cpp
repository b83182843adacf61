// Texts and Italian number formats of printed values.
#include "printing/PrintValues.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"

#include <QDate>
#include <QDateTime>

namespace cu::printvalues {

namespace {

// "1234,5": the decimals the amount has, with a comma.
QString amountText(Currency value)
{
    QString plain = value.toString(4);
    while (plain.endsWith(u'0'))
        plain.chop(1);
    if (plain.endsWith(u'.'))
        plain.chop(1);
    return plain.replace(u'.', u',');
}

} // namespace

QString text(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    if (value.metaType() == QMetaType::fromType<Currency>())
        return amountText(value.value<Currency>());
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime:
        return value.toDateTime().date().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
        return amountText(Currency::fromDouble(value.toDouble()));
    default:
        return value.toString();
    }
}

QString columnText(const Dataset& dataset, const QString& column)
{
    return text(dataset.value(column));
}

Currency requireNumber(const QVariant& value)
{
    const auto result = Currency::fromVariant(value);
    if (!result)
        throw EZfError(QStringLiteral("Valore non numerico: \"%1\"").arg(text(value)));
    return *result;
}

QString amount(Currency value)
{
    if (value.rounded(2).isZero())
        return QStringLiteral("0,00");
    return value.toItalian(2);
}

QString wholeAmount(Currency wholeUnits)
{
    if (wholeUnits.rounded(0).isZero())
        return QStringLiteral("0");
    return wholeUnits.toItalian(0);
}

QDate requireDate(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate();
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().date();
    const QString s = value.toString().trimmed();
    QDate date = QDate::fromString(s, QStringLiteral("dd/MM/yyyy"));
    if (!date.isValid())
        date = QDate::fromString(s, Qt::ISODate);
    if (!date.isValid())
        throw EZfError(QStringLiteral("Data non valida: \"%1\"").arg(s));
    return date;
}

QString spacedDate(const QString& date, int gap1, int gap2)
{
    return date.mid(0, 2) + QString(gap1, u' ') + date.mid(3, 2) + QString(gap2, u' ') + date.mid(6, 4);
}

QString spacedDayMonth(const QString& date, int gap)
{
    return date.mid(0, 2) + QString(gap, u' ') + date.mid(3, 2);
}

} // namespace cu::printvalues
