// The output windows of the activity catalogue.
#include "shell/output/FinestreOutput.h"

#include "shell/frame/EliMain.h"
#include "shell/output/EliCartellaStampe.h"
#include "shell/output/EliFile.h"
#include "shell/output/EliPdf.h"
#include "shell/output/EliPdfPagina.h"
#include "shell/output/EliStampaFirme.h"

namespace cu {

void registraFinestreOutput(EliMain& main)
{
    // The print flag "ordinario" is the activity's argument.
    main.registraFinestra(QStringLiteral("EliPdf"), [](const Attivazione& a, LavoroCorrente& lavoro) {
        return new EliPdf(lavoro, a.argomento == 1);
    });
    main.registraFinestra(QStringLiteral("EliPdfSost"),
                          [](const Attivazione&, LavoroCorrente& lavoro) { return new EliPdfSost(lavoro); });
    main.registraFinestra(QStringLiteral("EliPdfQuadroCT"), [](const Attivazione&, LavoroCorrente& lavoro) {
        return new EliPdfQuadroCT(lavoro);
    });
    main.registraFinestra(QStringLiteral("EliStampaFirme"), [](const Attivazione&, LavoroCorrente& lavoro) {
        return new EliStampaFirme(lavoro);
    });
    main.registraFinestra(
        QStringLiteral("EliCartellaStampe"),
        [](const Attivazione&, LavoroCorrente& lavoro) { return new EliCartellaStampe(lavoro); });
    main.registraFinestra(QStringLiteral("EliFile"),
                          [](const Attivazione&, LavoroCorrente& lavoro) { return new EliFile(lavoro); });
}

} // namespace cu
