// The legal-position lists of a person.
#include "import/run/PosizioniGiuridicheScelta.h"

#include "import/archive/PayrollArchive.h"

namespace cu {

namespace {

constexpr int CategoriaSoloAutonomi = 7;

QVector<PosizioneGiuridicaRiga> righe(const ArchiveRows& rows)
{
    QVector<PosizioneGiuridicaRiga> result;
    for (int row = 0; row < rows.size(); ++row)
        result.append({static_cast<int>(rows.integer(row, QStringLiteral("ITNOID"))),
                       static_cast<int>(rows.integer(row, QStringLiteral("ITNOZEFIRCODE"))),
                       rows.string(row, QStringLiteral("STNOLDESC")),
                       rows.integer(row, QStringLiteral("LPER_INPS")) != 0,
                       rows.integer(row, QStringLiteral("LPER_ALTRI_DATI")) != 0,
                       rows.integer(row, QStringLiteral("LTNOCOCOCO")) != 0});
    return result;
}

QString lista(const QVector<PosizioneGiuridicaRiga>& rows, bool PosizioneGiuridicaRiga::*flag)
{
    QStringList ids;
    for (const PosizioneGiuridicaRiga& row : rows)
        if (row.*flag)
            ids.append(QString::number(row.itnoId));
    return ids.join(u',');
}

} // namespace

void PosizioniGiuridicheScelta::applicaCococo(QVector<PosizioneGiuridicaRiga>& rows, int tnoCococo)
{
    for (PosizioneGiuridicaRiga& row : rows)
        if (row.cococo && row.itnoId != tnoCococo)
            row.inps = row.fiscali = true;
}

bool StoredChoice::scegli(const QString&, QVector<PosizioneGiuridicaRiga>&, bool&)
{
    return true;
}

QPair<QString, QString> PosizioniGiuridicheScelta::impostazioni(PayrollArchive& archive)
{
    const ArchiveRows rows = archive.open({QStringLiteral("QRY_CUD_TNO_IMPOSTAZIONI"), {}, {}, {}});
    QStringList fiscal;
    QStringList inps;
    for (int row = 0; row < rows.size(); ++row) {
        const QString id = QString::number(rows.integer(row, QStringLiteral("ITNOID")));
        if (rows.integer(row, QStringLiteral("LPER_ALTRI_DATI")) != 0)
            fiscal.append(id);
        if (rows.integer(row, QStringLiteral("LPER_INPS")) != 0)
            inps.append(id);
    }
    return {fiscal.join(u','), inps.join(u',')};
}

bool PosizioniGiuridicheScelta::determina(CudContext& o, SceltaPosizioniGiuridiche& choice,
                                          const QString& storedFiscal, const QString& storedInps)
{
    o.tno = {};
    if (o.params.icalId == CategoriaSoloAutonomi)
        return true;
    const ArchiveRows rows = o.archive.open({QStringLiteral("QRY_CUD_TNO"),
                                             {{QStringLiteral("IACOMID"), o.sel.iacomId},
                                              {QStringLiteral("MESE_INIZIALE"), o.sel.meseIniziale},
                                              {QStringLiteral("MESE_FINALE"), o.sel.meseFinale}},
                                             {},
                                             {}});
    int tno = o.pos.itnoId;
    int count = 0;
    if (o.params.cococo) {
        tno = o.tables.tnoCococo;
        count = 1;
    } else if (!rows.isEmpty()) {
        int found = 0;
        for (int row = 0; row < rows.size(); ++row)
            if (rows.integer(row, QStringLiteral("ITNOID")) == tno)
                found = row;
        tno = static_cast<int>(rows.integer(found, QStringLiteral("ITNOID")));
    }
    count += rows.size();

    const QString cococoList = QString::number(o.tables.tnoCococo);
    if (count > 1) {
        QVector<PosizioneGiuridicaRiga> grid = righe(rows);
        bool cococo = o.params.cococo;
        if (cococo)
            applicaCococo(grid, o.tables.tnoCococo);
        if (!choice.scegli(o.sel.cognomeNome, grid, cococo))
            return false;
        o.tno.fiscale = lista(grid, &PosizioneGiuridicaRiga::fiscali);
        o.tno.inps = lista(grid, &PosizioneGiuridicaRiga::inps);
        if (cococo)
            o.tno.cococo = cococoList;
    } else if (tno == o.tables.tnoCococo) {
        o.tno.cococo = cococoList;
    } else if (o.params.icalId == 0) {
        o.tno.fiscale = storedFiscal;
        o.tno.inps = storedInps;
    } else {
        o.tno.fiscale = o.tno.inps = QString::number(tno);
    }
    return true;
}

} // namespace cu
