// Source codes of the layout fields, per record family.
#include "telematic/layouts/CampoValue.h"

#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"
#include "foundation/text/ValueText.h"

namespace cu {

namespace {

// A value as the file's fields carry it.
QString fieldText(const QVariant& value)
{
    return text::valueText(value, text::ValueTextForm::FileField);
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
    if (value.isNull() || fieldText(value).isEmpty())
        return QString();
    return QString::number(asNumber(value, campo).units());
}

// Units, plus one when the fraction is 0.5 or more ("A@").
QString roundedUp(const QVariant& value, const LayoutField& campo)
{
    if (value.isNull() || fieldText(value).isEmpty())
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

QString getCampoValue(RecordFamily family, const LayoutField& campo, const CampoFetch& fetch)
{
    const QString& info = campo.info;
    if (family == RecordFamily::Z || info == u"OF")
        return campo.fixed;
    if (info == u"O@" || info == u"@X")
        return fieldText(fetched(campo, fetch));
    if (info == u"@@") {
        const QString text = fieldText(fetched(campo, fetch));
        if (family == RecordFamily::B && (text.isEmpty() || text == u"0"))
            return QStringLiteral("0");
        return text;
    }
    if (info == u"@1" && readsFlags(family)) {
        // An empty flag is an unset flag, like a null one.
        const QString text = fieldText(fetched(campo, fetch));
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
