// The payroll archive's schema and coded rows, from the installation's files.
#include "import/demo/PayrollArchiveSchema.h"

#include "foundation/Connection.h"
#include "foundation/Dialect.h"
#include "foundation/Folders.h"
#include "foundation/SqlScript.h"

namespace cu::demo {

namespace {

QString archiveFolder(const Folders& folders)
{
    return folders.etcKbr() + QStringLiteral("archive/");
}

} // namespace

void PayrollArchiveSchema::createTables(Connection& connection, const Folders& folders)
{
    SqlScript::runFile(connection,
                       archiveFolder(folders) + connection.dialect().name() + QStringLiteral(".sql"));
}

void PayrollArchiveSchema::insertBaseData(Connection& connection, const Folders& folders)
{
    SqlScript::runFile(connection, archiveFolder(folders) + QStringLiteral("base-data.sql"));
}

} // namespace cu::demo
