// The payroll archive's schema and coded rows, from the installation's files.
#include "import/demo/PayrollArchiveSchema.h"

#include "foundation/database/Connection.h"
#include "foundation/database/Dialect.h"
#include "foundation/database/SqlScript.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"

#include <QFile>

namespace cu::demo {

namespace {

QString archiveFolder(const Folders& folders)
{
    return folders.etcKbr() + QStringLiteral("archive/");
}

} // namespace

void PayrollArchiveSchema::createTables(Connection& connection, const Folders& folders)
{
    const QString path = archiveFolder(folders) + QStringLiteral("schema.sql");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EZfError(QStringLiteral("Impossibile leggere lo script SQL %1: %2").arg(path, file.errorString()));
    const QString script = QString::fromUtf8(file.readAll())
                               .replace(QStringLiteral("{BLOB}"), connection.dialect().blobType());
    SqlScript::run(connection, script, path);
}

void PayrollArchiveSchema::insertBaseData(Connection& connection, const Folders& folders)
{
    SqlScript::runFile(connection, archiveFolder(folders) + QStringLiteral("base-data.sql"));
}

} // namespace cu::demo
