// Padding and trimming helpers of the telematic writer.
#include "telematic/layouts/TextFunctions.h"

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

} // namespace cu::text
