// Rules of the other withholding agents.
#include "certificates/agent/OtherAgentsEditing.h"

#include "certificates/CertificateKey.h"
#include "certificates/CertificateStore.h"
#include "foundation/database/Connection.h"
#include "foundation/operator/Errors.h"

namespace cu {

namespace {

const QString CodeColumn = QStringLiteral("SSOSCODFIS");
const QString ReferenceColumn = QStringLiteral("SCUDALTROSOSCODFIS");

QString normalised(const QString& code)
{
    return code.trimmed().toUpper();
}

} // namespace

OtherAgentsEditing::OtherAgentsEditing(CertificateStore& certificates, Operator& op)
    : TableEditing(certificates, op, TableName)
{
}

bool OtherAgentsEditing::locate(const QString& fiscalCode)
{
    const int field = rows().requireField(CodeColumn);
    for (int position = 0; position < rows().recordCount(); ++position) {
        if (normalised(rows().valueAt(position, field).toString()) == normalised(fiscalCode)) {
            rows().setRecNo(position);
            return true;
        }
    }
    return false;
}

int OtherAgentsEditing::certificatesReferringTo(const QString& fiscalCode)
{
    Dataset list;
    certificates().openTable(list, certificate::Table);
    list.setFilter(ReferenceColumn + QStringLiteral(" = ") + Dataset::quoted(fiscalCode));
    return list.recordCount();
}

void OtherAgentsEditing::checkBeforePost()
{
    const QString code = rows().asString(CodeColumn).trimmed();
    if (code.isEmpty())
        throw EZfWarning(
            QStringLiteral("ATTENZIONE: E' necessario specificare il codice fiscale del sostituto."));
    requireUniqueCode(code);
    m_codeWhenSelected = rows().state() == Dataset::State::Edit
                             ? rows().oldValue(rows().requireField(CodeColumn)).toString()
                             : QString();
}

void OtherAgentsEditing::requireUniqueCode(const QString& code) const
{
    const int field = rows().requireField(CodeColumn);
    for (int position = 0; position < rows().recordCount(); ++position) {
        if (position != rows().recNo() &&
            normalised(rows().valueAt(position, field).toString()) == normalised(code))
            throw EZfWarning(
                QStringLiteral("Esiste già un altro sostituto con codice fiscale %1.").arg(code));
    }
}

void OtherAgentsEditing::saveAfterPost()
{
    const QString newCode = rows().asString(CodeColumn);
    Transaction transaction(certificates().connection());
    try {
        saveRows();
        m_renamed = m_codeWhenSelected.isEmpty() || m_codeWhenSelected == newCode
                        ? 0
                        : renameInCertificates(m_codeWhenSelected, newCode);
        transaction.commit();
    } catch (...) {
        m_renamed = 0;
        open(); // the agents as the store still has them
        throw;
    }
}

int OtherAgentsEditing::renameInCertificates(const QString& oldCode, const QString& newCode)
{
    Dataset list;
    certificates().openTable(list, certificate::Table);
    int renamed = 0;
    for (list.first(); !list.eof(); list.next()) {
        if (list.asString(ReferenceColumn) != oldCode)
            continue;
        list.edit();
        list.setValue(ReferenceColumn, newCode);
        list.post();
        certificates().saveCertificate(list);
        ++renamed;
    }
    return renamed;
}

void OtherAgentsEditing::checkBeforeRemove()
{
    if (certificatesReferringTo(rows().asString(CodeColumn)) > 0)
        throw EZfWarning(
            QStringLiteral("Impossibile cancellare il sostituto, risultano associati dei Dati Cud."));
}

} // namespace cu
