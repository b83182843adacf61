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

bool SupplierEditing::canClose()
{
    if (!isEditing())
        return true;
    op().information(
        QStringLiteral("Non è possibile chiudere la finestra prima di aver salvato le modifiche"));
    return false;
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
