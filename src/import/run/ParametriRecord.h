// The import's parameter record "cdsParametri": an in-memory table of one
// row that the import driver prepares, the wizard fills and the selection
// window and the run read by column name. The conversion to and from
// ImportParameters is the one place where the record's columns meet the
// run's options.
#pragma once

#include "import/run/ImportParameters.h"

namespace cu {

class Dataset;
class HlmDBCds;

class ParametriRecord
{
public:
    // Gives the dataset the record's columns (ICOTID, IMESID,
    // ITIPOESECUZIONE, ICOTFONDAMENTALE, ICALID, IVPROID, ICOSID, DAINIZIO,
    // SOLOINPS, SOSTITUTO, CFAMM, ANCHE_SENZA_CONGUAGLIO, ACCONTO_ADD_COM,
    // ARRETRATI_DETR, ACCONTO_ADD_COM_ANNO, INCLUDI_INPDAP_MEF,
    // SCODFISALTRISOS, CALC_IRPEF_DA_INPS_COCOCO, FISCALE_NOIPA), empties it
    // and inserts the one row with the run's defaults; SOSTITUTO is set when
    // the store has no withholding agent for its year.
    static void prepara(Dataset& record, HlmDBCds& store);
    // Writes the options into the record's row.
    static void scrivi(const ImportParameters& params, Dataset& record);
    // The options that the record holds; the selection window's choices
    // keep their defaults.
    static ImportParameters leggi(const Dataset& record);
};

} // namespace cu
