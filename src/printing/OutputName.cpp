// Checks of the name of a print's file.
#include "printing/OutputName.h"

#include "foundation/operator/Errors.h"

namespace cu {

namespace {

// Characters that Windows, where the prints are also opened, does not allow
// in a file name; "/" and "\" would make the name a path.
const QString Forbidden = QStringLiteral("/\\:*?\"<>|");

} // namespace

QString outputNameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("il nome è vuoto");
    if (name != name.trimmed())
        return QStringLiteral("il nome inizia o finisce con uno spazio");
    if (name.contains(QStringLiteral("..")) || name == u".")
        return QStringLiteral("il nome non può contenere \"..\" né essere \".\"");
    for (QChar c : name) {
        if (Forbidden.contains(c))
            return QStringLiteral("il nome non può contenere \"%1\" (i file vanno nella cartella delle "
                                  "stampe)")
                .arg(c);
        if (c.unicode() < 32 || c.unicode() == 127)
            return QStringLiteral("il nome contiene un carattere di controllo (codice %1)").arg(c.unicode());
    }
    return QString();
}

void requireOutputName(const QString& name)
{
    const QString problem = outputNameProblem(name);
    if (!problem.isEmpty())
        throw EZfError(QStringLiteral("Nome del file di stampa non valido \"%1\": %2").arg(name, problem));
}

} // namespace cu
