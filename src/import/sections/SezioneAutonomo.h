// The self-employment section of a certificate (TASE_AUTSOMMEEROGATE): the
// sums paid to the person as self-employed, by reason code "A", "M", "P",
// with withholdings, social-security contributions (INPS or FPLS), sums not
// subject to withholding and reimbursed expenses.
#pragma once

namespace cu {

class ArchiveRows;
class SezioniPersona;
struct CudContext;

class SezioneAutonomo
{
public:
    // liquidations: the rows of QRY_CUD_AUTON_REGSID (column CAUSALE);
    // seat: the agent's row (SPACOCFINPS). Raises when the person has both
    // INPS and FPLS contributions.
    static void Scrivi(CudContext& owner, SezioniPersona& sections, const ArchiveRows& liquidations,
                       const ArchiveRows& seat);
};

} // namespace cu
