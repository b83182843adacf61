// Filling the generated fragments into a statement text.
#include "import/archive/PayrollArchive.h"

#include "foundation/operator/Errors.h"

namespace cu {

QString formatStatement(const QString& text, const QStringList& args, const QString& statementName)
{
    QString result;
    result.reserve(text.size() + 64);
    int next = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'%' || i + 1 >= text.size()) {
            result += c;
            continue;
        }
        const QChar kind = text[i + 1];
        if (kind == u'%') {
            result += u'%';
            ++i;
        } else if (kind == u's' || kind == u'd') {
            if (next >= args.size())
                throw EAssertion(
                    QStringLiteral("Query: %1 (parametri di formato mancanti)").arg(statementName),
                    QStringLiteral("PayrollArchive"));
            result += args[next++];
            ++i;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace cu
