// The run over the list of positions, holding the year's job lock.
#include "import/run/ImportRun.h"

#include "certificates/CertificateSchema.h"
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/ConnectionLost.h"
#include "foundation/database/JobLock.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/installation/AppContext.h"
#include "foundation/installation/HlmAnno.h"
#include "foundation/installation/HlmUtil.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "foundation/text/TextFunctions.h"
#include "import/archive/CatalogueArchive.h"
#include "import/archive/ParametriContributivi.h"
#include "import/run/ImportChecks.h"
#include "import/run/ImportEnvironment.h"
#include "import/run/ImportaDipendente.h"
#include "import/run/PosizioniGiuridicheScelta.h"
#include "store/HlmDBCds.h"

#include <QDir>
#include <algorithm>
#include <numeric>

namespace cu {

namespace {

constexpr int CategoriaSoloAutonomi = 7;
const QString Titolo = QStringLiteral("Modello CU 2025");

// The stop message of a position that failed: who, why, and the catalogue
// statement that ran last (on a line of its own, so that it does not run
// into the reason).
QString failureMessage(const ArchiveRows& list, int row, const QString& reason, const QString& lastOperation)
{
    // The archive's name may hold line breaks or tabs: the message names the
    // person on one line.
    QString text = QStringLiteral("Controllare i dati del dipendente:") +
                   text::withoutControlCharacters(list.string(row, QStringLiteral("SANACOGNOME")) + u' ' +
                                                  list.string(row, QStringLiteral("SANANOME"))) +
                   QStringLiteral("\r\n\r\n") + reason;
    if (!lastOperation.isEmpty())
        text += QStringLiteral("\r\n") + lastOperation;
    return text;
}

QString condizioneAutonomi(const ImportTables& t)
{
    return QStringLiteral(
               "(REGS.ITNOID IN (%1) AND ( ACOM.LACOMMINIMI=1 OR (SELECT sum(VARR.FVARRRITDIP) from "
               "TVARR_VARRITENUTE VARR where VARR.IREGSID=REGS.IREGSID AND VARR.IVARMID IS NULL AND "
               "VARR.ICOMRID IS NULL AND VARR.IRICEID IN (:RICE_COD_IRPEF_AM,:RICE_COD_IRPEF_TS)) > 0 ))")
        .arg(joinCodes(t.tnoInclusi));
}

QString condizioneCategoria(const ImportParameters& p, const ImportTables& t)
{
    if (p.icalId == CategoriaSoloAutonomi)
        return QStringLiteral(" AND (") + condizioneAutonomi(t) + QStringLiteral(") ");
    if (p.icalId > 0)
        return QStringLiteral(" AND (ANAPER.ICALID=:ICALID) ");
    return QStringLiteral("AND ((NOT REGS.ITNOID IN (%1)) OR (").arg(joinCodes(t.tnoEsclusi)) +
           condizioneAutonomi(t) + QStringLiteral("))");
}

// The months of the certificates that the person already has in the year.
int primoMeseLibero(PayrollArchive& archive, int year, const QString& fiscalCode)
{
    const ArchiveRows months = archive.open({QStringLiteral("QRY_CUD_AFI_MESI"),
                                             {{QStringLiteral("SCRFPROGRAMMA"), QStringLiteral("eli")},
                                              {QStringLiteral("ICRFANNO"), year},
                                              {QStringLiteral("SAFICODFISCALE"), fiscalCode.toLower()}},
                                             {},
                                             {}});
    qint64 highest = 0;
    for (int row = 0; row < months.size(); ++row)
        highest = std::max(highest, months.integer(row, QStringLiteral("ICRFMESE")));
    return static_cast<int>(highest) + 1;
}

bool scelto(const ImportParameters& p, const ArchiveRows& list, int row)
{
    if (p.only.isEmpty())
        return true;
    const QString code = list.string(row, QStringLiteral("SANACODFISCALE")).trimmed();
    const QString position = QString::number(list.integer(row, QStringLiteral("IACOMID")));
    for (const QString& wanted : p.only)
        if (wanted.trimmed().compare(code, Qt::CaseInsensitive) == 0 || wanted.trimmed() == position)
            return true;
    return false;
}

ArchiveRows leggiLista(PayrollArchive& archive, const ImportParameters& p, const ImportTables& t, int year,
                       int siteId)
{
    QVariantMap params = {{QStringLiteral("IANFID"), HlmAnnoFinanziario::YearToId(year)},
                          {QStringLiteral("IMESID"), p.imesId},
                          {QStringLiteral("IDWGID"), siteId}};
    if (p.icalId > 0 && p.icalId != CategoriaSoloAutonomi) {
        params.insert(QStringLiteral("ICALID"), p.icalId);
    } else {
        params.insert(QStringLiteral("RICE_COD_IRPEF_AM"), t.irpefAltriMesi);
        params.insert(QStringLiteral("RICE_COD_IRPEF_TS"), t.tassazioneSeparata);
    }
    return archive.open({QStringLiteral("QRY_CUD_IMP"), params, {}, condizioneCategoria(p, t)});
}

ArchiveRows completaLista(PayrollArchive& archive, const ImportParameters& p, int year,
                          const ArchiveRows& raw)
{
    ArchiveRows list(raw.columns());
    QVector<int> order(raw.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return raw.string(a, QStringLiteral("SANACOGNOMENOME"))
                   .compare(raw.string(b, QStringLiteral("SANACOGNOMENOME")), Qt::CaseInsensitive) < 0;
    });
    for (int row : order) {
        if (!scelto(p, raw, row) || raw.value(row, QStringLiteral("MESE_FINALE")).isNull())
            continue;
        const int last = static_cast<int>(raw.integer(row, QStringLiteral("MESE_FINALE")));
        const int first =
            p.daInizio ? 1
                       : primoMeseLibero(archive, year, raw.string(row, QStringLiteral("SANACODFISCALE")));
        if (last < first)
            continue;
        const ArchiveRows cong =
            archive.open({QStringLiteral("QRY_CUD_CONG"),
                          {{QStringLiteral("IACOMID"), raw.integer(row, QStringLiteral("IACOMID"))},
                           {QStringLiteral("IMESID"), last}},
                          {},
                          {}});
        QVariantMap values;
        for (const QString& column : raw.columns())
            values.insert(column, raw.value(row, column));
        values.insert(QStringLiteral("MESE_INIZIALE"), first);
        values.insert(QStringLiteral("CONGUAGLIO"),
                      cong.isEmpty() ? QStringLiteral(" ") : QStringLiteral("X"));
        list.appendNamed(values);
    }
    return list;
}

// The current row of a yearly table, or a new one when it has none.
void rigaCorrente(Dataset& table)
{
    table.first();
    if (table.isEmpty())
        table.append();
    else
        table.edit();
}

// The withholding agent's own data from the seat record. The agent's rows are
// kept and only the columns that come from the seat are written, so that the
// data that the operator keeps there (signature, representative) survives.
void scriviSostituto(ImportEnvironment& env, const CertificateSchema& schema)
{
    const ArchiveRows& seat = env.seat;
    if (seat.isEmpty())
        return;
    const auto s = [&](const char* column) { return seat.string(0, QString::fromLatin1(column)); };
    Dataset sos;
    env.store.open(sos, QStringLiteral("TCUS_DATISOST"));
    const bool nuovo = sos.isEmpty();
    rigaCorrente(sos);
    if (nuovo)
        initialiseFlags(sos, *schema.table(u"TCUS_DATISOST"));
    sos.setValue(QStringLiteral("SSOSCODFIS"), s("SSEDNOMCODICEFISC"));
    sos.setValue(QStringLiteral("SSOSDENOM"), s("SSEDNOMLDESC"));
    sos.setValue(QStringLiteral("SSOSNOME"), QString());
    sos.setValue(QStringLiteral("SSOSCOMUNE"), s("SCOMDESC"));
    sos.setValue(QStringLiteral("SSOSPROV"), s("SPROSIGLA"));
    sos.setValue(QStringLiteral("SSOSCAP"), s("SCAPVALUE"));
    sos.setValue(QStringLiteral("SSOSINDIRIZZO"), s("SSEDINDINDIRIZZO"));
    QString phone = s("SSEDTELTELEFONO").trimmed().isEmpty() ? s("SSEDFAXNO") : s("SSEDTELTELEFONO");
    phone.remove(u'/').remove(u'-').remove(u' ');
    sos.setValue(QStringLiteral("SSOSTELFAX"), phone);
    sos.setValue(QStringLiteral("SSOSEMAIL"), s("SSEDEMLEMAIL"));
    sos.setValue(QStringLiteral("SSOSCODATTIVITA"), s("SPACOCODATECO2007"));
    for (const char* flag : {"LSOSANNULLAMENTO", "LSOSSOSTITUZIONE", "LSOSEVECC", "LSOSCASIPARTICOLARI",
                             "LSOSCT", "LSOSDICHCONTRIB"})
        sos.setValue(QString::fromLatin1(flag), QStringLiteral("0"));
    sos.post();
    env.store.save(sos, QStringLiteral("TCUS_DATISOST"));

    Dataset ct;
    env.store.open(ct, QStringLiteral("TCUCT_DATICT"));
    rigaCorrente(ct);
    ct.setValue(QStringLiteral("SCTCODFIS"), s("SSEDNOMCODICEFISC"));
    ct.setValue(QStringLiteral("LCTFISCONLINE"), QStringLiteral("0"));
    ct.setValue(QStringLiteral("LCTSRVENTRATEL"), QStringLiteral("0"));
    ct.post();
    env.store.save(ct, QStringLiteral("TCUCT_DATICT"));

    Dataset fornitore;
    env.store.open(fornitore, QStringLiteral("TCFO_FORNITORE"));
    rigaCorrente(fornitore);
    fornitore.setValue(QStringLiteral("SFORCODFIS"), s("SSEDNOMCODICEFISC"));
    fornitore.setValue(QStringLiteral("STFOCODICE"), QStringLiteral("01"));
    fornitore.post();
    env.store.save(fornitore, QStringLiteral("TCFO_FORNITORE"));
}

void leggiSostituto(ImportEnvironment& env)
{
    Dataset sos;
    env.store.open(sos, QStringLiteral("TCUS_DATISOST"));
    sos.first();
    if (sos.isEmpty())
        return;
    env.agentFiscalCode = sos.asString(u"SSOSCODFIS");
    env.agentSignature = sos.asString(u"SSOSFIRMACOM");
}

void require(bool condition, const QString& what)
{
    if (!condition)
        throw EZfError(QStringLiteral("Impossibile eseguire l'importazione: %1").arg(what));
}

class Run
{
public:
    Run(AppContext& ctx, const ImportParameters& params, Operator& op, const ImportRunOptions& options,
        PayrollArchive& archive, const CertificateSchema& schema, SceltaPosizioniGiuridiche& choice)
        : m_ctx(ctx), m_op(op), m_options(options), m_env{archive,
                                                          *ctx.store,
                                                          op,
                                                          choice,
                                                          schema,
                                                          params,
                                                          ImportTables::standard(),
                                                          {},
                                                          {},
                                                          ctx.workingYear,
                                                          HlmAnnoFinanziario::YearToId(ctx.workingYear),
                                                          options.today,
                                                          {},
                                                          {},
                                                          {},
                                                          {},
                                                          {},
                                                          {}}
    {
    }

    ImportOutcome execute(int siteId);

private:
    void persona(const ArchiveRows& list, int row, ImportOutcome& outcome);

    AppContext& m_ctx;
    Operator& m_op;
    const ImportRunOptions& m_options;
    ImportEnvironment m_env;
};

void Run::persona(const ArchiveRows& list, int row, ImportOutcome& outcome)
{
    try {
        Transaction transaction(*m_ctx.connection);
        switch (ImportaDipendente::run(m_env, list, row)) {
        case ImportaDipendente::Esito::Importato:
            ++outcome.imported;
            break;
        case ImportaDipendente::Esito::Saltato:
            ++outcome.skipped;
            break;
        case ImportaDipendente::Esito::Scartato:
            ++outcome.dropped;
            break;
        }
        transaction.commit();
    } catch (const EAbort&) {
        ++outcome.skipped;
    } catch (const ConnectionLost&) {
        throw;
    } catch (const Error& e) {
        // A statement that failed because the server is gone is no fault of
        // the person's data: the run stops with that one message.
        m_ctx.connection->requireReachable();
        ++outcome.failed;
        m_op.stop(failureMessage(list, row, e.message(), m_ctx.catalogue->lastOperation()));
    }
}

ImportOutcome Run::execute(int siteId)
{
    ImportTables& t = m_env.tables;
    t.load730(QDir(m_ctx.folders.etcKbr()).filePath(QStringLiteral("TV730_VOCI730.cds")));
    m_env.notes = NoteTable::load(QDir(m_ctx.folders.tabelle()).filePath(QStringLiteral("TNOT_NOTE.cds")));
    m_env.seat =
        m_env.archive.open({QStringLiteral("QRY_SED"), {{QStringLiteral("IDWGID"), siteId}}, {}, {}});
    const QPair<QString, QString> stored = PosizioniGiuridicheScelta::impostazioni(m_env.archive);
    m_env.storedFiscal = stored.first;
    m_env.storedInps = stored.second;

    ImportOutcome outcome;
    const ArchiveRows list = completaLista(m_env.archive, m_env.params, m_env.year,
                                           leggiLista(m_env.archive, m_env.params, t, m_env.year, siteId));
    outcome.listed = list.size();
    if (list.isEmpty()) {
        if (m_options.showClosing)
            m_op.information(QStringLiteral("Nessuna dato da importare!"));
        return outcome;
    }
    if (m_env.params.sostituto) {
        Transaction transaction(*m_ctx.connection);
        scriviSostituto(m_env, m_env.schema);
        transaction.commit();
    }
    leggiSostituto(m_env);
    m_env.familyData = DatiFamiliari::read(m_env.archive, m_env.anfId);

    m_op.beginProgress(QStringLiteral("Importazione dati per CU"), list.size());
    for (int row = 0; row < list.size(); ++row) {
        m_op.setProgress(row, list.string(row, QStringLiteral("SANACOGNOMENOME")));
        persona(list, row, outcome);
        if (m_op.wasAborted()) {
            outcome.aborted = true;
            break;
        }
    }
    m_op.endProgress();
    outcome.lines = m_env.log.lines();
    if (m_options.showClosing) {
        if (m_env.log.isEmpty())
            m_op.information(QStringLiteral("Fine operazione"));
        else
            m_op.showInfo(QStringLiteral("Informazioni"), m_env.log.text());
    }
    return outcome;
}

} // namespace

ArchiveRows listaPosizioni(AppContext& context, const ImportParameters& params, int siteId)
{
    require(context.connection && context.catalogue, QStringLiteral("database non collegato"));
    CatalogueArchive archive(*context.connection, *context.catalogue);
    return completaLista(archive, params, context.workingYear,
                         leggiLista(archive, params, ImportTables::standard(), context.workingYear, siteId));
}

ImportOutcome runImport(AppContext& context, const ImportParameters& params, Operator& op,
                        const ImportRunOptions& options)
{
    require(context.connection && context.connection->isConnected(),
            QStringLiteral("database non collegato"));
    require(context.catalogue, QStringLiteral("catalogo delle query non caricato"));
    require(context.store, QStringLiteral("archivio dei modelli non aperto"));
    const CertificateSchema schema =
        CertificateSchema::load(QDir(context.folders.res()).filePath(QStringLiteral("Schema/eli.xml")));
    int siteId = options.siteId;
    if (siteId == 0 && context.params)
        siteId = HlmUtil::ParamDwgID(*context.params);
    verificaParametri(params,
                      ParametriContributivi::leggi(*context.connection, *context.catalogue,
                                                   HlmAnnoFinanziario::YearToId(context.workingYear), siteId)
                          .cfSoggettoDenuncia);
    const JobLock lock(*context.connection, context.workingYear, JobLock::Job::Import);
    CatalogueArchive archive(*context.connection, *context.catalogue);
    StoredChoice storedChoice;
    SceltaPosizioniGiuridiche& choice = options.choice ? *options.choice : storedChoice;
    Run run(context, params, op, options, archive, schema, choice);
    try {
        return run.execute(siteId);
    } catch (const DatabaseError&) {
        context.connection->requireReachable();
        throw;
    }
}

} // namespace cu
