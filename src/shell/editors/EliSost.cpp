// "Dati Sostituto".
#include "shell/editors/EliSost.h"

#include "certificates/agent/AgentEditing.h"
#include "shell/common/DialogOperator.h"
#include "shell/editors/EditingContext.h"
#include "shell/frame/LavoroCorrente.h"

namespace cu {

namespace {

DescrizioneTabella description()
{
    return {QStringLiteral("EliSost"),
            QStringLiteral("Dati Sostituto"),
            EditorWindow::Agent,
            {{QStringLiteral("SSOSCODFIS"), QStringLiteral("Codice Fiscale"), 140},
             {QStringLiteral("SSOSDENOM"), QStringLiteral("Cognome o Denominazione"), 0}},
            {{QStringLiteral("LSOSANNULLAMENTO"), QStringLiteral("TIPO DI COMUNICAZIONE")},
             {QStringLiteral("SSOSCODFIS"), QStringLiteral("DATI RELATIVI AL SOSTITUTO")},
             {QStringLiteral("SSOSCFRAPPR"),
              QStringLiteral("DATI RELATIVI AL RAPPRESENTANTE FIRMATARIO DELLA COMUNICAZIONE")},
             {QStringLiteral("ISOSNDIP"), QStringLiteral("FIRMA DELLA COMUNICAZIONE")},
             {QStringLiteral("SSOSCODFISINTERM"), QStringLiteral("IMPEGNO ALLA PRESENTAZIONE TELEMATICA")}},
            {AgentEditing::TableName}};
}

} // namespace

EliSost::EliSost(EditingContext& context, QWidget* parent)
    : EliTabella(context, std::make_unique<AgentEditing>(context.certificates(), context.lavoro().op),
                 description(), parent)
{
}

} // namespace cu
