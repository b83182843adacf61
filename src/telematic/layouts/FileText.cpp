// The pad marker and the file's bytes.
#include "telematic/layouts/FileText.h"

#include "foundation/operator/Errors.h"
#include "foundation/text/TextFunctions.h"

namespace cu::text {

QString unmarked(QString text)
{
    text.replace(PadMarker, u' ');
    return text;
}

QByteArray fileBytes(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = latin1Equivalent(text[i]);
        if (c.isNull())
            throw EZfError(
                QStringLiteral("Carattere non ammesso nel file telematico: \"%1\" (U+%2) in \"%3\"")
                    .arg(text[i])
                    .arg(text[i].unicode(), 4, 16, QLatin1Char('0'))
                    .arg(text.trimmed()));
        bytes[i] = char(c.unicode());
    }
    return bytes;
}

} // namespace cu::text
