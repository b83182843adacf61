// The insertion dialog's rules.
#include "certificates/editing/Insertion.h"

#include "certificates/CertificateKey.h"
#include "foundation/operator/Errors.h"

namespace cu {

const QStringList& InsertionChoice::monthNames()
{
    static const QStringList names{
        QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
        QStringLiteral("Aprile"),  QStringLiteral("Maggio"),   QStringLiteral("Giugno"),
        QStringLiteral("Luglio"),  QStringLiteral("Agosto"),   QStringLiteral("Settembre"),
        QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre")};
    return names;
}

InsertionChoice InsertionChoice::fromDialog(int monthIndex, bool adjustment)
{
    InsertionChoice choice{monthIndex >= 0 && monthIndex < 12 ? monthIndex + 1 : 0, adjustment};
    choice.require();
    return choice;
}

void InsertionChoice::require() const
{
    if (month < 0 || month > 12)
        throw EZfError(QStringLiteral("Mese non valido: %1").arg(month));
    if (adjustment && month == 0)
        throw EZfError(QStringLiteral("Mese di chiusura obbligatorio!!!"));
}

QString InsertionChoice::monthText() const
{
    return certificate::monthText(month);
}

QString InsertionChoice::adjustmentFlag() const
{
    return adjustment ? QStringLiteral("X") : QStringLiteral("0");
}

} // namespace cu
