// The positional parts of the layouts: records A, B and Z field by field,
// and the head of eleven positional fields shared by records C, D, G, H.
#pragma once

#include "telematic/layouts/RecordLayout.h"

namespace cu::layouts {

RecordLayout recordA();
RecordLayout recordB();
RecordLayout recordZ();
// The head of a certificate record ("C", "D", "G" or "H"), 89 characters.
LayoutSection headSection(const QString& letter);

} // namespace cu::layouts
