// Source codes of the layout fields, per record family.
#include "telematic/layouts/CampoValue.h"

#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"

#include <QDate>
#include <QDateTime>

namespace cu {

namespace {

QString currencyText(const Currency& amount)
{
    QString text = amount.toString(4);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

Currency asNumber(const QVariant& value, const LayoutField& campo)
{
    const std::optional<Currency> amount = Currency::fromVariant(value);
    if (!amount)
        throw EZfError(QStringLiteral("Valore non numerico nel campo %1 (%2): \"%3\"")
                           .arg(campo.number, campo.field, value.toString()));
    return *amount;
}

// Units cut toward zero ("T@").
QString truncated(const QVariant& value, const LayoutField& campo)
{
    if (value.isNull() || variantText(value).isEmpty())
        return QString();
    return QString::number(asNumber(value, campo).units());
}

// Units, plus one when the fraction is 0.5 or more ("A@").
QString roundedUp(const QVariant& value, const LayoutField& campo)
{
    if (value.isNull() || variantText(value).isEmpty())
        return QString();
    const std::int64_t raw = asNumber(value, campo).raw();
    std::int64_t units = raw / Currency::Scale;
    if (raw % Currency::Scale >= Currency::Scale / 2)
        ++units;
    return QString::number(units);
}

QVariant fetched(const LayoutField& campo, const CampoFetch& fetch)
{
    if (campo.cds.isEmpty())
        return QVariant();
    return fetch(campo);
}

bool readsFlags(RecordFamily f)
{
    return f != RecordFamily::A && f != RecordFamily::Z;
}
bool readsUnits(RecordFamily f)
{
    return f == RecordFamily::CD || f == RecordFamily::G || f == RecordFamily::H;
}
bool readsRounded(RecordFamily f)
{
    return f == RecordFamily::G || f == RecordFamily::H;
}

} // namespace

QString variantText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (value.metaType() == QMetaType::fromType<Currency>())
        return currencyText(value.value<Currency>());
    switch (value.typeId()) {
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QStringLiteral("0.00.00");
    }
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        return moment.isValid() ? moment.date().toString(QStringLiteral("dd/MM/yyyy"))
                                : QStringLiteral("0.00.00");
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        return currencyText(Currency::fromDouble(value.toDouble()));
    default:
        return value.toString();
    }
}

QString getCampoValue(RecordFamily family, const LayoutField& campo, const CampoFetch& fetch)
{
    const QString& info = campo.info;
    if (family == RecordFamily::Z || info == u"OF")
        return campo.fixed;
    if (info == u"O@" || info == u"@X")
        return variantText(fetched(campo, fetch));
    if (info == u"@@") {
        const QString text = variantText(fetched(campo, fetch));
        if (family == RecordFamily::B && (text.isEmpty() || text == u"0"))
            return QStringLiteral("0");
        return text;
    }
    if (info == u"@1" && readsFlags(family)) {
        // An empty flag is an unset flag, like a null one.
        const QString text = variantText(fetched(campo, fetch));
        return text.isEmpty() || text == u"0" ? QStringLiteral("0") : QStringLiteral("1");
    }
    if ((info == u"T@" || info == u"TX") && readsUnits(family))
        return truncated(fetched(campo, fetch), campo);
    if ((info == u"A@" || info == u"AX") && readsRounded(family))
        return roundedUp(fetched(campo, fetch), campo);
    if (info == u"A1" && family == RecordFamily::G)
        return roundedUp(fetched(campo, fetch), campo);
    return QString();
}

} // namespace cu
