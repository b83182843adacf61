// The editing windows in the activity table.
#include "shell/editors/Editori.h"

#include "certificates/agent/OtherAgentsEditing.h"
#include "shell/editors/EditingContext.h"
#include "shell/editors/EliAltriSost.h"
#include "shell/editors/EliCud.h"
#include "shell/editors/EliFornitore.h"
#include "shell/editors/EliQuaCT.h"
#include "shell/editors/EliSost.h"
#include "shell/frame/EliMain.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace cu {

namespace {

// The activity whose window shows a table's findings.
QString activityOf(const QString& table)
{
    if (table == u"TCUS_DATISOST")
        return QStringLiteral("Dati Sostituto");
    if (table == u"TCFO_FORNITORE")
        return QStringLiteral("Fornitore");
    if (table == u"TCUCT_DATICT")
        return QStringLiteral("Quadro CT");
    if (table == u"TCUAS_DATIALTRISOST")
        return QStringLiteral("Dati Altri Sostituti");
    return QStringLiteral("Dati CU");
}

template <typename Window> Window* openWindow(EliMain& main)
{
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
        if (auto* window = qobject_cast<Window*>(sub->widget())) {
            main.mdiArea()->setActiveSubWindow(sub);
            return window;
        }
    return nullptr;
}

// Brings the window of the activity forward, opening it when needed.
template <typename Window> Window* bringForward(EliMain& main, const QString& activity)
{
    if (Window* open = openWindow<Window>(main))
        return open;
    main.esegui(*EliAttivazioni::trova(activity));
    return openWindow<Window>(main);
}

void openFinding(EliMain& main, const CheckFinding& finding)
{
    const QString activity = activityOf(finding.table);
    if (activity == u"Dati CU") {
        if (EliCud* window = bringForward<EliCud>(main, activity))
            window->vaiA(finding);
        return;
    }
    EliTabella* window = nullptr;
    if (finding.table == u"TCUS_DATISOST")
        window = bringForward<EliSost>(main, activity);
    else if (finding.table == u"TCFO_FORNITORE")
        window = bringForward<EliFornitore>(main, activity);
    else if (finding.table == u"TCUCT_DATICT")
        window = bringForward<EliQuaCT>(main, activity);
    else if (auto* agents = bringForward<EliAltriSost>(main, activity)) {
        static_cast<OtherAgentsEditing&>(agents->editing()).locate(finding.fiscalCode);
        window = agents;
    }
    if (window)
        window->vaiACampo(finding.column);
}

} // namespace

EditingContext& registraEditori(EliMain& main)
{
    auto* context = new EditingContext(main.lavoro(), &main);
    context->setNavigatore([&main](const CheckFinding& finding) { openFinding(main, finding); });
    main.registraFinestra(QStringLiteral("EliCud"),
                          [context](const Attivazione&, LavoroCorrente&) { return new EliCud(*context); });
    main.registraFinestra(QStringLiteral("EliSost"),
                          [context](const Attivazione&, LavoroCorrente&) { return new EliSost(*context); });
    main.registraFinestra(QStringLiteral("EliAltriSost"), [context](const Attivazione&, LavoroCorrente&) {
        return new EliAltriSost(*context);
    });
    main.registraFinestra(QStringLiteral("EliQuaCT"),
                          [context](const Attivazione&, LavoroCorrente&) { return new EliQuaCT(*context); });
    main.registraFinestra(QStringLiteral("EliFornitore"), [context](const Attivazione&, LavoroCorrente&) {
        return new EliFornitore(*context);
    });
    return *context;
}

} // namespace cu
