// The INPS public-sector section of a certificate (TCUDN_INPDAP) built from
// the liquidations sent to NoiPA as "Accessori Fuori sistema": one row per
// year of reference and administration, amounts added up per liquidation.
#pragma once

#include <QString>

namespace cu {

class ArchiveRows;
class SezioniPersona;
struct CudContext;

class SezioneInpdap
{
public:
    // seat: the agent's row (LPACOCUDINPDAP, SPACOCFMEF); agentFiscalCode:
    // SSOSCODFIS of the withholding agent. Skipped when the seat excludes
    // the section; only the NoiPA source is read.
    static void Scrivi(CudContext& owner, SezioniPersona& sections, const ArchiveRows& seat,
                       const QString& agentFiscalCode);
};

} // namespace cu
