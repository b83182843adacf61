// Coded fields of record G whose values are computed from the section rows:
// month strings, the company registration number, the period of an
// artistic cooperative, the relationship codes of dependants and the two
// characters cut out of the INPDAP insurance scheme.
#include "foundation/text/ValueText.h"
#include "telematic/layouts/CampoValue.h"
#include "telematic/records/CertificateRecords.h"
#include "telematic/records/CertificateSelection.h"

namespace cu {

namespace {

const char* const MonthNames[] = {"GENNAIO", "FEBBRAIO", "MARZO",     "APRILE",  "MAGGIO",   "GIUGNO",
                                  "LUGLIO",  "AGOSTO",   "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"};

struct MonthString
{
    const char* code;
    const char* cds;
    const char* prefix;
    const char* suffix;
};

constexpr MonthString MonthStrings[] = {
    {"DC001008", "cdsInps", "LCUD", ""},         {"DC001050", "cdsInps", "LCUD", "_C"},
    {"DC001060", "cdsInps", "LCUD3B", "_C"},     {"DC001070", "cdsInps", "LCUD3T", "_C"},
    {"DC001038", "cdsInpdap", "LINPDAP", ""},    {"DC001040", "cdsInpdap", "LINPDAPPRSD", ""},
    {"DC001044", "cdsInpdap", "LINPDAPPRD", ""},
};

QString cellText(RowCursor& rows, const char* column)
{
    return text::valueText(rows.value(QString::fromLatin1(column)), text::ValueTextForm::FileField);
}

// The twelve month flags joined in calendar order, "X" as "1"; nothing when
// no month has a value.
QString monthString(RowCursor& rows, const MonthString& spec)
{
    QString joined;
    bool anyValue = false;
    for (const char* month : MonthNames) {
        const QString flag = text::valueText(
            rows.value(QString::fromLatin1(spec.prefix) + QLatin1String(month) + QLatin1String(spec.suffix)),
            text::ValueTextForm::FileField);
        anyValue = anyValue || !flag.isEmpty();
        joined += flag == u"X" ? QStringLiteral("1") : (flag.isEmpty() ? QStringLiteral("0") : flag);
    }
    return anyValue ? joined : QString();
}

QString monthYear(RowCursor& rows, const char* monthColumn, const char* yearColumn)
{
    const int month = cellText(rows, monthColumn).toInt();
    const int year = cellText(rows, yearColumn).toInt();
    if (month <= 0 || year <= 0)
        return QString();
    return QStringLiteral("%1%2").arg(month, 2, 10, QLatin1Char('0')).arg(year);
}

QString firstChildRelationship(RowCursor& family)
{
    if (cellText(family, "LCUDRELPARPRIFIGL") == u"1")
        return QStringLiteral("F");
    if (cellText(family, "LCUDRELPARPRIFIGLDIS") == u"1")
        return QStringLiteral("D");
    return QString();
}

QString childRelationship(RowCursor& family)
{
    if (cellText(family, "LCUDRELPARFIGL") == u"1")
        return QStringLiteral("F");
    if (cellText(family, "LCUDRELPARFIGLALTRFAM") == u"1")
        return QStringLiteral("A");
    if (cellText(family, "LCUDRELPARFIGLDIS") == u"1")
        return QStringLiteral("D");
    return QString();
}

std::optional<QString> insuranceSchemePart(RecordWriterContext& context, const LayoutField& campo)
{
    if (campo.field.compare(u"SCUDGESASS_2", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QString description = campo.description.trimmed().toLower();
    int character = 0;
    if (description == u"gestione previdenziale")
        character = 0;
    else if (description == u"gestione previdenziale - codice fine servizio")
        character = 3;
    else
        return std::nullopt;
    const QVariant scheme = context.selection.requireCursor(u"cdsInpdap").value(u"SCUDGESASS_2");
    if (scheme.isNull())
        return QString();
    return scheme.toString().mid(character, 1);
}

} // namespace

std::optional<QString> computedValueG(RecordWriterContext& context, const LayoutField& campo)
{
    CertificateSelection& selection = context.selection;
    const QString code = campo.code();
    if (code == u"DC001001") {
        RowCursor& inps = selection.requireCursor(u"cdsInps");
        const QString own = cellText(inps, "SCUDMATRAZIENDA").trimmed();
        if (!own.isEmpty())
            return own;
        if (!inps.isEmpty() && context.companyRegistration)
            return context.companyRegistration();
        return QString();
    }
    for (const MonthString& spec : MonthStrings)
        if (code == QLatin1String(spec.code))
            return monthString(selection.requireCursor(QString::fromLatin1(spec.cds)), spec);
    if (code == u"DC001074")
        return monthYear(selection.requireCursor(u"cdsCoopArt"), "ICUDCAMESEDAL", "ICUDCAANNODAL");
    if (code == u"DC001075")
        return monthYear(selection.requireCursor(u"cdsCoopArt"), "ICUDCAMESEAL", "ICUDCAANNOAL");
    const bool deductionShare = campo.field.compare(u"SCUDDETRSPETTPRIFIGL", Qt::CaseInsensitive) == 0;
    if (deductionShare && (code == u"DB602A07" || code == u"DB602B07")) {
        const QString share = cellText(selection.requireCursor(u"cdsConFamCar"), "SCUDDETRSPETTPRIFIGL");
        const bool isC = share == u"C";
        return (code == u"DB602B07") == isC ? share : QString();
    }
    if (code == u"DB602001")
        return firstChildRelationship(selection.requireCursor(u"cdsConFamCar"));
    if (code == u"DBXXX001")
        return childRelationship(selection.requireCursor(u"cdsConFamCar"));
    return insuranceSchemePart(context, campo);
}

} // namespace cu
