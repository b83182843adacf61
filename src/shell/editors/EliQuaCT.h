// "Quadro CT": the request that the 730-4 results be made available to the
// agent (CtFormEditing: one row a year; after every save the agent's LSOSCT
// follows whether a mobile number or an e-mail address is given).
#pragma once

#include "shell/editors/EliTabella.h"

namespace cu {

class EliQuaCT : public EliTabella
{
    Q_OBJECT
public:
    explicit EliQuaCT(EditingContext& context, QWidget* parent = nullptr);
};

} // namespace cu
