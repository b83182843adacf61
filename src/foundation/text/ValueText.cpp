// Stored values as the text of the file's fields and of the prints.
#include "foundation/text/ValueText.h"

#include "foundation/text/Currency.h"

#include <QDate>
#include <QDateTime>

namespace cu::text {

namespace {

QString amountText(Currency amount, ValueTextForm form)
{
    QString text = amount.toString(4);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    if (form == ValueTextForm::Print)
        text.replace(u'.', u',');
    return text;
}

QString dateText(const QDate& date, ValueTextForm form)
{
    if (date.isValid())
        return date.toString(QStringLiteral("dd/MM/yyyy"));
    return form == ValueTextForm::FileField ? QStringLiteral("0.00.00") : QString();
}

} // namespace

QString valueText(const QVariant& value, ValueTextForm form)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (value.metaType() == QMetaType::fromType<Currency>())
        return amountText(value.value<Currency>(), form);
    switch (value.typeId()) {
    case QMetaType::QDate:
        return dateText(value.toDate(), form);
    case QMetaType::QDateTime:
        return dateText(value.toDateTime().date(), form);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        return amountText(Currency::fromDouble(value.toDouble()), form);
    default:
        return value.toString();
    }
}

} // namespace cu::text
