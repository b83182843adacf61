// The pension-fund contributions of a certificate: the contributions of the
// position (withholding codes of the supplementary pension) and, when the
// person adhered to a fund on or after the reform date, the deductible
// contributions, the share of severance pay paid to the fund and the
// contributions of the positions of the four earlier kinds.
#pragma once

#include "foundation/text/Currency.h"

namespace cu {

struct CudContext;

struct ContributiFondo
{
    Currency contributi; // sum of FVARRRITDIP + FVARRRITAMM
    Currency tfrFondo;   // 6.91 % of the largest taxable base, to the cent
};

class FondoPensione
{
public:
    // Does nothing when the fiscal legal-position list is empty.
    static void Scrivi(CudContext& owner);
    // Contributions of one kind: 0 = the selection row's position, 1..4 =
    // the person's position of the kind-th year before the working one.
    static ContributiFondo Contributi(CudContext& owner, int kind);
};

} // namespace cu
