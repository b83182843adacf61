// Loading the dates of a financial or school year and the id rules.
#include "foundation/installation/HlmAnno.h"

#include "foundation/database/SqlQuery.h"
#include "foundation/installation/AppContext.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/operator/Errors.h"

namespace cu {

namespace {

const QString DateTextFormat = QStringLiteral("MM/dd/yyyy");

Connection& requireConnection(const AppContext& context)
{
    if (!context.connection)
        throw EAssertion(QStringLiteral("Connessione non impostata"), QStringLiteral("kbrUAnno"));
    return *context.connection;
}

} // namespace

HlmAnno::HlmAnno(Connection& connection, ParamManager* params) : m_connection(connection), m_params(params) {}

QString HlmAnno::GetSQL() const
{
    const YearTable t = yearTable();
    return QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4=:IDANNO")
        .arg(QLatin1String(t.startColumn), QLatin1String(t.endColumn), QLatin1String(t.table),
             QLatin1String(t.idColumn));
}

ParamManager& HlmAnno::requireParams() const
{
    if (!m_params)
        throw EAssertion(QStringLiteral("Gestore dei parametri non impostato"), QStringLiteral("HlmUUtil"));
    return *m_params;
}

void HlmAnno::Load(int id)
{
    if (id == 0)
        id = GetParamID();
    const YearTable t = yearTable();
    SqlQuery query(m_connection);
    query.setSql(GetSQL());
    query.setParam(QStringLiteral("IDANNO"), id);
    query.open();
    const bool found = query.next();
    const QDate start = found ? query.asDate(QLatin1String(t.startColumn)) : QDate();
    const QDate end = found ? query.asDate(QLatin1String(t.endColumn)) : QDate();
    query.close();
    if (!start.isValid() || !end.isValid())
        throw EZfError(QStringLiteral("Anno con identificativo %1 non trovato, o "
                                      "senza date, nella tabella %2.")
                           .arg(id)
                           .arg(QLatin1String(t.table)));
    m_id = id;
    m_startDate = start;
    m_endDate = end;
    m_startText = start.toString(DateTextFormat);
    m_endText = end.toString(DateTextFormat);
    m_year = qint16(start.year());
}

QString HlmAnno::YearText() const
{
    return m_endText.right(4);
}

int HlmAnnoFinanziario::GetParamID() const
{
    return requireParams().GetParams(QStringLiteral("ZFUP_AnfId")).toInt();
}

int HlmAnnoFinanziario::YearTextToId(const QString& text)
{
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    if (!ok)
        throw EZfError(QStringLiteral("Anno finanziario non valido: \"%1\".").arg(text));
    return YearToId(year);
}

HlmAnno::YearTable HlmAnnoFinanziario::yearTable() const
{
    return {"TANF_ANNIFINANZ", "IANFID", "DANFZEFIRINIZIO", "DANFZEFIRFINE"};
}

int HlmAnnoScolastico::GetParamID() const
{
    const QVariant value = requireParams().GetParams(QStringLiteral("ZFUP_AnsId"));
    return value.isNull() ? 0 : value.toString().trimmed().toInt();
}

HlmAnno::YearTable HlmAnnoScolastico::yearTable() const
{
    return {"TANS_ANNISCOLAST", "IANSID", "DANSZEFIRINIZIO", "DANSZEFIRFINE"};
}

KbrAnnoFinanziario::KbrAnnoFinanziario(const AppContext& context)
    : HlmAnnoFinanziario(requireConnection(context), context.params)
{
}

} // namespace cu
