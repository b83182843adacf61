// What the main window holds for the whole run and every window reads: the
// installation (root folder, connection, query catalogue, shared store of
// programme "eli"), the financial year chosen in "Parametri" and the model
// date, and the operator that shows messages.
#pragma once

#include "foundation/installation/AppContext.h"

#include <QString>

namespace cu {

class DialogOperator;

struct LavoroCorrente
{
    AppContext& app;
    DialogOperator& op;
    QString annoFinanziario; // four digits
    QString dataModello;     // empty unless set by "Parametri"
};

} // namespace cu
