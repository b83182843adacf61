// Rules of the supplier.
#include "certificates/agent/SupplierEditing.h"

#include "certificates/checks/CheckData.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"

namespace cu {

SupplierEditing::SupplierEditing(CertificateStore& certificates, Operator& op)
    : TableEditing(certificates, op, TableName)
{
}

void SupplierEditing::checkBeforePost()
{
    if (rows().state() == Dataset::State::Insert && rows().asString(u"SFORCODFIS").trimmed().isEmpty())
        throw EZfWarning(QStringLiteral("Codice fiscale obbligatorio"));
    QStringList messages;
    if (checkData(messages, {&rows()}, 0))
        return;
    if (!op().showInfo(QStringLiteral("Informazioni"), messages.join(u'\n'),
                       QStringLiteral("Si desidera proseguire?")))
        throw EAbort();
}

void SupplierEditing::checkBeforeRemove()
{
    if (op().ask(QStringLiteral("Confermi la cancellazione del modello corrente ?")) != Operator::Answer::Yes)
        throw EAbort();
}

} // namespace cu
