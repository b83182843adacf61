// "Quadro CT".
#include "shell/editors/EliQuaCT.h"

#include "certificates/agent/AgentEditing.h"
#include "certificates/agent/CtFormEditing.h"
#include "shell/common/DialogOperator.h"
#include "shell/editors/EditingContext.h"
#include "shell/frame/LavoroCorrente.h"

namespace cu {

namespace {

DescrizioneTabella description()
{
    return {QStringLiteral("EliQuaCT"),
            QStringLiteral("Quadro CT"),
            EditorWindow::CtForm,
            {{QStringLiteral("SCTCODFIS"), QStringLiteral("Codice Fiscale"), 140},
             {QStringLiteral("SCTCELL"), QStringLiteral("Numero di cellulare"), 0},
             {QStringLiteral("SCTEMAIL"), QStringLiteral("Indirizzo di posta elettronica"), 0}},
            {{QStringLiteral("SCTCODFIS"), QStringLiteral("SEZIONE A - DIRETTAMENTE AL SOSTITUTO")},
             {QStringLiteral("SCTCODFISINTERM"), QStringLiteral("SEZIONE B - TRAMITE INTERMEDIARIO")},
             {QStringLiteral("SCTFIRMA"), QStringLiteral("FIRMA")}},
            // The agent's LSOSCT follows the form.
            {CtFormEditing::TableName, AgentEditing::TableName}};
}

} // namespace

EliQuaCT::EliQuaCT(EditingContext& context, QWidget* parent)
    : EliTabella(context, std::make_unique<CtFormEditing>(context.certificates(), context.lavoro().op),
                 description(), parent)
{
}

} // namespace cu
