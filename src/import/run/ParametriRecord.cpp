// The import's parameter record.
#include "import/run/ParametriRecord.h"

#include "foundation/dataset/Dataset.h"
#include "store/HlmDBCds.h"

namespace cu {

namespace {

// Flags of the record are texts: "1" set, "0" unset.
QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool isSet(const Dataset& record, QStringView name)
{
    const QString text = record.asString(name).trimmed();
    return !text.isEmpty() && text != u"0";
}

bool agentStored(HlmDBCds& store)
{
    Dataset agent;
    store.open(agent, QStringLiteral("TCUS_DATISOST"));
    return !agent.isEmpty();
}

} // namespace

void ParametriRecord::prepara(Dataset& record, HlmDBCds& store)
{
    QVector<FieldDef> fields;
    for (const char* name : {"ICOTID", "IMESID", "ITIPOESECUZIONE", "ICOTFONDAMENTALE", "ICALID", "IVPROID",
                             "ICOSID", "INCLUDI_INPDAP_MEF"})
        fields.append({QString::fromLatin1(name), FieldType::Integer, 0});
    for (const char* name : {"DAINIZIO", "SOLOINPS", "SOSTITUTO", "ANCHE_SENZA_CONGUAGLIO", "ACCONTO_ADD_COM",
                             "ARRETRATI_DETR", "ACCONTO_ADD_COM_ANNO", "CALC_IRPEF_DA_INPS_COCOCO",
                             "FISCALE_NOIPA"})
        fields.append({QString::fromLatin1(name), FieldType::String, 1});
    fields.append({QStringLiteral("CFAMM"), FieldType::String, 16});
    fields.append({QStringLiteral("SCODFISALTRISOS"), FieldType::String, 16});
    record.setFields(fields);
    record.open();
    ImportParameters defaults;
    defaults.sostituto = !agentStored(store);
    scrivi(defaults, record);
}

void ParametriRecord::scrivi(const ImportParameters& p, Dataset& record)
{
    record.first();
    record.edit();
    record.setValue(u"ICALID", p.icalId);
    record.setValue(u"IMESID", p.imesId);
    record.setValue(u"ICOTFONDAMENTALE", p.icotFondamentale);
    record.setValue(u"INCLUDI_INPDAP_MEF", p.includiInpdapMef ? 1 : 0);
    record.setValue(u"DAINIZIO", flag(p.daInizio));
    record.setValue(u"FISCALE_NOIPA", flag(p.fiscaleNoipa));
    record.setValue(u"SOLOINPS", flag(p.soloInps));
    record.setValue(u"ANCHE_SENZA_CONGUAGLIO", flag(p.ancheSenzaConguaglio));
    record.setValue(u"ACCONTO_ADD_COM", flag(p.accontoAddCom));
    record.setValue(u"ACCONTO_ADD_COM_ANNO", flag(p.accontoAddComAnno));
    record.setValue(u"SOSTITUTO", flag(p.sostituto));
    record.setValue(u"ARRETRATI_DETR", flag(p.arretratiDetr));
    record.setValue(u"SCODFISALTRISOS", p.codFisAltriSos);
    record.setValue(u"CALC_IRPEF_DA_INPS_COCOCO", flag(p.calcIrpefDaInpsCococo));
    record.post();
}

ImportParameters ParametriRecord::leggi(const Dataset& record)
{
    ImportParameters p;
    p.icalId = static_cast<int>(record.asInteger(u"ICALID"));
    p.imesId = static_cast<int>(record.asInteger(u"IMESID"));
    p.icotFondamentale = static_cast<int>(record.asInteger(u"ICOTFONDAMENTALE"));
    p.includiInpdapMef = record.asInteger(u"INCLUDI_INPDAP_MEF") == 1;
    p.daInizio = isSet(record, u"DAINIZIO");
    p.fiscaleNoipa = isSet(record, u"FISCALE_NOIPA");
    p.soloInps = isSet(record, u"SOLOINPS");
    p.ancheSenzaConguaglio = isSet(record, u"ANCHE_SENZA_CONGUAGLIO");
    p.accontoAddCom = isSet(record, u"ACCONTO_ADD_COM");
    p.accontoAddComAnno = isSet(record, u"ACCONTO_ADD_COM_ANNO");
    p.sostituto = isSet(record, u"SOSTITUTO");
    p.arretratiDetr = isSet(record, u"ARRETRATI_DETR");
    p.codFisAltriSos = record.asString(u"SCODFISALTRISOS").trimmed();
    p.calcIrpefDaInpsCococo = isSet(record, u"CALC_IRPEF_DA_INPS_COCOCO");
    return p;
}

} // namespace cu
