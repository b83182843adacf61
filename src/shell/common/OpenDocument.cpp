// Opening a document.
#include "shell/common/OpenDocument.h"

#include "foundation/operator/DocumentOpener.h"

namespace cu {

bool apriDocumento(const QString& path)
{
    return DocumentOpener::open(path, qEnvironmentVariable("MODELLOCU_OPENER"));
}

} // namespace cu
