// The withholding agent's social-security codes of one year and site
// (QRY_PACO): the INPS company numbers, the INPS fiscal code of the
// self-employed, the fiscal code of the reporting body of the public-sector
// section and the tick that leaves that section out. The import wizard shows
// and edits them; the import checks the reporting body's code.
#pragma once

#include <QString>

namespace cu {

class Connection;
class HlmQueryText;

struct ParametriContributivi
{
    bool presente = false;     // the archive has a row for the year and site
    qint64 ipacoId = 0;        // IPACOID
    QString matricolaAzienda;  // SPACOMATRAZIENDA
    QString matricolaAccessori; // SPACOMATRAZACC
    QString cfInps;            // SPACOCFINPS
    QString cfSoggettoDenuncia; // SPACOCFMEF
    bool senzaInpdap = false;  // LPACOCUDINPDAP

    // The row of the year (IANFID) and site; presente is false without one.
    static ParametriContributivi leggi(Connection& connection, HlmQueryText& catalogue, int anfId,
                                       int siteId);
    // Writes the codes back to their row in a transaction of its own (or in
    // the one already open). Without a row there is nothing to write.
    void salva(Connection& connection, HlmQueryText& catalogue) const;

    bool operator==(const ParametriContributivi&) const = default;
};

} // namespace cu
