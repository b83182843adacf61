// What the builders and the section writers of one person work on: the
// selection row and the position row of the person, the legal-position lists,
// the import options, the archive to read, the certificate row to write and
// the import log.
#pragma once

#include "foundation/installation/WorkingYear.h"
#include "import/archive/ImportTables.h"
#include "import/run/ImportParameters.h"
#include "import/run/Info.h"

#include <QDate>
#include <QString>

namespace cu {

class Dataset;
class PayrollArchive;

// The selection row of the person's position.
struct Selezione
{
    qint64 iacomId = 0;
    qint64 ianaId = 0;
    QString codFiscale; // SANACODFISCALE
    QString cognome;
    QString nome;
    QString cognomeNome;
    int meseIniziale = 1;
    int meseFinale = 12;
    bool conguaglio = false; // CONGUAGLIO = "X"
};

// The columns of the position row that the computations use.
struct Posizione
{
    int itnoId = 0;       // ITNOID
    int durataRapp = 0;   // IACOMDURATARAPP
    QDate inizioRapporto; // DACOMINIRAPP
    QDate fineRapporto;   // DACOMFINERAPP
    qint64 ianaPerId = 0; // IANAPERID
    bool minimi = false;  // LACOMMINIMI = 1
    int soggEnpals = 0;   // IACOMSOGGENPALS
};

// Comma-separated ITNOID lists of the person.
struct PosizioniGiuridiche
{
    QString cococo;
    QString fiscale;
    QString inps;

    bool anyNotEmpty() const { return !cococo.isEmpty() || !fiscale.isEmpty() || !inps.isEmpty(); }
    bool fiscaleContains(int itno) const;
    // " AND REGS.ITNOID IN (<fiscal>,<co.co.co.>)"; with both lists empty the
    // clause selects no register at all.
    QString clausola() const;
};

struct CudContext
{
    PayrollArchive& archive;
    const ImportParameters& params;
    const ImportTables& tables;
    Dataset& cud; // TCUD_DATICUD, on the person's certificate row
    Info& log;
    int year = WorkingYear::Default; // the working financial year
    int anfId = 0;                   // its id (HlmAnnoFinanziario::YearToId)
    Selezione sel;
    Posizione pos;
    PosizioniGiuridiche tno;

    void addMsg(Info::Section section, const QString& remark)
    {
        log.add(sel.cognome, sel.nome, remark, section);
    }
};

} // namespace cu
