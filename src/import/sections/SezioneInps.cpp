// The INPS section writer.
#include "import/sections/SezioneInps.h"

#include "foundation/dataset/Dataset.h"
#include "import/archive/ArchiveRows.h"
#include "import/archive/PayrollArchive.h"
#include "import/builders/CalcoliArchivio.h"
#include "import/builders/CudContext.h"
#include "import/builders/CudFields.h"
#include "import/sections/SezioniPersona.h"

#include <QSet>

namespace cu {

namespace {

const QString Si = QStringLiteral("X");
const QString No = QStringLiteral("0");
const QStringList DecimaliConservati = {QStringLiteral("FCUDCONTRIBTRATT"), QStringLiteral("FCUDCOMPTRATTEN"),
                                        QStringLiteral("FCUDCONTRPENS"), QStringLiteral("FCUDCONTRTFR")};

struct Importi
{
    Currency imponibile;
    Currency contributi;
    bool isZero() const { return imponibile.isZero() && contributi.isZero(); }
};

PeriodoPosizione periodoInps(const CudContext& o)
{
    // The INPS part reads the registers of the INPS legal-position list.
    PosizioniGiuridiche inps;
    inps.fiscale = o.tno.inps;
    return {o.sel.iacomId, o.sel.meseIniziale, o.sel.meseFinale, inps.clausola()};
}

Importi accessori(CudContext& o)
{
    Importi sum;
    const PeriodoPosizione period = periodoInps(o);
    for (int code : o.tables.inpsContributi) {
        sum.imponibile += CalcoliArchivio::inpsAccessori(o.archive, period, code, 0);
        sum.contributi += CalcoliArchivio::inpsAccessori(o.archive, period, code, 0,
                                                         QStringLiteral("QRY_CUD_INPS_RIT_ACC"));
    }
    return sum;
}

Importi fondamentali(CudContext& o)
{
    Importi sum;
    const PeriodoPosizione period = periodoInps(o);
    for (int code : o.tables.inpsContributi) {
        sum.imponibile +=
            CalcoliArchivio::inpsFondamentali(o.archive, period, code, o.tables.cosFondamentali);
        sum.contributi += CalcoliArchivio::inpsFondamentali(o.archive, period, code, o.tables.cosFondamentali,
                                                            QStringLiteral("QRY_CUD_INPS_RIT_FOND"));
    }
    return sum;
}

QSet<int> mesiInps(CudContext& o)
{
    const PeriodoPosizione period = periodoInps(o);
    const ArchiveRows rows = o.archive.open({QStringLiteral("QRY_CUD_INPS_MESI"),
                                             {{QStringLiteral("IACOMID"), period.iacomId},
                                              {QStringLiteral("MESE_INIZIALE"), period.meseIniziale},
                                              {QStringLiteral("MESE_FINALE"), period.meseFinale}},
                                             {},
                                             period.clausola});
    QSet<int> months;
    for (int row = 0; row < rows.size(); ++row)
        months.insert(static_cast<int>(rows.integer(row, QStringLiteral("IMESID"))));
    return months;
}

void impostaMesi(Dataset& inps, const QString& january, const QSet<int>& months)
{
    const int first = inps.requireField(january);
    for (int month = 1; month <= 12; ++month)
        inps.setValue(first + month - 1, months.contains(month) ? Si : No);
}

// Moves to the row of the registration number, or appends a new one.
void rigaMatricola(SezioniPersona& sections, const CudContext& o, const QString& matricola)
{
    Dataset& inps = sections[SezioniPersona::Inps];
    if (!inps.locate(QStringLiteral("SCUDMATRAZIENDA"), {matricola})) {
        sections.nuovaRiga(SezioniPersona::Inps, o);
        inps.setValue(QStringLiteral("SCUDMATRAZIENDA"), matricola);
    } else {
        inps.edit();
    }
}

bool mesiVuoti(const Dataset& inps, int first)
{
    for (int i = 0; i < 12; ++i)
        if (inps.value(first + i).toString() == Si)
            return false;
    return true;
}

void mesiSeguonoImporto(Dataset& inps, const QString& amountColumn, const QString& january,
                        const QString& arrears)
{
    const int first = inps.requireField(january);
    if (amount(inps, amountColumn) > Currency()) {
        if (mesiVuoti(inps, first))
            inps.setValue(arrears, Si);
    } else {
        for (int i = 0; i < 12; ++i)
            inps.setValue(first + i, No);
    }
}

} // namespace

void SezioneInps::primaDelPost(Dataset& inps)
{
    if (amount(inps, u"FCUDIMPONIBILE") > Currency()) {
        if (amount(inps, u"FCUDCONTRIBTRATT") > Currency())
            inps.setValue(QStringLiteral("LCUDENTEINPS"), Si);
        else
            inps.setValue(QStringLiteral("LCUDENTEALTRO"), Si);
    }
    mesiSeguonoImporto(inps, QStringLiteral("FCUDIMPONIBILE"), QStringLiteral("LCUDGENNAIO"),
                       QStringLiteral("LCUDMESIRETR"));
    mesiSeguonoImporto(inps, QStringLiteral("FCUDCOMPCORRISP"), QStringLiteral("LCUDGENNAIO_C"),
                       QStringLiteral("LCUDMESIRETR_C"));
    for (const FieldDef& field : inps.fields()) {
        if (field.type != FieldType::Currency || DecimaliConservati.contains(field.name, Qt::CaseInsensitive))
            continue;
        const int index = inps.fieldIndex(field.name);
        if (!inps.value(index).isNull())
            inps.setValue(index, QVariant::fromValue(inps.asCurrency(field.name).rounded(0)));
    }
}

void SezioneInps::Scrivi(CudContext& o, SezioniPersona& sections, const ArchiveRows& seat,
                         bool borsaDottorato)
{
    Dataset& inps = sections[SezioniPersona::Inps];
    const QString matricola = seat.isEmpty() ? QString() : seat.string(0, QStringLiteral("SPACOMATRAZIENDA"));
    QString matricolaAcc = seat.isEmpty() ? QString() : seat.string(0, QStringLiteral("SPACOMATRAZACC"));
    if (matricolaAcc.isEmpty())
        matricolaAcc = matricola;
    const QSet<int> months = mesiInps(o);

    if (!matricolaAcc.isEmpty()) {
        const Importi acc = accessori(o);
        if (!acc.isZero()) {
            rigaMatricola(sections, o, matricolaAcc);
            setAmount(inps, u"FCUDIMPONIBILE", acc.imponibile);
            setAmount(inps, u"FCUDCONTRIBTRATT", acc.contributi);
            impostaMesi(inps, QStringLiteral("LCUDGENNAIO"), months);
            inps.post();
        }
    }

    const Importi fond = fondamentali(o);
    const ArchiveRows altri = o.archive.open({QStringLiteral("QRY_CUD_PREVID_RIT_FOND"),
                                              {{QStringLiteral("IACOMID"), o.sel.iacomId},
                                               {QStringLiteral("IRICEID"), o.tables.gestioneSeparata},
                                               {QStringLiteral("MESE_INIZIALE"), o.sel.meseIniziale},
                                               {QStringLiteral("MESE_FINALE"), o.sel.meseFinale}},
                                              {},
                                              periodoInps(o).clausola});
    const Currency corrisposti = altri.firstCurrency(QStringLiteral("FVARRIMPONIBILEAMM"));
    const Currency trattenuti = altri.firstCurrency(QStringLiteral("FVARRRITDIP"));
    const Currency dovuti = trattenuti + altri.firstCurrency(QStringLiteral("FVARRRITAMM"));
    const bool altriFondi = !corrisposti.isZero() || !dovuti.isZero();
    if (fond.isZero() && !altriFondi)
        return;

    rigaMatricola(sections, o, matricola);
    setAmount(inps, u"FCUDIMPONIBILE", amount(inps, u"FCUDIMPONIBILE") + fond.imponibile);
    setAmount(inps, u"FCUDCONTRIBTRATT", amount(inps, u"FCUDCONTRIBTRATT") + fond.contributi);
    if (altriFondi) {
        setAmount(inps, u"FCUDCOMPCORRISP", corrisposti);
        setAmount(inps, u"FCUDCOMPDOVUTI", dovuti);
        setAmount(inps, u"FCUDCOMPTRATTEN", trattenuti);
        setAmount(inps, u"FCUDCOMPVERSATI", dovuti);
        setText(inps, u"SCUDTIPORAPPORTO", borsaDottorato ? QStringLiteral("05") : QStringLiteral("11"));
    }
    impostaMesi(inps, QStringLiteral("LCUDGENNAIO"), months);
    inps.post();
}

} // namespace cu
