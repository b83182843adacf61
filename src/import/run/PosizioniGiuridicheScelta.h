// The legal-position lists of one person: which legal positions of the
// person's payroll registers feed the fiscal part, the INPS part and the
// co.co.co. treatment. When the registers carry more than one legal
// position the choice "Posizioni giuridiche" is offered to the operator.
#pragma once

#include "import/archive/ArchiveRows.h"
#include "import/builders/CudContext.h"

#include <QVector>

namespace cu {

// One row of the choice: a legal position with its two flags.
struct PosizioneGiuridicaRiga
{
    int itnoId = 0;
    int codice = 0; // ITNOZEFIRCODE
    QString descrizione;
    bool inps = false;    // LPER_INPS
    bool fiscali = false; // LPER_ALTRI_DATI
    bool cococo = false;  // classed as co.co.co. by the payroll rules
};

// The "Posizioni giuridiche" choice. The windows show the grid; the command
// line and the tests answer with the stored settings (see StoredChoice).
class SceltaPosizioniGiuridiche
{
public:
    virtual ~SceltaPosizioniGiuridiche() = default;
    // Lets the operator change the flags and the "Co.Co.Co" tick for the
    // person (caption: surname and name). Returns false when the operator
    // cancelled, which ends the person's import silently.
    virtual bool scegli(const QString& caption, QVector<PosizioneGiuridicaRiga>& rows, bool& cococo) = 0;
};

// Answers with the rows as stored; the "Co.Co.Co" tick as the settings say,
// which sets both flags of every co.co.co. legal position other than 11.
class StoredChoice : public SceltaPosizioniGiuridiche
{
public:
    bool scegli(const QString& caption, QVector<PosizioneGiuridicaRiga>& rows, bool& cococo) override;
};

class PosizioniGiuridicheScelta
{
public:
    // Builds the lists of the person in owner.tno. storedFiscal/storedInps are
    // the stored settings of the legal-position table (comma lists). Returns
    // false when the operator cancelled the choice.
    static bool determina(CudContext& owner, SceltaPosizioniGiuridiche& choice, const QString& storedFiscal,
                          const QString& storedInps);
    // Applies the "Co.Co.Co" tick to the rows.
    static void applicaCococo(QVector<PosizioneGiuridicaRiga>& rows, int tnoCococo);
    // The stored settings of the legal-position table (QRY_CUD_TNO_IMPOSTAZIONI).
    static QPair<QString, QString> impostazioni(PayrollArchive& archive);
};

} // namespace cu
