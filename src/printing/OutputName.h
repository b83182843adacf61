// The name the operator gives a print's file: a plain file name that stays
// in the prints' folder. A path, an empty name or a character that a file
// name cannot hold is refused before anything is printed.
#pragma once

#include <QString>

namespace cu {

// The reason the name cannot name a print's file; empty when it can.
QString outputNameProblem(const QString& name);
// EZfError naming the name and the reason when it cannot.
void requireOutputName(const QString& name);

} // namespace cu
