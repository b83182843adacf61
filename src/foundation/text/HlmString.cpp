// The 1-based substring and the placeholder formatting.
#include "foundation/text/HlmString.h"

#include "foundation/operator/Errors.h"

namespace cu {

namespace {

const QString FormatUnit = QStringLiteral("HlmUString");

struct Placeholder
{
    int argument = -1; // explicit "%N:" index, -1 for the next one
    bool leftAligned = false;
    int width = 0;
    int precision = -1;
    QChar type;
    qsizetype length = 0; // characters of the placeholder in the format text
};

[[noreturn]] void badFormat(const QString& format, const QString& what)
{
    throw EAssertion(QStringLiteral("Formato \"%1\": %2").arg(format, what), FormatUnit);
}

// Reads the digits at position i; -1 when there are none.
int readNumber(const QString& text, qsizetype& i)
{
    int value = -1;
    while (i < text.size() && text.at(i).isDigit()) {
        value = (value < 0 ? 0 : value * 10) + text.at(i).digitValue();
        ++i;
    }
    return value;
}

// Parses the placeholder that starts at the '%' in position start.
Placeholder parsePlaceholder(const QString& format, qsizetype start)
{
    Placeholder p;
    qsizetype i = start + 1;
    const qsizetype afterPercent = i;
    int number = readNumber(format, i);
    if (number >= 0 && i < format.size() && format.at(i) == u':') {
        p.argument = number;
        ++i;
        number = -1;
    } else {
        i = afterPercent;
    }
    if (i < format.size() && format.at(i) == u'-') {
        p.leftAligned = true;
        ++i;
    }
    p.width = qMax(0, readNumber(format, i));
    if (i < format.size() && format.at(i) == u'.') {
        ++i;
        p.precision = qMax(0, readNumber(format, i));
    }
    if (i >= format.size())
        badFormat(format, QStringLiteral("segnaposto incompleto"));
    p.type = format.at(i).toLower();
    p.length = i + 1 - start;
    return p;
}

QString render(const Placeholder& p, const QVariant& argument, const QString& format)
{
    QString text;
    if (p.type == u'd') {
        bool ok = false;
        const qlonglong value = argument.toLongLong(&ok);
        if (!ok || argument.typeId() == QMetaType::Double)
            badFormat(format,
                      QStringLiteral("%d richiede un intero, ricevuto \"%1\"").arg(argument.toString()));
        text = QString::number(qAbs(value));
        if (p.precision > text.size())
            text = text.rightJustified(p.precision, u'0');
        if (value < 0)
            text.prepend(u'-');
    } else if (p.type == u's') {
        text = argument.toString();
        if (p.precision >= 0)
            text.truncate(p.precision);
    } else {
        badFormat(format, QStringLiteral("segnaposto %%%1 non previsto").arg(p.type));
    }
    return p.leftAligned ? text.leftJustified(p.width) : text.rightJustified(p.width);
}

} // namespace

QString HlmString::Copy(const QString& text, int start, int count)
{
    if (count < 0)
        return QString();
    const qsizetype from = qMax(1, start) - 1;
    if (from >= text.size())
        return QString();
    return count == 0 ? text.mid(from) : text.mid(from, count);
}

QString HlmString::Format(const QString& format, const QVariantList& args)
{
    QString result;
    result.reserve(format.size());
    int nextArgument = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != u'%') {
            result += c;
            continue;
        }
        if (i + 1 < format.size() && format.at(i + 1) == u'%') {
            result += u'%';
            ++i;
            continue;
        }
        const Placeholder p = parsePlaceholder(format, i);
        const int index = p.argument >= 0 ? p.argument : nextArgument;
        if (index >= args.size())
            badFormat(format, QStringLiteral("manca l'argomento %1").arg(index));
        result += render(p, args.at(index), format);
        nextArgument = index + 1;
        i += p.length - 1;
    }
    return result;
}

} // namespace cu
