// The per-person import run.
#include "import/run/ImportaDipendente.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "import/archive/PayrollArchive.h"
#include "import/builders/Annotazioni.h"
#include "import/builders/CudCong.h"
#include "import/builders/CudFields.h"
#include "import/builders/FondoPensione.h"
#include "import/builders/SezioneFiscale.h"
#include "import/run/ImportEnvironment.h"
#include "import/run/PosizioniGiuridicheScelta.h"
#include "import/sections/RevisioneDati.h"
#include "import/sections/SezioneAutonomo.h"
#include "import/sections/SezioneInpdap.h"
#include "import/sections/SezioneInps.h"
#include "import/sections/SezioniPersona.h"
#include "store/HlmDBCds.h"

#include <memory>

namespace cu {

namespace {

constexpr int CategoriaTutte = 0;
constexpr int CategoriaSoloAutonomi = 7;
const QString Si = QStringLiteral("X");
const QString No = QStringLiteral("0");

const QStringList FlagIniziali = {
    QStringLiteral("LCUDAPPLMAGGRIT"),     QStringLiteral("LCUDCSSOSTREDD"),
    QStringLiteral("LCUDRBSNST51TDIP"),    QStringLiteral("LCUDRBSNST51TDIPSAS"),
    QStringLiteral("LCUDASSSANITARIE"),    QStringLiteral("LCUDCONGUAGLIO"),
    QStringLiteral("LCUDRICNONCORR"),      QStringLiteral("LCUDVEDISTR"),
    QStringLiteral("LCUDVEDISTRAS"),       QStringLiteral("LCUDANNULLAMENTO"),
    QStringLiteral("LCUDSOSTITUZIONE"),    QStringLiteral("LCUDCONFERMADICH"),
    QStringLiteral("LCUDNORESSHUM"),       QStringLiteral("LCUDINFORZA3112"),
    QStringLiteral("LCUDASSFISDIR"),       QStringLiteral("LCUDAFDRICHMINACC1"),
    QStringLiteral("LCUDAFDRICHMINACC2"),  QStringLiteral("LCUDAFDRICHMINACC1C"),
    QStringLiteral("LCUDAFDRICHMINACC2C"), QStringLiteral("LCUDCPOSVEDIST"),
    QStringLiteral("LCUDCPOSCNACFC")};

QString mese(int month)
{
    return QStringLiteral("%1").arg(month, 2, 10, QChar(u'0'));
}

QString clausolaInclusi(const ImportTables& t)
{
    return QStringLiteral("REGS.ITNOID IN (%1)").arg(joinCodes(t.tnoInclusi));
}

// The person row of an existing certificate of the key, 0 when none.
int personaCertificato(ImportEnvironment& env, const Selezione& sel)
{
    const ArchiveRows rows = env.archive.open({QStringLiteral("QRY_CUD_AFI_CERTIFICATO"),
                                               {{QStringLiteral("SCRFPROGRAMMA"), QStringLiteral("eli")},
                                                {QStringLiteral("ICRFANNO"), env.year},
                                                {QStringLiteral("ICRFMESE"), sel.meseFinale},
                                                {QStringLiteral("SAFICODFISCALE"), sel.codFiscale.toLower()}},
                                               {},
                                               {}});
    return static_cast<int>(rows.firstInteger(QStringLiteral("IAFIID")));
}

Posizione posizione(const ArchiveRows& acom)
{
    Posizione p;
    if (acom.isEmpty())
        return p;
    p.itnoId = static_cast<int>(acom.integer(0, QStringLiteral("ITNOID")));
    p.durataRapp = static_cast<int>(acom.integer(0, QStringLiteral("IACOMDURATARAPP")));
    p.inizioRapporto = acom.date(0, QStringLiteral("DACOMINIRAPP"));
    p.fineRapporto = acom.date(0, QStringLiteral("DACOMFINERAPP"));
    p.ianaPerId = acom.integer(0, QStringLiteral("IANAPERID"));
    p.minimi = acom.integer(0, QStringLiteral("LACOMMINIMI")) == 1;
    p.soggEnpals = static_cast<int>(acom.integer(0, QStringLiteral("IACOMSOGGENPALS")));
    return p;
}

// The address of the list valid on a day (the list is ordered latest first).
int indirizzoAl(const ArchiveRows& addresses, const QDate& day)
{
    for (int row = 0; row < addresses.size(); ++row) {
        const QDate from = addresses.date(row, QStringLiteral("DABTDAL"));
        if (!from.isValid() || from <= day)
            return row;
    }
    return addresses.isEmpty() ? -1 : addresses.size() - 1;
}

class Persona
{
public:
    Persona(ImportEnvironment& env, const ArchiveRows& list, int listRow)
        : m_env(env), m_sections(env.schema), m_ctx{env.archive, env.params,
                                                    env.tables,  m_sections[SezioniPersona::Cud],
                                                    env.log,     env.year,
                                                    env.anfId,   ImportaDipendente::selezione(list, listRow),
                                                    {},          {}}
    {
    }

    ImportaDipendente::Esito importa();

private:
    Dataset& cud() { return m_sections[SezioniPersona::Cud]; }
    bool sovrascrive();
    ImportaDipendente::Esito importaDati();
    void datiAnagrafici();
    void parteFiscale();
    bool vuoto();
    bool haContributi();

    ImportEnvironment& m_env;
    SezioniPersona m_sections;
    CudContext m_ctx;
    ArchiveRows m_acom;
};

bool Persona::sovrascrive()
{
    Dataset& rows = cud();
    const bool exists = rows.locate(QStringLiteral("SCUDCODFIS;SCUDMESE"),
                                    {m_ctx.sel.codFiscale, mese(m_ctx.sel.meseFinale)}, true);
    if (!exists)
        return true;
    if (rows.asInteger(u"ICUDSTATO") > 0 && !m_env.params.forzaStampati)
        return false;
    switch (m_env.params.overwrite) {
    case OverwritePolicy::Never:
        return false;
    case OverwritePolicy::Ask:
        if (m_env.op.ask(
                m_ctx.sel.cognome + u' ' + m_ctx.sel.nome + QStringLiteral("  :  ") +
                QStringLiteral("Dipendente già presente in archivio, si vogliono sostituire i dati?")) !=
            Operator::Answer::Yes)
            return false;
        break;
    case OverwritePolicy::Always:
        break;
    }
    m_sections.removeAll();
    return true;
}

ImportaDipendente::Esito Persona::importa()
{
    const Selezione& sel = m_ctx.sel;
    m_sections.open(m_env.store, personaCertificato(m_env, sel), m_env.year);
    m_sections[SezioniPersona::Inps].setBeforePost(SezioneInps::primaDelPost);
    if (sel.codFiscale.trimmed().isEmpty()) {
        m_env.op.error(QStringLiteral("ATTENZIONE!!! Dipendente senza codice fiscale : ") + sel.cognome +
                       u' ' + sel.nome);
        return ImportaDipendente::Esito::Saltato;
    }
    if (!sovrascrive())
        return ImportaDipendente::Esito::Saltato;
    const ImportaDipendente::Esito esito = importaDati();
    RevisioneDati::Rivedi(m_sections, m_ctx);
    m_sections.save(m_env.store, sel.meseFinale, m_env.year);
    return esito;
}

void Persona::datiAnagrafici()
{
    Dataset& row = cud();
    const Selezione& sel = m_ctx.sel;
    row.setValue(QStringLiteral("SCUDALTROSOSCODFIS"), m_env.params.codFisAltriSos);
    row.setValue(QStringLiteral("SCUDANNOFIN"), QString::number(m_env.year));
    row.setValue(QStringLiteral("LCUDIMPORTATO"), Si);
    row.setValue(QStringLiteral("SCUDCOGNOME"), sel.cognome);
    row.setValue(QStringLiteral("SCUDNOME"), sel.nome);
    const ArchiveRows sex =
        m_env.archive.open({QStringLiteral("QRY_ANASEX"), {{QStringLiteral("IANAID"), sel.ianaId}}, {}, {}});
    if (!sex.isEmpty())
        row.setValue(QStringLiteral("SCUDSEX"), sex.string(0, QStringLiteral("SSEXSDESC")));
    if (!m_acom.isEmpty()) {
        row.setValue(QStringLiteral("DCUDDATANAS"), m_acom.date(0, QStringLiteral("DANANASCITA")));
        const QString comune = m_acom.string(0, QStringLiteral("COM_NAS_SCOMDESC"));
        row.setValue(QStringLiteral("SCUDCOMNAS"),
                     comune.isEmpty() ? m_acom.string(0, QStringLiteral("STA_NAS_SSTADESC")) : comune);
        row.setValue(QStringLiteral("SCUDPROVNAS"), m_acom.string(0, QStringLiteral("PRO_NAS_SPROSIGLA")));
    }
    row.setValue(QStringLiteral("DCUDDATIANADATA"), m_env.today);
    const int tno = m_ctx.pos.itnoId;
    if (m_env.tables.tnoCategoriaE.contains(tno))
        row.setValue(QStringLiteral("SCUDCATEGPART"), QStringLiteral("E"));
    else if (m_env.tables.tnoCategoriaD.contains(tno))
        row.setValue(QStringLiteral("SCUDCATEGPART"), QStringLiteral("D"));

    const ArchiveRows addresses =
        m_env.archive.open({QStringLiteral("QRY_ANAABT"),
                            {{QStringLiteral("IANAID"), sel.ianaId}, {QStringLiteral("ILOCID"), 2}},
                            {},
                            {}});
    const auto domicilio = [&](const QDate& day, const char* comune, const char* prov, const char* codice) {
        const int a = indirizzoAl(addresses, day);
        if (a < 0)
            return;
        row.setValue(QString::fromLatin1(comune), addresses.string(a, QStringLiteral("SCOMDESC")));
        row.setValue(QString::fromLatin1(prov), addresses.string(a, QStringLiteral("SPROSIGLA")));
        row.setValue(QString::fromLatin1(codice), addresses.string(a, QStringLiteral("SSRPCCODCATA")));
    };
    domicilio(QDate(m_env.year, 1, 1), "SCUDCOMDFAP", "SCUDPROVDFAP", "SCUDCAPDFAP");
    domicilio(QDate(m_env.year, 12, 31), "SCUDCOMDFAC", "SCUDPROVDFAC", "SCUDCAPDFAC");
    row.setValue(QStringLiteral("SCUDDATIANAFIRMA"), m_env.agentSignature);
}

void Persona::parteFiscale()
{
    std::unique_ptr<CudStd> builder;
    if (m_ctx.sel.conguaglio) {
        builder = std::make_unique<CudCong>();
        cud().setValue(QStringLiteral("LCUDCONGUAGLIO"), Si);
    } else {
        builder = std::make_unique<CudStd>();
        builder->AncheSenzaConguaglio = m_env.params.ancheSenzaConguaglio;
    }
    builder->Inizializza(m_ctx);
    SezioneFiscale::Scrivi(*builder, m_ctx);
    FondoPensione::Scrivi(m_ctx);
    if (m_env.params.daInizio)
        cud().setValue(QStringLiteral("LCUDCOMPRENSIVO"), Si);
    cud().post();
    if (cud().asString(u"SCUDCASIESCPREC") != QStringLiteral("2")) {
        Annotazioni::Scrivi(m_ctx, m_env.notes);
        Annotazioni::controllaDetrazioneMinima(m_ctx, m_env.notes);
    }
    SezioneInps::Scrivi(m_ctx, m_sections, m_env.seat,
                        !m_acom.isEmpty() && m_acom.integer(0, QStringLiteral("LACOMBORSADOTTORATO")) == 1);
    SezioneInpdap::Scrivi(m_ctx, m_sections, m_env.seat, m_env.agentFiscalCode);
    if (amount(cud(), u"FCUDDEDNOTAXFAM") > Currency() || cud().asInteger(u"ICUDPERIODOLAV") > 0)
        SezioneFamiliari::Scrivi(m_ctx, m_sections, m_env.familyData);
}

// Whether every amount of a table's rows is 0 (the store's ids aside).
bool importiZero(const Dataset& rows)
{
    for (const FieldDef& field : rows.fields()) {
        if (field.name.compare(u"iAfiID", Qt::CaseInsensitive) == 0 ||
            field.name.compare(u"iFisRigo", Qt::CaseInsensitive) == 0)
            continue;
        const bool numeric = field.type == FieldType::Currency || field.type == FieldType::Integer ||
                             field.type == FieldType::SmallInt || field.type == FieldType::Float;
        if (!numeric)
            continue;
        const QVariant value = rows.value(rows.fieldIndex(field.name));
        if (field.type == FieldType::Currency ? !rows.asCurrency(field.name).isZero()
                                              : (!value.isNull() && value.toDouble() != 0))
            return false;
    }
    return true;
}

// The certificate holds no amount: neither its own row nor the sums paid to
// the person as self-employed (a self-employed person's certificate carries
// its amounts in that section only).
bool Persona::vuoto()
{
    if (!importiZero(cud()))
        return false;
    Dataset& autonomo = m_sections[SezioniPersona::Autonomo];
    for (autonomo.first(); !autonomo.eof(); autonomo.next())
        if (!importiZero(autonomo))
            return false;
    return true;
}

bool Persona::haContributi()
{
    return !m_sections[SezioniPersona::Inps].isEmpty() || !m_sections[SezioniPersona::Inpdap].isEmpty();
}

ImportaDipendente::Esito Persona::importaDati()
{
    const Selezione& sel = m_ctx.sel;
    const ImportParameters& params = m_env.params;
    m_acom = m_env.archive.open(
        {QStringLiteral("QRY_CED_ACOM"), {{QStringLiteral("IACOMID"), sel.iacomId}}, {}, {}});
    m_ctx.pos = posizione(m_acom);

    if (!PosizioniGiuridicheScelta::determina(m_ctx, m_env.choice, m_env.storedFiscal, m_env.storedInps))
        throw EAbort();
    const bool fiscale = m_ctx.tno.anyNotEmpty();
    ArchiveRows autonomo;
    if (params.icalId == CategoriaTutte || params.icalId == CategoriaSoloAutonomi)
        autonomo =
            m_env.archive.open({QStringLiteral("QRY_CUD_AUTON_REGSID"),
                                {{QStringLiteral("IACOMID"), sel.iacomId},
                                 {QStringLiteral("TNO_LIB_PROF"), m_env.tables.tnoLiberoProfessionista},
                                 {QStringLiteral("RICE_COD_IRPEF_AM"), m_env.tables.irpefAltriMesi},
                                 {QStringLiteral("RICE_COD_IRPEF_TS"), m_env.tables.tassazioneSeparata}},
                                {clausolaInclusi(m_env.tables)},
                                {}});
    const bool autonomi = !autonomo.isEmpty();
    if (!fiscale && !autonomi)
        throw EHlmWarning(QStringLiteral("Nessun dato da importare"));

    m_sections.nuovaRiga(SezioniPersona::Cud, m_ctx);
    for (const QString& flag : FlagIniziali)
        cud().setValue(flag, No);
    cud().setValue(QStringLiteral("LCUDCOMPRENSIVO"), Si);
    datiAnagrafici();
    if (fiscale)
        parteFiscale();
    if (cud().state() != Dataset::State::Browse)
        cud().post();
    if (!params.soloInps && autonomi)
        SezioneAutonomo::Scrivi(m_ctx, m_sections, autonomo, m_env.seat);

    const bool allZero = vuoto();
    if (params.soloInps || (allZero && params.icalId == CategoriaTutte)) {
        if (!haContributi()) {
            // The certificate goes with every row of its sections.
            m_sections.removeAll();
            m_env.op.stop(
                QStringLiteral("Dipendente : ") + sel.cognome + u' ' + sel.nome + QStringLiteral("\r\r\n") +
                QStringLiteral("Non importato perchè non sono presenti dati Fiscali o Contributivi"));
            return ImportaDipendente::Esito::Scartato;
        }
    }
    if (params.soloInps || allZero) {
        cud().edit();
        cud().setValue(QStringLiteral("SCUDCASIESCPREC"), QStringLiteral("2"));
        cud().post();
    }
    return ImportaDipendente::Esito::Importato;
}

} // namespace

Selezione ImportaDipendente::selezione(const ArchiveRows& list, int row)
{
    Selezione sel;
    sel.iacomId = list.integer(row, QStringLiteral("IACOMID"));
    sel.ianaId = list.integer(row, QStringLiteral("IANAID"));
    sel.codFiscale = list.string(row, QStringLiteral("SANACODFISCALE")).trimmed();
    sel.cognome = list.string(row, QStringLiteral("SANACOGNOME"));
    sel.nome = list.string(row, QStringLiteral("SANANOME"));
    sel.cognomeNome = list.string(row, QStringLiteral("SANACOGNOMENOME"));
    sel.meseIniziale = static_cast<int>(list.integer(row, QStringLiteral("MESE_INIZIALE")));
    sel.meseFinale = static_cast<int>(list.integer(row, QStringLiteral("MESE_FINALE")));
    sel.conguaglio = list.string(row, QStringLiteral("CONGUAGLIO")) == Si;
    return sel;
}

ImportaDipendente::Esito ImportaDipendente::run(ImportEnvironment& env, const ArchiveRows& list, int listRow)
{
    Persona persona(env, list, listRow);
    return persona.importa();
}

} // namespace cu
