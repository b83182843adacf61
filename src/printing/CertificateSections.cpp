// Loading of the section tables of the certificate print.
#include "printing/CertificateSections.h"

#include "printing/PrintTables.h"

namespace cu {

void CertificateSections::loadMissing(PrintTables& tables)
{
    const std::pair<Dataset*, const char*> all[] = {{&pdfSost, "TCUS_DATISOST"},
                                                    {&inps, "TCUDI_INPS"},
                                                    {&inpdap, "TCUDN_INPDAP"},
                                                    {&conFamCar, "TCUDC_CONFAMCARICO"},
                                                    {&altriSost, "TCUAS_DATIALTRISOST"},
                                                    {&inail, "TCUIN_INAIL"},
                                                    {&autonomo, "TASE_AUTSOMMEEROGATE"},
                                                    {&altriEnti, "TCUDAE_ALTRIENTI"},
                                                    {&tfr, "TCUDT_TFR"},
                                                    {&annotazioni, "TCUDA_ANNOTAZIONI"},
                                                    {&coopArt, "TCUDCA_COOPART"}};
    for (const auto& [dataset, table] : all)
        if (!dataset->isActive())
            tables.open(*dataset, QString::fromLatin1(table));
}

} // namespace cu
