// "Dati Altri Sostituti": the other withholding agents whose data a
// certificate takes (OtherAgentsEditing: the fiscal code required and
// unique, a changed code given to every certificate that used the old one,
// no deletion while certificates refer to the agent).
#pragma once

#include "shell/editors/EliTabella.h"

namespace cu {

class EliAltriSost : public EliTabella
{
    Q_OBJECT
public:
    explicit EliAltriSost(EditingContext& context, QWidget* parent = nullptr);
};

} // namespace cu
