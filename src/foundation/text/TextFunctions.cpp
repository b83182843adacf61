// Padding, trimming and testing of texts.
#include "foundation/text/TextFunctions.h"

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

QChar Latin1Equivalent(QChar c)
{
    const char16_t code = c.unicode();
    if (code <= 0xFF)
        return c;
    switch (code) {
    case 0x2018: // quotation marks and primes
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x2032:
        return u'\'';
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033:
        return u'"';
    case 0x2010: // hyphens, dashes and the minus sign
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212:
        return u'-';
    default:
        break;
    }
    if ((code >= 0x2000 && code <= 0x200A) || code == 0x202F)
        return u' ';
    // Letters of names whose stroke or ligature has no decomposition.
    static const QString withoutDecomposition = QStringLiteral("ŁłĐđĦħıŒœŦŧ");
    static const QString bare = QStringLiteral("LlDdHhiOoTt");
    if (const qsizetype i = withoutDecomposition.indexOf(c); i >= 0)
        return bare[i];
    const QString decomposed = c.decomposition();
    if (!decomposed.isEmpty() && decomposed[0].isLetter())
        return Latin1Equivalent(decomposed[0]);
    return QChar();
}

} // namespace cu
