// What the fuzz targets share: the input as a file (the readers under test
// take a path) and the one outcome besides success that counts as handled.
#pragma once

#include "foundation/operator/Errors.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <unistd.h>

namespace cu::fuzz {

// Writes the input to a file of this process and returns its path; the
// same file is overwritten by the next input.
inline QString inputFile(const uint8_t* data, size_t size, const QString& suffix)
{
    static const QString base = QDir::tempPath() + QStringLiteral("/modellocu-fuzz-%1").arg(::getpid());
    const QString path = base + suffix;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        abort(); // the target cannot work without its file
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

// Runs one input through the reader: a cu::Error is the program's clean
// refusal; anything else escapes and is a finding.
template <class Read> void refuseCleanly(Read read)
{
    try {
        read();
    } catch (const cu::Error&) {
    }
}

} // namespace cu::fuzz
