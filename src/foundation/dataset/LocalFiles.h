// Local dataset files (".cds"): saving with a backup so that nothing is lost
// when a save is interrupted, loading that falls back on that backup, and
// loading a structure kept in a blob.
#pragma once

#include <QByteArray>
#include <QString>

namespace cu {

class Dataset;

class HlmCds
{
public:
    // Loads the file into the dataset. When the file is missing or damaged
    // and its backup (same name, extension ".BAK") exists, the backup is
    // loaded instead. Otherwise an EZfError names the file.
    static void LoadFile(Dataset& dataset, const QString& path);
    // Renames the file to its ".BAK" name, merges the change log, writes the
    // file (through a temporary name) and deletes the ".BAK". Failing to make
    // or delete the backup is not reported; failing to write is an EZfError.
    static void SaveFile(Dataset& dataset, const QString& path);
    // Closes the dataset and loads its structure (and any rows) from a blob.
    static void LoadSchema(const QByteArray& blob, Dataset& dataset,
                           const QString& sourceName = QStringLiteral("schema"));

    // The backup name of a file: its extension replaced by ".BAK".
    static QString backupPath(const QString& path);
};

} // namespace cu
