// The standard certificate builder: the fiscal amounts of a person summed
// from the payroll registers of the certificate's months (withholdings by
// withholding code, taxable income, compensation items), with the rule that
// keeps registers sent to NoiPA apart from the others.
#pragma once

#include "foundation/text/Currency.h"

#include <QString>

namespace cu {

class ArchiveRows;
class Dataset;
struct CudContext;

class CudStd
{
public:
    virtual ~CudStd() = default;

    bool AncheSenzaConguaglio = false;
    Currency DetrFamiliari;
    Currency DetrLavoro;
    Currency UlterioreDetr;
    Currency TotDetrazioni;
    Currency ImpostaNetta;
    Currency DetrFamNumerosa;
    Currency CredFamNumerosa;
    Currency CredNonRimbFamNumerosa;
    Currency DetrCanoni;
    Currency CredCanoni;
    Currency CredNonRimbCanoni;

    virtual bool isConguaglio() const { return false; }

    virtual void Inizializza(CudContext& owner);
    virtual Currency ImpostaLorda();
    virtual Currency RitenuteArretrati();
    virtual Currency RedditoArretrati();
    virtual Currency Imponibile();
    virtual int Giorni();
    virtual Currency RitenutaNetta();
    virtual Currency AccontoAddComunale();
    virtual Currency AddComunale();
    virtual Currency AddRegionale();
    virtual Currency ValoreConguaglio(const QString& column);
    virtual void CalcolaDetrazioni();
    virtual void CalcolaCrediti();
    virtual Currency TrattamentoIntegrativo();

    // The amount of a compensation item over the selection row's months,
    // narrowed to first/last when they are non-zero and within them.
    static Currency SommaVoce(CudContext& owner, int item, int firstMonth = 0, int lastMonth = 0);

    // Sums an amount column of register rows: not-sent rows always, rows sent
    // to NoiPA only when fiscaleNoipa is on (then the certificate's
    // LCUDCPOSCNACFC becomes "X"). Both kinds together raise EHlmWarning.
    static Currency sommaNoipa(const ArchiveRows& rows, const QString& column, bool fiscaleNoipa,
                               Dataset& cud);

protected:
    CudContext& owner() const;
    // "TOTALE"/"LORDO" of QRY_CUD_RIT or QRY_CUD_REDD for a list of codes.
    Currency registri(const QString& query, const QVector<int>& codes, const QString& column);

private:
    CudContext* m_owner = nullptr;
};

} // namespace cu
