// Catalogue sources written by tests.
#include "support/CatalogueTestSupport.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>

namespace cu::test {

QString writeCatalogueSource(const QString& folder, const QString& fileName, const QString& body)
{
    const QString path = QDir(folder).filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(
        ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalogue>\n" + body + "\n</catalogue>\n").toUtf8());
    return path;
}

QString buildCatalogue(HlmQueryText& catalogue, const QString& folder, const QString& body)
{
    const QString source = writeCatalogueSource(folder, QStringLiteral("catalogue.xml"), body);
    const QString target = QDir(folder).filePath(QStringLiteral("kbr_QueryText.cds"));
    catalogue.BuildFromSource({source}, target);
    return target;
}

QStringList projectCatalogueSources()
{
    const QDir folder(sourceRoot() + QStringLiteral("/db/catalogue"));
    QStringList files;
    for (const QString& name : folder.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name))
        files.append(folder.filePath(name));
    return files;
}

} // namespace cu::test
