// Rows of a dataset as text lines, for comparing stored certificates.
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QStringList>

namespace cu::test {

// One line per row, "NAME=value|..." with the non-empty values only (names in
// upper case, amounts with four decimals and a zero amount as empty, dates in
// ISO form, line breaks as "\n"); the left-out fields are skipped and a
// non-empty prefix starts every line.
QStringList rowLines(Dataset& rows, const QStringList& leftOut, const QString& prefix = QString());

} // namespace cu::test
