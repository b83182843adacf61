// Helpers of the payroll modules: their folders, a few catalogue queries that
// several windows share, code copying and the forwarders to the query
// catalogue.
#pragma once

#include "foundation/installation/HlmUtil.h"

#include <QString>
#include <QVariantList>

namespace cu {

class Dataset;
class Folders;
class HlmQueryText;
class QueryDataset;
class SqlQuery;

class KbrUtil : public HlmUtil
{
public:
    explicit KbrUtil(HlmQueryText& catalogue) : m_catalogue(catalogue) {}

    // The payroll configuration (query catalogue, report definitions) and
    // user data (KbrPar.ini) folders.
    static QString EtcDir(const Folders& folders);
    static QString UsrDir(const Folders& folders);

    // Whether the financial year yearId has a pay run ("QRY_NAF_EFFETTUATO").
    bool PayRunDone(SqlQuery& query, int yearId);
    // The position (IACOMID) of a person's period in the year of yearText
    // ("QRY_ACOM_FROM_ANAPER"); 0 when there is none.
    qint64 CompensationOfPerson(SqlQuery& query, qint64 personPeriodId, const QString& yearText);
    // The long description of a month ("QRY_MES"); empty when unknown.
    QString MonthDescription(SqlQuery& query, int monthId);
    // Opens "QRY_COT_COS" for a cost item; the query stays open on its row.
    void OpenCostItem(SqlQuery& query, qint64 costItemId);

    // Orders the dataset by IACOMID (else IANAID) and, for every row whose
    // SANACAGCODE is a number greater than 0, writes that number into CODICE.
    static void CopyNumericCodes(Dataset& dataSet);
    // " 0042" gives "42"; a text that is no integer is an EZfError.
    static QString NormaliseInteger(const QString& text);

    // Forwarders to the query catalogue.
    void GetQuery(const QString& name, SqlQuery& query, int index = 0, const QString& type = QString());
    void GetCommandText(const QString& name, QueryDataset& dataSet, const QString& type);
    void PrepareUpdatable(const QString& name, QueryDataset& dataSet);
    QString GetSQLText(const QString& name, const QString& type);

private:
    HlmQueryText& m_catalogue;
};

} // namespace cu
