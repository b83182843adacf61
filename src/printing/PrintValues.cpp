// Texts and Italian number formats of printed values.
#include "printing/PrintValues.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/ValueText.h"

#include <QDate>
#include <QDateTime>

namespace cu::printvalues {

QString columnText(const Dataset& dataset, const QString& column)
{
    return text::valueText(dataset.value(column), text::ValueTextForm::Print);
}

Currency requireNumber(const QVariant& value)
{
    const auto result = Currency::fromVariant(value);
    if (!result)
        throw EZfError(QStringLiteral("Valore non numerico: \"%1\"")
                           .arg(text::valueText(value, text::ValueTextForm::Print)));
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
