// Rows of a dataset as text lines.
#include "support/DatasetDump.h"

#include "foundation/text/Currency.h"

#include <QDate>

namespace cu::test {

namespace {

QString valueText(const Dataset& rows, int field)
{
    const QVariant v = rows.value(field);
    if (v.isNull())
        return {};
    switch (rows.fields()[field].type) {
    case FieldType::Currency: {
        const Currency c = v.value<Currency>();
        return c.isZero() ? QString() : c.toString(4);
    }
    case FieldType::Date:
        return v.toDate().toString(Qt::ISODate);
    default:
        return v.toString().replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    }
}

} // namespace

QStringList rowLines(Dataset& rows, const QStringList& leftOut, const QString& prefix)
{
    QStringList lines;
    for (rows.first(); !rows.eof(); rows.next()) {
        QStringList parts;
        if (!prefix.isEmpty())
            parts.append(prefix);
        for (int i = 0; i < rows.fieldCount(); ++i) {
            const QString name = rows.fields()[i].name.toUpper();
            if (leftOut.contains(name, Qt::CaseInsensitive))
                continue;
            const QString text = valueText(rows, i);
            if (!text.isEmpty())
                parts.append(name + u'=' + text);
        }
        lines.append(parts.join(u'|'));
    }
    return lines;
}

} // namespace cu::test
