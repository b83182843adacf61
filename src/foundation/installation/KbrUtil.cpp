// Payroll folders, shared catalogue queries and small conversions.
#include "foundation/installation/KbrUtil.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/HlmAnno.h"
#include "foundation/operator/Errors.h"

namespace cu {

namespace {

const QString Select = QStringLiteral("SELECT");

} // namespace

QString KbrUtil::EtcDir(const Folders& folders)
{
    return folders.etcKbr();
}

QString KbrUtil::UsrDir(const Folders& folders)
{
    return folders.usrKbr();
}

bool KbrUtil::PayRunDone(SqlQuery& query, int yearId)
{
    m_catalogue.GetQuery(QStringLiteral("QRY_NAF_EFFETTUATO"), query, 0, Select);
    query.setParam(QStringLiteral("IANFID"), yearId);
    query.open();
    const bool done = query.next() && query.asCurrency(QStringLiteral("TOTALE")) > Currency();
    query.close();
    return done;
}

qint64 KbrUtil::CompensationOfPerson(SqlQuery& query, qint64 personPeriodId, const QString& yearText)
{
    m_catalogue.GetQuery(QStringLiteral("QRY_ACOM_FROM_ANAPER"), query, 0, Select);
    query.setParam(QStringLiteral("IANAPERID"), personPeriodId);
    query.setParam(QStringLiteral("IANFID"), HlmAnnoFinanziario::YearTextToId(yearText));
    query.open();
    const qint64 position = query.next() ? query.asInteger(QStringLiteral("IACOMID")) : 0;
    query.close();
    return position;
}

QString KbrUtil::MonthDescription(SqlQuery& query, int monthId)
{
    m_catalogue.GetQuery(QStringLiteral("QRY_MES"), query, 0, Select);
    query.setParam(QStringLiteral("IMESID"), monthId);
    query.open();
    const QString description = query.next() ? query.asString(QStringLiteral("SMESLDESC")) : QString();
    query.close();
    return description;
}

void KbrUtil::OpenCostItem(SqlQuery& query, qint64 costItemId)
{
    m_catalogue.GetQuery(QStringLiteral("QRY_COT_COS"), query, 0, Select);
    query.setParam(QStringLiteral("ICOTID"), costItemId);
    query.open();
    query.next();
}

void KbrUtil::CopyNumericCodes(Dataset& dataSet)
{
    dataSet.setIndexFieldNames(dataSet.hasField(u"IACOMID") ? QStringLiteral("IACOMID")
                                                            : QStringLiteral("IANAID"));
    for (int row = 0; row < dataSet.recordCount(); ++row) {
        dataSet.setRecNo(row);
        bool isNumber = false;
        const qint64 code = dataSet.asString(u"SANACAGCODE").trimmed().toLongLong(&isNumber);
        if (!isNumber || code <= 0)
            continue;
        dataSet.edit();
        dataSet.setValue(u"CODICE", code);
        dataSet.post();
    }
}

QString KbrUtil::NormaliseInteger(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw EZfError(QStringLiteral("Valore numerico non valido: \"%1\".").arg(text));
    return QString::number(value);
}

void KbrUtil::GetQuery(const QString& name, SqlQuery& query, int index, const QString& type)
{
    m_catalogue.GetQuery(name, query, index, type);
}

void KbrUtil::GetCommandText(const QString& name, QueryDataset& dataSet, const QString& type)
{
    m_catalogue.GetCommandText(name, dataSet, type);
}

void KbrUtil::PrepareUpdatable(const QString& name, QueryDataset& dataSet)
{
    m_catalogue.PrepareUpdatable(name, dataSet);
}

QString KbrUtil::GetSQLText(const QString& name, const QString& type)
{
    return m_catalogue.GetSQLText(name, type);
}

} // namespace cu
