// The signature of the query catalogue file: a keyed digest of its text that
// the build writes beside it (".unxc") and the program checks before it
// connects, so that a catalogue that is not the distributed one is refused.
#pragma once

#include <QString>

namespace cu {

class HlmCert
{
public:
    // The digest of a file: its text lines (broken at CR, LF or CR LF), each
    // followed by "\r\n", digested with the program's key into 32 letters
    // 'A'..'Z'. An unreadable file is an EZfError naming it.
    static QString Signature(const QString& filePath);

    // The signature file of a catalogue file: the same path with extension
    // ".unxc".
    static QString signaturePath(const QString& filePath);

    // Writes the signature of filePath into its signature file: the digest
    // followed by "\r\n". A failure is an EZfError naming the file.
    static void writeSignatureFile(const QString& filePath);

    // The text that a valid signature file holds for a digest.
    static QByteArray signatureFileContents(const QString& digest);
};

} // namespace cu
