// Opening a document with the system's default program, without waiting.
// The variable MODELLOCU_OPENER names another opening command (the tests
// use one that opens nothing).
#pragma once

#include <QString>

namespace cu {

// False when the file is missing or no program could be started for it.
bool apriDocumento(const QString& path);

} // namespace cu
