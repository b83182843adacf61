// The supplier of the telematic file (TCFO_FORNITORE). A new supplier is
// posted only with its fiscal code; every post runs the data checks on the
// supplier's row and, when they find anything, shows the list in the
// information window and goes on only when the operator answers Yes.
// Deleting asks for confirmation; like every editing window, the supplier's
// may not close while the row is being edited (TableEditing::canClose).
#pragma once

#include "certificates/editing/TableEditing.h"

namespace cu {

class SupplierEditing : public TableEditing
{
public:
    static inline const QString TableName = QStringLiteral("TCFO_FORNITORE");

    SupplierEditing(CertificateStore& certificates, Operator& op);

protected:
    void checkBeforePost() override;
    void checkBeforeRemove() override;
};

} // namespace cu
