// "Dati Sostituto": the withholding agent's own row (AgentEditing: one row
// a year, added only while there is none, never deleted), under the
// headings of the communication.
#pragma once

#include "shell/editors/EliTabella.h"

namespace cu {

class EliSost : public EliTabella
{
    Q_OBJECT
public:
    explicit EliSost(EditingContext& context, QWidget* parent = nullptr);
};

} // namespace cu
