// Local dataset files with a backup kept while saving.
#include "foundation/dataset/LocalFiles.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace cu {

QString HlmCds::backupPath(const QString& path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? info.fileName() : info.fileName().chopped(suffix.size() + 1);
    return info.dir().filePath(stem + QStringLiteral(".BAK"));
}

void HlmCds::LoadFile(Dataset& dataset, const QString& path)
{
    const QString backup = backupPath(path);
    if (!QFile::exists(path) && QFile::exists(backup)) {
        dataset.loadFromFile(backup);
        return;
    }
    try {
        dataset.loadFromFile(path);
    } catch (const EZfError&) {
        if (!QFile::exists(backup))
            throw;
        dataset.loadFromFile(backup);
    }
}

void HlmCds::SaveFile(Dataset& dataset, const QString& path)
{
    // The file itself is written through a temporary name, so the backup
    // only matters when the program stops between the rename and the write.
    const QString backup = backupPath(path);
    if (QFile::exists(path)) {
        QFile::remove(backup);
        QFile::rename(path, backup);
    }
    dataset.saveToFile(path);
    QFile::remove(backup);
}

void HlmCds::LoadSchema(const QByteArray& blob, Dataset& dataset, const QString& sourceName)
{
    dataset.close();
    dataset.loadFromBytes(blob, sourceName);
}

} // namespace cu
