// The framework's own tables (the key counters of GenerateID), created when
// missing. The scripts db/framework/<engine>.sql are compiled into the
// program as resources, so an installation needs no separate file.
#pragma once

#include <QString>

namespace cu {

class Connection;

class FrameworkSchema
{
public:
    // Creates what is missing; running it again changes nothing.
    static void install(Connection& connection);
    // The resource path of the engine's script.
    static QString scriptPath(const Connection& connection);
};

} // namespace cu
