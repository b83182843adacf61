// Where the tests find the build's installation tree and the sources.
#pragma once

#include <QString>

namespace cu::test {

inline QString buildRoot() { return QStringLiteral(MODELLOCU_BUILD_ROOT); }
inline QString sourceRoot() { return QStringLiteral(MODELLOCU_SOURCE_ROOT); }

} // namespace cu::test
