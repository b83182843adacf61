// What a file must be before it is read as a telematic supply (verified or
// shown): a regular file, not a folder, a device or a pipe, and no larger
// than a supply can be. A supply holds at most 99,999 certificates; a
// certificate takes a D line and a few G or H lines, so ten lines of 1900
// characters per certificate is a generous bound (about 1.9 GB): a file
// past it, or one that grows past it while being read, is no supply.
#pragma once

#include <QString>

namespace cu {

inline constexpr qint64 MaxSupplyFileBytes = qint64(99999) * 10 * 1900;

// An EZfError naming the file when it is missing, not a regular file, or
// larger than MaxSupplyFileBytes.
void requireSupplyFile(const QString& path);

// The refusal of a file found larger than a supply while it is read.
[[noreturn]] void refuseOversizedSupplyFile(const QString& path);

} // namespace cu
