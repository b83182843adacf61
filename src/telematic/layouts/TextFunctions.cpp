// Padding and trimming helpers of the telematic writer.
#include "telematic/layouts/TextFunctions.h"

#include "foundation/operator/Errors.h"
#include "foundation/text/TextFunctions.h"

namespace cu::text {

namespace {

bool isTrimmable(QChar c)
{
    return c.unicode() <= u' ';
}

} // namespace

QString padL(const QString& text, QChar fill, int length)
{
    if (text.size() >= length)
        return text;
    return QString(length - text.size(), fill) + text;
}

QString padR(const QString& text, QChar fill, int length)
{
    if (text.size() >= length)
        return text.left(length);
    return text + QString(length - text.size(), fill);
}

QString strZero(const QString& text, int length)
{
    return padL(trim(text), u'0', length);
}

QString trim(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmable(text[begin]))
        ++begin;
    while (end > begin && isTrimmable(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString trimRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && isTrimmable(text[end - 1]))
        --end;
    return text.left(end);
}

QString unmarked(QString text)
{
    text.replace(PadMarker, u' ');
    return text;
}

QByteArray fileBytes(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = Latin1Equivalent(text[i]);
        if (c.isNull())
            throw EZfError(QStringLiteral("Carattere non ammesso nel file telematico: \"%1\" (U+%2) in \"%3\"")
                               .arg(text[i])
                               .arg(text[i].unicode(), 4, 16, QLatin1Char('0'))
                               .arg(text.trimmed()));
        bytes[i] = char(c.unicode());
    }
    return bytes;
}

} // namespace cu::text
