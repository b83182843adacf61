// Makes the editing windows available to their activities of the main
// window: "Dati CU" (EliCud), "Dati Sostituto" (EliSost), "Dati Altri
// Sostituti" (EliAltriSost), "Quadro CT" (EliQuaCT) and "Fornitore"
// (EliFornitore), over one editing context; a finding of the checks chosen
// in any window opens (or brings forward) the window of its table at its
// field.
#pragma once

namespace cu {

class EditingContext;
class EliMain;

// Returns the shared context (owned by the main window).
EditingContext& registraEditori(EliMain& main);

} // namespace cu
