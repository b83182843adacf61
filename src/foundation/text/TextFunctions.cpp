// Padding, zero-filling and trimming of texts; nearest Latin-1 characters.
#include "foundation/text/TextFunctions.h"

#include <algorithm>

namespace cu::text {

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= u' ';
}

} // namespace

QString padLeft(const QString& text, QChar fill, int length, Overflow overflow)
{
    if (text.size() >= length) {
        if (overflow == Overflow::Keep)
            return text;
        return length <= 0 ? QString() : text.right(length);
    }
    return QString(length - text.size(), fill) + text;
}

QString padRight(const QString& text, QChar fill, int length, Overflow overflow)
{
    if (text.size() >= length) {
        if (overflow == Overflow::Keep)
            return text;
        return length <= 0 ? QString() : text.left(length);
    }
    return text + QString(length - text.size(), fill);
}

QString zeroPadLeft(const QString& text, int length)
{
    return padLeft(trimBoth(text), u'0', length, Overflow::Keep);
}

QString trimBoth(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString trimEnd(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    return text.left(end);
}

bool isControl(QChar c)
{
    return c.unicode() < u' ' || c.unicode() == 0x7f;
}

namespace {

bool isControlOf(QChar c, LineBreaks lineBreaks)
{
    return isControl(c) && (lineBreaks == LineBreaks::Control || (c != u'\r' && c != u'\n'));
}

} // namespace

bool hasControlCharacters(QStringView text, LineBreaks lineBreaks)
{
    return std::any_of(text.begin(), text.end(),
                       [lineBreaks](QChar c) { return isControlOf(c, lineBreaks); });
}

QString withoutControlCharacters(const QString& text, LineBreaks lineBreaks)
{
    if (!hasControlCharacters(text, lineBreaks))
        return text;
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const QChar plain = isControlOf(c, lineBreaks) ? QChar(u' ') : c;
        if (plain != u' ' || (!result.isEmpty() && !result.endsWith(u' ')))
            result.append(plain);
    }
    if (result.endsWith(u' '))
        result.chop(1);
    return result;
}

QChar latin1Equivalent(QChar c)
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
        return latin1Equivalent(decomposed[0]);
    return QChar();
}

} // namespace cu::text
