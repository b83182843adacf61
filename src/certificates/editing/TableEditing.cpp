// One table edited through one dataset.
#include "certificates/editing/TableEditing.h"

#include "certificates/CertificateSchema.h"
#include "certificates/CertificateStore.h"
#include "certificates/editing/ColumnText.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "store/HlmDBCds.h"

namespace cu {

TableEditing::TableEditing(CertificateStore& certificates, Operator& op, const QString& tableName)
    : m_certificates(certificates), m_op(op), m_table(certificates.table(tableName))
{
}

TableEditing::~TableEditing() = default;

void TableEditing::open()
{
    m_certificates.openTable(m_rows, m_table.name);
    m_rows.first();
}

const ColumnSchema& TableEditing::column(const QString& name) const
{
    const ColumnSchema* found = m_table.column(name);
    if (!found)
        throw EZfError(QStringLiteral("Colonna sconosciuta nella tabella %1: %2").arg(m_table.name, name));
    return *found;
}

bool TableEditing::isEditing() const
{
    return m_rows.state() == Dataset::State::Edit || m_rows.state() == Dataset::State::Insert;
}

QString TableEditing::positionText() const
{
    if (m_rows.state() == Dataset::State::Insert)
        return QStringLiteral("Ins.");
    return QStringLiteral("%1 di %2").arg(m_rows.recNo() + 1).arg(m_rows.recordCount());
}

bool TableEditing::canClose()
{
    if (!isEditing())
        return true;
    m_op.information(QStringLiteral("Non è possibile chiudere la finestra prima di aver salvato le modifiche"));
    return false;
}

void TableEditing::insert()
{
    checkCanInsert();
    if (!canInsert())
        throw EAbort();
    m_rows.append();
    initialiseFlags(m_rows, m_table);
}

void TableEditing::edit()
{
    if (isEditing())
        return;
    checkCanChange();
    if (m_rows.isEmpty())
        insertForEdit();
    else
        m_rows.edit();
}

void TableEditing::setText(const QString& columnName, const QString& text)
{
    const ColumnSchema& target = column(columnName);
    const QVariant value = columntext::parse(m_table, target, text);
    edit();
    m_rows.setValue(target.name, value);
}

void TableEditing::post()
{
    if (!isEditing())
        return;
    checkBeforePost();
    m_rows.post();
    saveAfterPost();
}

void TableEditing::cancel()
{
    m_rows.cancel();
}

void TableEditing::remove()
{
    if (m_rows.isEmpty())
        return;
    checkBeforeRemove();
    m_rows.remove();
    saveAfterRemove();
}

void TableEditing::saveAfterPost()
{
    saveRows();
}

void TableEditing::saveAfterRemove()
{
    saveRows();
}

void TableEditing::saveRows()
{
    m_certificates.store().save(m_rows, m_table.name);
}

} // namespace cu
