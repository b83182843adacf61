// The payroll parameters module and its value check.
#include "foundation/installation/KbrParams.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/installation/HlmAnno.h"
#include "foundation/installation/KbrUtil.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/operator/Operator.h"

#include <QProcess>

namespace cu {

namespace {

const QString LatestYear = QStringLiteral("2025");
const QString ChartYear = QStringLiteral("2019");
constexpr int ChartYearId = 50; // 2019
constexpr int NewAccount = 200001;
constexpr int OldAccount = 500001;

bool startAndWait(const QString& program, const QStringList& arguments)
{
    return QProcess::execute(program, arguments) >= 0;
}

// The year shown for a financial-year value: an id is turned into its
// year, a year stays as it is.
QString yearText(const QVariant& value)
{
    bool isNumber = false;
    const int number = value.toString().trimmed().toInt(&isNumber);
    if (isNumber)
        return QString::number(HlmAnnoFinanziario::IdToYear(number));
    return value.toString().trimmed();
}

} // namespace

KbrParams::KbrParams(Connection& connection, HlmQueryText& catalogue, ParamManager& params, Operator& op,
                     ProgramRunner runner)
    : m_connection(connection), m_catalogue(catalogue), m_params(params), m_op(op),
      m_runner(runner ? std::move(runner) : ProgramRunner(startAndWait))
{
    m_params.setCheckValue(
        [this](const QString& key, const QVariant& candidate) { return checkValue(key, candidate); });
}

KbrParams::~KbrParams()
{
    m_params.setCheckValue({});
}

void KbrParams::openPaco(const QVariant& yearId)
{
    m_paco = std::make_unique<SqlQuery>(m_connection);
    m_catalogue.GetQuery(QStringLiteral("QRY_PACO_ANF"), *m_paco, 0, QStringLiteral("SELECT"));
    m_paco->setParam(QStringLiteral("IANFID"), yearId);
    m_paco->open();
    m_pacoHasRow = m_paco->next();
}

QVariant KbrParams::pacoField(const QString& name)
{
    if (!m_paco || !m_paco->isOpen())
        openPaco(m_params.GetParams(ParamManager::AnfId));
    return m_pacoHasRow ? m_paco->value(name) : QVariant();
}

void KbrParams::selectFinancialYear(int yearId)
{
    openPaco(yearId);
    m_siteYearId = m_pacoHasRow ? m_paco->asInteger(QStringLiteral("IDWGANFID")) : 0;
}

bool KbrParams::checkValue(const QString& key, const QVariant& candidate)
{
    if (!key.startsWith(u"ZFUP_", Qt::CaseInsensitive))
        return true;
    if (!candidate.isValid() || candidate.isNull() || candidate.toString().trimmed().isEmpty())
        return false; // nothing chosen in the list
    if (key.compare(ParamManager::AnfId, Qt::CaseInsensitive) != 0)
        return true;
    const QString year = yearText(candidate);
    if (year > LatestYear)
        return false;
    if (year < ChartYear)
        return true;
    SqlQuery query(m_connection);
    if (KbrUtil(m_catalogue).PayRunDone(query, ChartYearId))
        return true;
    return chartOfAccountsCheck();
}

bool KbrParams::accountExists(int account)
{
    SqlQuery query(m_connection);
    m_catalogue.GetQuery(QStringLiteral("QRY_NAF_CONTI_TEST"), query, 0, QStringLiteral("SELECT"));
    query.setParam(QStringLiteral("ITIMID"), account);
    query.open();
    return query.next();
}

QString KbrParams::updateProgramPath() const
{
    return m_params.mainDir() + QStringLiteral("bin/") + UpdateProgram;
}

bool KbrParams::chartOfAccountsCheck()
{
    if (pacoField(QStringLiteral("LPACOAFAM")).toInt() == 1)
        return true;
    if (accountExists(OldAccount) || accountExists(NewAccount))
        return true;
    const QString database =
        m_connection.params().parameterList().value(QStringLiteral("Database")).toString();
    if (!m_runner(updateProgramPath(), {database})) {
        m_op.error(
            QStringLiteral("Impossibile avviare il programma di aggiornamento del piano dei conti \"%1\": "
                           "l'anno finanziario non viene accettato.")
                .arg(updateProgramPath()));
        return false;
    }
    return accountExists(NewAccount);
}

} // namespace cu
