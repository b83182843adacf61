// The adjusted builder.
#include "import/builders/CudCong.h"

#include "import/archive/PayrollArchive.h"
#include "import/builders/CudContext.h"

namespace cu {

void CudCong::Inizializza(CudContext& o)
{
    CudStd::Inizializza(o);
    AncheSenzaConguaglio = false;
    m_conguaglio = o.archive.open(
        {QStringLiteral("QRY_CUD_CONG"),
         {{QStringLiteral("IACOMID"), o.sel.iacomId}, {QStringLiteral("IMESID"), o.sel.meseFinale}},
         {},
         {}});
}

Currency CudCong::ValoreConguaglio(const QString& column)
{
    return m_conguaglio.firstCurrency(column);
}

Currency CudCong::ImpostaLorda()
{
    return ValoreConguaglio(QStringLiteral("FCONGRITLORDA"));
}

Currency CudCong::Imponibile()
{
    return m_conguaglio.firstCurrency(QStringLiteral("FCONGIMPONIBILE_T"));
}

int CudCong::Giorni()
{
    return static_cast<int>(m_conguaglio.firstInteger(QStringLiteral("FCONGGIORNI")));
}

Currency CudCong::RitenutaNetta()
{
    ImpostaNetta = m_conguaglio.firstCurrency(QStringLiteral("FCONGRITNETTA"));
    return ImpostaNetta;
}

Currency CudCong::AccontoAddComunale()
{
    return {};
}

Currency CudCong::AddComunale()
{
    return m_conguaglio.firstCurrency(QStringLiteral("FCONGADDCOM_DOV"));
}

Currency CudCong::AddRegionale()
{
    return m_conguaglio.firstCurrency(QStringLiteral("FCONGADDREG_DOV"));
}

void CudCong::CalcolaDetrazioni()
{
    DetrFamiliari = m_conguaglio.firstCurrency(QStringLiteral("FCONGIMPCONCAR")) +
                    m_conguaglio.firstCurrency(QStringLiteral("FCONGIMPFIGLICAR")) +
                    m_conguaglio.firstCurrency(QStringLiteral("FCONGIMPALTRICAR"));
    DetrLavoro = m_conguaglio.firstCurrency(QStringLiteral("FCONGIMPLAVDIP"));
    UlterioreDetr = m_conguaglio.firstCurrency(QStringLiteral("FCONGIMPLAVAGG"));
    TotDetrazioni = m_conguaglio.firstCurrency(QStringLiteral("FCONGDETRAZIONI"));
}

void CudCong::CalcolaCrediti()
{
    DetrFamNumerosa = m_conguaglio.firstCurrency(QStringLiteral("FCONGDETFAMNUM"));
    CredFamNumerosa = m_conguaglio.firstCurrency(QStringLiteral("FCONGCREFAMNUM"));
    CredNonRimbFamNumerosa = m_conguaglio.firstCurrency(QStringLiteral("FCONGCNRFAMNUM"));
    DetrCanoni = m_conguaglio.firstCurrency(QStringLiteral("FCONGDETCANONE"));
    CredCanoni = m_conguaglio.firstCurrency(QStringLiteral("FCONGCRECANONE"));
    CredNonRimbCanoni = m_conguaglio.firstCurrency(QStringLiteral("FCONGCNRCANONE"));
}

Currency CudCong::TrattamentoIntegrativo()
{
    return m_conguaglio.firstCurrency(QStringLiteral("FCONGBONUS66_DOV"));
}

} // namespace cu
