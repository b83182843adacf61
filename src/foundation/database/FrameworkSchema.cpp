// Installation of the framework's tables.
#include "foundation/database/FrameworkSchema.h"

#include "foundation/database/Connection.h"
#include "foundation/database/Dialect.h"
#include "foundation/database/SqlScript.h"

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
