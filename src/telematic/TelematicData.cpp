// The datasets of a file production by component name.
#include "telematic/TelematicData.h"

#include "foundation/operator/Errors.h"
#include "store/HlmDBCds.h"

namespace cu {

namespace {

struct Component
{
    const char* name;
    const char* table;
};

constexpr Component Components[] = {
    {"cdsDip", "TCUD_DATICUD"},
    {"cdsInail", "TCUIN_INAIL"},
    {"cdsAltriEnti", "TCUDAE_ALTRIENTI"},
    {"cdsInps", "TCUDI_INPS"},
    {"cdsInpdap", "TCUDN_INPDAP"},
    {"cdsQuadroCT", "TCUCT_DATICT"},
    {"cdsAutSe", "TASE_AUTSOMMEEROGATE"},
    {"cdsConFamCar", "TCUDC_CONFAMCARICO"},
    {"cdsTfr", "TCUDT_TFR"},
    {"cdsAnnotazioni", "TCUDA_ANNOTAZIONI"},
    {"cdsForn", "TCFO_FORNITORE"},
    {"cdsCoopArt", "TCUDCA_COOPART"},
    {"cdsSost", "TCUS_DATISOST"},
};

} // namespace

TelematicData::TelematicData()
{
    for (const Component& c : Components)
        m_datasets.emplace(QString::fromLatin1(c.name).toUpper(), std::make_unique<Dataset>());
}

TelematicData::~TelematicData() = default;

const QStringList& TelematicData::componentNames()
{
    static const QStringList names = [] {
        QStringList all;
        for (const Component& c : Components)
            all.append(QString::fromLatin1(c.name));
        return all;
    }();
    return names;
}

QString TelematicData::tableOf(const QString& componentName)
{
    for (const Component& c : Components)
        if (componentName.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(c.table);
    return QString();
}

const QStringList& TelematicData::personSectionNames()
{
    static const QStringList names{QStringLiteral("cdsInps"),      QStringLiteral("cdsInail"),
                                   QStringLiteral("cdsAltriEnti"), QStringLiteral("cdsInpdap"),
                                   QStringLiteral("cdsCoopArt"),   QStringLiteral("cdsConFamCar"),
                                   QStringLiteral("cdsAutSe"),     QStringLiteral("cdsTfr")};
    return names;
}

const QStringList& TelematicData::moduleSectionNames()
{
    static const QStringList names{QStringLiteral("cdsInps"),   QStringLiteral("cdsInpdap"),
                                   QStringLiteral("cdsInail"),  QStringLiteral("cdsAltriEnti"),
                                   QStringLiteral("cdsTfr"),    QStringLiteral("cdsAnnotazioni"),
                                   QStringLiteral("cdsCoopArt")};
    return names;
}

void TelematicData::load(HlmDBCds& store)
{
    for (const Component& c : Components)
        store.open(get(QString::fromLatin1(c.name)), QString::fromLatin1(c.table));
    dip().setIndexFieldNames(QStringLiteral("SCUDCODFIS"));
    dip().first();
}

const QStringList& TelematicData::orderColumns()
{
    static const QStringList columns{QStringLiteral("SCUDCODFIS"), QStringLiteral("SCUDCOGNOME"),
                                     QStringLiteral("SCUDNOME"), QStringLiteral("DCUDDATANAS")};
    return columns;
}

void TelematicData::orderCertificates(const QString& column)
{
    const QString name = column.trimmed().toUpper();
    if (!orderColumns().contains(name))
        throw EZfError(QStringLiteral("Colonna di ordinamento sconosciuta: \"%1\" (ammesse: %2)")
                           .arg(column, orderColumns().join(QStringLiteral(", "))));
    const QString fiscalCode = orderColumns().first();
    dip().setIndexFieldNames(name == fiscalCode ? name : name + u';' + fiscalCode);
    dip().first();
}

Dataset* TelematicData::find(QStringView componentName)
{
    const auto it = m_datasets.find(componentName.toString().toUpper());
    return it == m_datasets.end() ? nullptr : it->second.get();
}

Dataset& TelematicData::get(QStringView componentName)
{
    Dataset* dataset = find(componentName);
    if (!dataset)
        throw EAssertion(QStringLiteral("Sezione non trovata ") + componentName.toString(),
                         QStringLiteral("TelematicData"));
    return *dataset;
}

} // namespace cu
