// Screenshots of the editing windows.
#include "EditorScreens.h"

#include "certificates/agent/OtherAgentsEditing.h"
#include "certificates/editing/Lookup.h"
#include "foundation/dataset/Dataset.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/HlmRicerca.h"
#include "shell/editors/EditingContext.h"
#include "shell/editors/EliAltriSost.h"
#include "shell/editors/EliControlli.h"
#include "shell/editors/EliCud.h"
#include "shell/editors/EliCudIns.h"
#include "shell/editors/EliFornitore.h"
#include "shell/editors/EliQuaCT.h"
#include "shell/editors/EliSost.h"
#include "shell/frame/LavoroCorrente.h"

#include <QListWidget>
#include <QTabWidget>

namespace cu {

namespace {

// Another agent, so that its window has something to show.
void addOtherAgent(EditingContext& context)
{
    OtherAgentsEditing agents(context.certificates(), context.lavoro().op);
    agents.open();
    agents.insert();
    agents.setText(QStringLiteral("SSOSCODFIS"), QStringLiteral("80012345676"));
    agents.setText(QStringLiteral("SSOSDENOM"), QStringLiteral("ISTITUTO DI ISTRUZIONE SUPERIORE"));
    agents.setText(QStringLiteral("SSOSCOMUNE"), QStringLiteral("ROMA"));
    agents.setText(QStringLiteral("SSOSPROV"), QStringLiteral("RM"));
    agents.setText(QStringLiteral("SSOSCAP"), QStringLiteral("00185"));
    agents.post();
}

void certificateScreens(EditingContext& context, const SaveScreen& save)
{
    // The second certificate printed, shown in red.
    {
        Dataset list;
        context.certificates().openCertificates(list);
        list.setRecNo(1);
        context.certificates().setPrintedState(list, 1);
    }
    EliCud window(context);
    window.resize(1000, 640);
    save(&window, QStringLiteral("dati-cu-elenco"));
    window.editing().moveTo(0);
    const struct
    {
        int page;
        const char* name;
    } pages[] = {{1, "dati-cu-anagrafici"}, {2, "dati-cu-fiscali"}, {7, "dati-cu-annotazioni"},
                 {8, "dati-cu-inps"},       {11, "dati-cu-familiari"}};
    for (const auto& page : pages) {
        window.pages()->setCurrentIndex(page.page);
        save(&window, QString::fromLatin1(page.name));
    }

    EliCudIns insertion(context.lavoro().op);
    insertion.months()->setCurrentRow(11);
    save(&insertion, QStringLiteral("conguaglio-chiusura"));

    const LookupSource source{LookupSource::Kind::File, QStringLiteral("TCOD_CODONEREDETR.CDS")};
    Dataset rows;
    loadLookupFile(rows, source, context.lavoro().app.folders);
    HlmRicerca lookup(rows, {});
    save(&lookup, QStringLiteral("finestra-di-ricerca"));

    EliControlli checks(context.certificates(), [](const CheckFinding&) {});
    save(&checks, QStringLiteral("controlli"));
}

} // namespace

void editorScreens(LavoroCorrente& lavoro, const SaveScreen& save)
{
    EditingContext context(lavoro);
    addOtherAgent(context);
    certificateScreens(context, save);
    EliSost agent(context);
    save(&agent, QStringLiteral("dati-sostituto"));
    EliAltriSost others(context);
    save(&others, QStringLiteral("dati-altri-sostituti"));
    EliQuaCT ct(context);
    save(&ct, QStringLiteral("quadro-ct"));
    EliFornitore supplier(context);
    supplier.resize(760, 380);
    save(&supplier, QStringLiteral("fornitore"));
}

} // namespace cu
