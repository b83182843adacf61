// Padding, trimming and testing of texts.
#include "foundation/TextFunctions.h"

namespace cu {

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= u' ';
}

} // namespace

QString PadL(const QString& text, QChar fill, int length)
{
    if (length <= 0)
        return QString();
    if (text.size() >= length)
        return text.right(length);
    return QString(length - text.size(), fill) + text;
}

QString PadR(const QString& text, QChar fill, int length)
{
    if (length <= 0)
        return QString();
    if (text.size() >= length)
        return text.left(length);
    return text + QString(length - text.size(), fill);
}

QString StrZero(const QString& text, int length)
{
    const QString number = AllTrim(text);
    if (!number.isEmpty() && (number.front() == u'-' || number.front() == u'+') && length > 1)
        return number.front() + PadL(number.mid(1), u'0', length - 1);
    return PadL(number, u'0', length);
}

bool FitsWidth(const QString& text, int length)
{
    return text.size() <= length;
}

QString Trim(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    return text.left(end);
}

QString AllTrim(const QString& text)
{
    const QString right = Trim(text);
    qsizetype start = 0;
    while (start < right.size() && isBlank(right[start]))
        ++start;
    return right.mid(start);
}

QString Left(const QString& text, int count)
{
    return count <= 0 ? QString() : text.left(count);
}

QString Right(const QString& text, int count)
{
    return count <= 0 ? QString() : text.right(count);
}

bool IsNumeric(const QString& text)
{
    const QString t = AllTrim(text);
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    bool digit = false;
    bool separator = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= u'0' && t[i] <= u'9') {
            digit = true;
        } else if ((t[i] == u'.' || t[i] == u',') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    return digit;
}

} // namespace cu
