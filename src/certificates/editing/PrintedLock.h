// The refusal to change a printed certificate (iCudStato > 0) or its
// section rows. Silent in the windows, where the attempt simply has no
// effect; the command line says why and how to release the lock.
#pragma once

#include "foundation/operator/Errors.h"

namespace cu {

class PrintedLock : public Error
{
public:
    explicit PrintedLock(std::source_location where = std::source_location::current())
        : Error(QStringLiteral("Il modello è gia stato stampato"), where)
    {
    }
    Severity severity() const override { return Severity::Silent; }
};

} // namespace cu
