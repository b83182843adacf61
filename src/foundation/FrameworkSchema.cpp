// Installation of the framework's tables.
#include "foundation/FrameworkSchema.h"

#include "foundation/Connection.h"
#include "foundation/Dialect.h"
#include "foundation/SqlScript.h"

namespace cu {

QString FrameworkSchema::scriptPath(const Connection& connection)
{
    return QStringLiteral(":/db/framework/%1.sql").arg(connection.dialect().name());
}

void FrameworkSchema::install(Connection& connection)
{
    SqlScript::runFile(connection, scriptPath(connection));
}

} // namespace cu
