// The payroll archive for the tests (links the import library).
#include "support/TestSupport.h"

#include "certificates/StoreInstaller.h"
#include "foundation/installation/Folders.h"
#include "import/demo/PayrollArchiveSchema.h"

namespace cu::test {

void createArchive(Connection& connection)
{
    StoreInstaller::createTables(connection);
    const Folders installation(buildRoot());
    demo::PayrollArchiveSchema::createTables(connection, installation);
    demo::PayrollArchiveSchema::insertBaseData(connection, installation);
}

} // namespace cu::test
