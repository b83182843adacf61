// The adjusted certificate builder: the fiscal amounts come from the
// year-end adjustment record that the payroll computed for the person's last
// month (one row of QRY_CUD_CONG); an absent record gives 0 everywhere.
#pragma once

#include "import/archive/ArchiveRows.h"
#include "import/builders/CudStd.h"

namespace cu {

class CudCong : public CudStd
{
public:
    bool isConguaglio() const override { return true; }

    void Inizializza(CudContext& owner) override;
    Currency ImpostaLorda() override;
    Currency Imponibile() override;
    int Giorni() override;
    Currency RitenutaNetta() override;
    Currency AccontoAddComunale() override;
    Currency AddComunale() override;
    Currency AddRegionale() override;
    Currency ValoreConguaglio(const QString& column) override;
    void CalcolaDetrazioni() override;
    void CalcolaCrediti() override;
    Currency TrattamentoIntegrativo() override;

private:
    ArchiveRows m_conguaglio;
};

} // namespace cu
