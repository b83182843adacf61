// "Dati Altri Sostituti".
#include "shell/editors/EliAltriSost.h"

#include "certificates/CertificateKey.h"
#include "certificates/agent/OtherAgentsEditing.h"
#include "shell/common/DialogOperator.h"
#include "shell/editors/EditingContext.h"
#include "shell/frame/LavoroCorrente.h"

namespace cu {

namespace {

DescrizioneTabella description()
{
    return {QStringLiteral("EliAltriSost"),
            QStringLiteral("Dati Altri Sostituti"),
            EditorWindow::OtherAgents,
            {{QStringLiteral("SSOSCODFIS"), QStringLiteral("Codice Fiscale"), 140},
             {QStringLiteral("SSOSDENOM"), QStringLiteral("Cognome o Denominazione"), 0},
             {QStringLiteral("SSOSNOME"), QStringLiteral("Nome"), 0}},
            {{QStringLiteral("SSOSCODFIS"), QStringLiteral("DATI RELATIVI AL SOSTITUTO")}},
            // A changed fiscal code is written into the certificates too.
            {OtherAgentsEditing::TableName, certificate::Table}};
}

} // namespace

EliAltriSost::EliAltriSost(EditingContext& context, QWidget* parent)
    : EliTabella(context, std::make_unique<OtherAgentsEditing>(context.certificates(), context.lavoro().op),
                 description(), parent)
{
}

} // namespace cu
