// The options of an import: the parameter record of the wizard, the choices
// of the selection window (overwrite policy, printed certificates) and which
// positions to import.
#pragma once

#include <QString>
#include <QStringList>

namespace cu {

enum class OverwritePolicy
{
    Always = 0,
    Never = 1,
    Ask = 2
};

struct ImportParameters
{
    // Wizard record.
    int icalId = 0;                     // ICALID: 0 all, 7 self-employed only, else a category
    int imesId = 12;                    // IMESID: last month read
    bool daInizio = true;               // DAINIZIO
    bool includiInpdapMef = true;       // INCLUDI_INPDAP_MEF: NoiPA liquidations (else UniEmens)
    bool fiscaleNoipa = true;           // FISCALE_NOIPA
    bool soloInps = false;              // SOLOINPS
    bool ancheSenzaConguaglio = false;  // ANCHE_SENZA_CONGUAGLIO
    bool accontoAddCom = false;         // ACCONTO_ADD_COM: point 29
    bool accontoAddComAnno = false;     // ACCONTO_ADD_COM_ANNO: municipal surtax in point 26
    bool sostituto = true;              // SOSTITUTO: write the agent's own data
    bool arretratiDetr = false;         // ARRETRATI_DETR: arrears in point 511
    QString codFisAltriSos;             // SCODFISALTRISOS
    bool calcIrpefDaInpsCococo = false; // CALC_IRPEF_DA_INPS_COCOCO
    int icotFondamentale = 1;           // ICOTFONDAMENTALE

    // Selection window.
    OverwritePolicy overwrite = OverwritePolicy::Ask;
    bool forzaStampati = false; // "Forza l'importazione dei modelli già stampati"
    // The co.co.co. tick of the legal-position settings.
    bool cococo = false;
    // Fiscal codes or position ids to import; empty = every listed position.
    QStringList only;
};

} // namespace cu
