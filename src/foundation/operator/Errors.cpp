// Construction of the exception family.
#include "foundation/operator/Errors.h"

namespace cu {

Error::Error(QString message, std::source_location where)
    : m_message(std::move(message)), m_utf8(m_message.toUtf8()), m_where(where)
{
}

DatabaseError::DatabaseError(QString message, QString statement, std::source_location where)
    : Error(std::move(message), where), m_statement(std::move(statement))
{
}

EAbort::EAbort(std::source_location where) : Error(QString(), where) {}

EAssertion::EAssertion(QString message, QString unitName, std::source_location where)
    : Error(message + QStringLiteral(" (") + unitName + u')', where), m_unit(std::move(unitName))
{
}

} // namespace cu
