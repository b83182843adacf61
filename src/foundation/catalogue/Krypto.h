// The framework's keyed digest of a text, written with the characters of a
// range: used to sign files (the query catalogue) so that a changed file or a
// file signed with another key is recognised.
//
// The digest is HMAC-SHA256 of the text (UTF-8) under the key (UTF-8); when
// more bytes are needed the stream goes on with HMAC-SHA256 of a 4-byte block
// counter followed by the text. Each output character is lowest + r, r drawn
// from the stream by rejection (bytes, or byte pairs for ranges larger than
// 256 characters, beyond the largest multiple of the range size are skipped),
// so every character of the range is equally likely. The same arguments give
// the same result on every machine.
#pragma once

#include <QString>

namespace cu {

// length characters between lowest and highest (both included). A length of
// zero or less gives the empty text; lowest after highest is an EAssertion.
QString Krypto(const QString& text, const QString& key, int length, QChar lowest, QChar highest);

} // namespace cu
