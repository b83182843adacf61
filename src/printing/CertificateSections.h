// The section tables that a certificate print reads, each loaded whole (all
// persons, all months) on the first print and kept for later prints.
#pragma once

#include "foundation/dataset/Dataset.h"

namespace cu {

class PrintTables;

struct CertificateSections
{
    Dataset pdfSost;     // TCUS_DATISOST, the withholding agent
    Dataset inps;        // TCUDI_INPS
    Dataset inpdap;      // TCUDN_INPDAP
    Dataset conFamCar;   // TCUDC_CONFAMCARICO
    Dataset altriSost;   // TCUAS_DATIALTRISOST
    Dataset inail;       // TCUIN_INAIL
    Dataset autonomo;    // TASE_AUTSOMMEEROGATE
    Dataset altriEnti;   // TCUDAE_ALTRIENTI
    Dataset tfr;         // TCUDT_TFR
    Dataset annotazioni; // TCUDA_ANNOTAZIONI
    Dataset coopArt;     // TCUDCA_COOPART

    // Opens every table that is not open yet.
    void loadMissing(PrintTables& tables);
};

} // namespace cu
