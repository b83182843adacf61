// A fresh payroll archive and the project's catalogue for tests.
#include "support/ArchiveFixture.h"

#include "certificates/StoreInstaller.h"
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/Folders.h"
#include "import/demo/PayrollArchiveSchema.h"
#include "support/TestPaths.h"

#include <QDir>

namespace cu::test {

void createArchive(Connection& connection)
{
    StoreInstaller::createTables(connection);
    const Folders installation(buildRoot());
    demo::PayrollArchiveSchema::createTables(connection, installation);
    demo::PayrollArchiveSchema::insertBaseData(connection, installation);
}

std::unique_ptr<HlmQueryText> projectCatalogue(const QString& folder, const Connection& connection)
{
    const QDir sources(sourceRoot() + QStringLiteral("/db/catalogue"));
    QStringList files;
    for (const QString& name : sources.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name))
        files.append(sources.filePath(name));
    const QString target = folder + QStringLiteral("/kbr_QueryText.cds");
    auto catalogue = std::make_unique<HlmQueryText>();
    catalogue->BuildFromSource(files, target);
    catalogue = std::make_unique<HlmQueryText>();
    catalogue->SetCheckCertificate(true);
    catalogue->Load(target);
    catalogue->setEngine(connection.params().driver);
    return catalogue;
}

} // namespace cu::test
