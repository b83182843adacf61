// The keyed digest mapped onto a character range.
#include "foundation/catalogue/Krypto.h"

#include "foundation/operator/Errors.h"

#include <QMessageAuthenticationCode>
#include <QtEndian>

namespace cu {

namespace {

// An endless stream of digest bytes: the digest of the text, then the digests
// of each block counter followed by the text.
class DigestStream
{
public:
    DigestStream(const QByteArray& text, const QByteArray& key) : m_text(text), m_key(key)
    {
        m_block = QMessageAuthenticationCode::hash(m_text, m_key, QCryptographicHash::Sha256);
    }

    quint8 nextByte()
    {
        if (m_position == m_block.size())
            refill();
        return static_cast<quint8>(m_block[m_position++]);
    }

private:
    void refill()
    {
        char counter[4];
        qToBigEndian<quint32>(++m_counter, counter);
        m_block = QMessageAuthenticationCode::hash(QByteArray(counter, 4) + m_text, m_key,
                                                   QCryptographicHash::Sha256);
        m_position = 0;
    }

    QByteArray m_text;
    QByteArray m_key;
    QByteArray m_block;
    qsizetype m_position = 0;
    quint32 m_counter = 0;
};

// A value in [0, rangeSize) with every value equally likely.
quint32 draw(DigestStream& stream, quint32 rangeSize)
{
    const quint32 space = rangeSize <= 256 ? 256 : 65536;
    const quint32 limit = space - space % rangeSize;
    for (;;) {
        quint32 sample = stream.nextByte();
        if (space > 256)
            sample = sample << 8 | stream.nextByte();
        if (sample < limit)
            return sample % rangeSize;
    }
}

} // namespace

QString Krypto(const QString& text, const QString& key, int length, QChar lowest, QChar highest)
{
    if (lowest > highest)
        throw EAssertion(QStringLiteral("Krypto: intervallo di caratteri vuoto"), QStringLiteral("Krypto"));
    if (length <= 0)
        return QString();
    const quint32 rangeSize = quint32(highest.unicode()) - lowest.unicode() + 1;
    DigestStream stream(text.toUtf8(), key.toUtf8());
    QString result;
    result.reserve(length);
    for (int i = 0; i < length; ++i)
        result += QChar(char16_t(lowest.unicode() + draw(stream, rangeSize)));
    return result;
}

} // namespace cu
