// The local dataset file format (".cds"): a versioned little-endian binary
// stream of field definitions and rows closed by a CRC-32. The layout is
// described in docs/dataset-format.md.
#pragma once

#include "foundation/dataset/DatasetStorage.h"

#include <QByteArray>
#include <vector>

namespace cu::DatasetFile {

inline constexpr char Magic[8] = {'M', 'C', 'U', 'D', 'S', 'E', 'T', '\x1a'};
inline constexpr quint16 Version = 1;

struct Contents
{
    QVector<FieldDef> fields;
    RowStore store; // one slot per row, in file order
};

// The stream of the fields and the given rows of the store.
QByteArray encode(const QVector<FieldDef>& fields, const RowStore& store,
                  const std::vector<RowStore::Slot>& rows);
// Reads a stream; a damaged, truncated or foreign one is an EZfError that
// names the source.
Contents decode(const QByteArray& bytes, const QString& sourceName);

// Reads a whole file; a missing or unreadable one is an EZfError naming it.
QByteArray readFile(const QString& path);
// Writes a whole file through a temporary name renamed into place, so that
// an interruption never leaves half a file.
void writeFile(const QString& path, const QByteArray& bytes);

// CRC-32 (the polynomial of zip and PNG).
quint32 crc32(QByteArrayView bytes);

} // namespace cu::DatasetFile
