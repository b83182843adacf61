// The annotation writer and its checks.
#include "import/builders/Annotazioni.h"

#include "foundation/dataset/Dataset.h"
#include "certificates/NoteTable.h"
#include "import/archive/PayrollArchive.h"
#include "import/archive/PeriodiPaga.h"
#include "import/builders/CalcoliArchivio.h"
#include "import/builders/CudContext.h"
#include "import/builders/CudFields.h"

#include <algorithm>

namespace cu {

namespace {

const QString Annotazioni_ = QStringLiteral("SCUDANNOTAZIONI");
const QString Si = QStringLiteral("X");
const QString No = QStringLiteral("0");

void append(Dataset& cud, const QString& line)
{
    cud.setValue(Annotazioni_, cud.asString(Annotazioni_) + line);
}

bool inYear(const QDate& date, int year)
{
    return date.isValid() && date.year() == year;
}

int giorni(const Dataset& cud)
{
    return static_cast<int>(cud.asInteger(u"ICUDPERIODOLAV"));
}

// Step 3: the pay periods when the period is shorter than a year.
bool scriviPeriodi(CudContext& o)
{
    const PeriodiPaga periods = PeriodiPaga::read(o);
    const QString text = periods.text();
    if (giorni(o.cud) < 365 && !text.isEmpty() && text != QStringLiteral("\r\n"))
        append(o.cud, QStringLiteral("AI) ") + text);
    return periods.interruption;
}

// The day test of point 11, code "2": the registers of the position in the
// certificate's months record absence days, so the days for deductions
// cover periods that were not paid in full.
bool assenzeNelPeriodo(CudContext& o)
{
    if (o.tno.fiscale.isEmpty())
        return false;
    return CalcoliArchivio::giorniAssenza(
               o.archive, {o.sel.iacomId, o.sel.meseIniziale, o.sel.meseFinale, o.tno.clausola()}) > 0;
}

// Step 5: income of points 1 and 2, the relationship dates, point 11.
void scriviRapporto(CudContext& o, const QDate& inizio, const QDate& fine, bool interruption)
{
    Dataset& cud = o.cud;
    const Currency reddito = amount(cud, u"FCUDREDDDETR") + amount(cud, u"FCUDREDDETTRDET");
    if (!(reddito > Currency()))
        return;
    setText(cud, u"SCUDPTRCOD1", o.tno.fiscale.isEmpty() ? QStringLiteral("5") : QStringLiteral("1"));
    setAmount(cud, u"FCUDPTRIMP1", reddito);
    if (inizio.isValid())
        cud.setValue(QStringLiteral("DCUDDATINIRL"), inizio);
    else
        o.addMsg(Info::Fiscale, QStringLiteral("Data inizio rapporto in anagrafica non è impostata."));
    if (inYear(fine, o.year)) {
        cud.setValue(QStringLiteral("DCUDDATFINRL"), fine);
        if (cud.asString(u"LCUDCONGUAGLIO") == Si)
            append(cud, NoteTable::freeLine(QStringLiteral("Data fine: ") +
                                            fine.toString(QStringLiteral("dd/MM/yyyy"))));
    } else if (inizio.isValid()) {
        setText(cud, u"LCUDINFORZA3112", Si);
    }
    if (interruption)
        setText(cud, u"ICUDPERPART", QStringLiteral("1"));
    else if (assenzeNelPeriodo(o))
        setText(cud, u"ICUDPERPART", QStringLiteral("2"));
    else if (giorni(cud) == 0)
        setText(cud, u"ICUDPERPART", QStringLiteral("4"));
}

void editIfNeeded(Dataset& cud)
{
    if (cud.state() == Dataset::State::Browse)
        cud.edit();
}

} // namespace

void Annotazioni::Scrivi(CudContext& o, const NoteTable& notes)
{
    Dataset& cud = o.cud;
    editIfNeeded(cud);
    const bool conguaglio = cud.asString(u"LCUDCONGUAGLIO") == Si;
    if (cud.asString(u"LCUDCONGUAGLIO") == No)
        cud.setValue(Annotazioni_, NoteTable::freeLine(QStringLiteral("Conguaglio non effettuato")));
    if (cud.asString(u"LCUDCOMPRENSIVO") == Si)
        append(cud, NoteTable::freeLine(
                        QStringLiteral("Il presente annulla e sostituisce eventuali CUD precedenti")));

    bool interruption = false;
    if (!o.tno.fiscale.isEmpty())
        interruption = scriviPeriodi(o);

    const QDate inizio = o.pos.inizioRapporto;
    QDate fine = o.pos.fineRapporto;
    // Without fiscal registers a relationship ending on 31 December still runs.
    if (o.tno.fiscale.isEmpty() && fine == QDate(o.year, 12, 31))
        fine = fine.addDays(1);
    scriviRapporto(o, inizio, fine, interruption);

    controllaGiorni(o);
    if (giorni(cud) > 365)
        cud.setValue(QStringLiteral("ICUDPERIODOLAV"), 365);

    const int days = giorni(cud);
    const bool addizionali =
        !amount(cud, u"FCUDADDREGIRPEF").isZero() || !amount(cud, u"FCUDADDCOMIRPEF").isZero();
    if (days < 365 && addizionali && conguaglio && inYear(fine, o.year))
        append(cud, notes.line(QStringLiteral("AL")));
    const bool senzaConguaglio = cud.asString(u"LCUDCONGUAGLIO") == No;
    if (days < 365 && amount(cud, u"FCUDDEDNOTAXFAM") > Currency() && senzaConguaglio)
        append(cud, notes.line(QStringLiteral("AC")));
    if (amount(cud, u"FCUDCONTRESCLUSI") > Currency() && senzaConguaglio)
        append(cud, notes.line(QStringLiteral("CC")));
    cud.post();
}

void Annotazioni::controllaGiorni(CudContext& o)
{
    Dataset& cud = o.cud;
    const int days = giorni(cud);
    const bool senzaPeriodo = cud.asString(u"ICUDPERPART").isEmpty();
    if (days == 0) {
        const bool reddito =
            amount(cud, u"FCUDREDDDETR") > Currency() || amount(cud, u"FCUDREDDETTRDET") > Currency();
        if (reddito && senzaPeriodo && o.tno.cococo.isEmpty()) {
            setText(cud, u"ICUDPERPART", QStringLiteral("4"));
            if (cud.asString(u"LCUDCPOSCNACFC") != Si)
                o.addMsg(Info::Fiscale,
                         QStringLiteral(
                             "Non sono presenti giorni per detrazioni, si presume siano stati pagati solo "
                             "compensi accessori.\r\n  Impostato in automatico il codice 4 sul punto \"11 - "
                             "Periodi Particolari\""));
        }
        return;
    }
    if (!senzaPeriodo)
        return;
    const QDate yearStart(o.year, 1, 1);
    const QDate yearEnd(o.year, 12, 31);
    bool multiYear = false;
    QDate start = cud.asDate(u"DCUDDATINIRL");
    if (!start.isValid() || start < yearStart) {
        start = yearStart;
        multiYear = true;
    }
    QDate end = cud.asDate(u"DCUDDATFINRL");
    if (!end.isValid() || end > yearEnd) {
        end = yearEnd;
        multiYear = true;
    }
    // A whole leap year counts the 365 days that deductions allow at most.
    const int calc = std::min(static_cast<int>(start.daysTo(end)) + 1, 365);
    if (days > calc && !o.tno.cococo.isEmpty() && multiYear)
        o.addMsg(
            Info::Fiscale,
            QStringLiteral("Periodo di lavoro per co.co.co. su più anni. Giorni per detrazioni impostate "
                           "automaticamente.\r\n  Su dati retributivi inserito: %1, calcolato sul periodo "
                           "lavorato nell'anno: %2.")
                .arg(days)
                .arg(calc));
    else if (days != calc)
        o.addMsg(Info::Fiscale,
                 QStringLiteral("Giorni per detrazioni non congruenti con i giorni di lavoro calcolati "
                                "(%1):\r\n  (verificare campi 6,8 e 9 dei Dati fiscali)")
                     .arg(calc));
}

void Annotazioni::controllaDetrazioneMinima(CudContext& o, const NoteTable& notes)
{
    Dataset& cud = o.cud;
    const ArchiveRows rows =
        o.archive.open({QStringLiteral("QRY_TDLA"), {{QStringLiteral("IANFID"), o.anfId}}, {}, {}});
    const bool indeterminato = o.tables.tnoIndeterminato.contains(o.pos.itnoId);
    const Currency minimo =
        rows.firstCurrency(indeterminato ? QStringLiteral("FTDLAMININD") : QStringLiteral("FTDLAMINDET"));
    if (amount(cud, u"FCUDDETRDIPPENSREDD") <= minimo && amount(cud, u"FCUDIMPLORDA") > Currency()) {
        editIfNeeded(cud);
        append(cud, notes.line(QStringLiteral("AN")));
        cud.post();
    }
}

} // namespace cu
