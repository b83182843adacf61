// "Fornitore": the supplier of the telematic file (SupplierEditing: a new
// supplier needs its fiscal code, every post runs the data checks on the
// supplier and asks whether to go on when they find anything, deleting asks
// for confirmation). "Controlli" lists the findings of the year's checks.
#pragma once

#include "shell/editors/EliTabella.h"

namespace cu {

class EliControlli;

class EliFornitore : public EliTabella
{
    Q_OBJECT
public:
    explicit EliFornitore(EditingContext& context, QWidget* parent = nullptr);

    void controlli();

private:
    EliControlli* m_controlli = nullptr;
};

} // namespace cu
