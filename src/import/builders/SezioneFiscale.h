// The fiscal section of a certificate: turns what a builder computes into the
// columns of TCUD_DATICUD, with the caps, the spread of the deduction cap,
// the arrears columns, and the smaller writers it calls (suspended IRPEF,
// scholarship income, the 730 assistance).
#pragma once

namespace cu {

class CudStd;
struct CudContext;

class SezioneFiscale
{
public:
    // Writes the fiscal section on the certificate row (insert or edit
    // state). Does nothing on an INPS-only run or when both the fiscal and
    // the co.co.co. lists are empty.
    static void Scrivi(CudStd& builder, CudContext& owner);

    static void irpefSospesa(CudContext& owner);
    static void borsista(CudContext& owner);
    static void assistenza730(CudContext& owner);
    // The five deduction columns cut in order so that they sum to at most
    // FCUDTOTDETR, when that is positive and below FCUDIMPLORDA.
    static void ripartisciDetrazioni(CudContext& owner);
};

} // namespace cu
