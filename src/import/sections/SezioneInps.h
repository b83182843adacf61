// The INPS section of a certificate (TCUDI_INPS): one row per company
// registration number with the taxable pay and contributions of the
// accessory and basic registers, the other pension funds and the months.
#pragma once

namespace cu {

class ArchiveRows;
class Dataset;
class SezioniPersona;
struct CudContext;

class SezioneInps
{
public:
    // seat: the agent's row (SPACOMATRAZIENDA, SPACOMATRAZACC). Rows are
    // written only for amounts that are not all zero.
    static void Scrivi(CudContext& owner, SezioniPersona& sections, const ArchiveRows& seat,
                       bool borsaDottorato);
    // The rules applied before a row is posted: the body flags, the month
    // flags that follow the amounts, amounts rounded to whole units.
    static void primaDelPost(Dataset& inps);
};

} // namespace cu
