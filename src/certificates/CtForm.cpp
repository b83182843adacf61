// The CT form's presence.
#include "certificates/CtForm.h"

#include "foundation/dataset/Dataset.h"

namespace cu {

namespace {

bool isFilled(const Dataset& rows, const char* column)
{
    const int field = rows.fieldIndex(QString::fromLatin1(column));
    return field >= 0 && !rows.valueAt(0, field).toString().trimmed().isEmpty();
}

} // namespace

bool isCtFormPresent(const Dataset& ctForm)
{
    return ctForm.isActive() && !ctForm.isEmpty() &&
           (isFilled(ctForm, "SCTCELL") || isFilled(ctForm, "SCTEMAIL"));
}

} // namespace cu
