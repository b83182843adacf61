// The payroll parameters module: the site's year parameters ("QRY_PACO_ANF"),
// read by field and reopened for another financial year, and the value
// check of the framework's parameters. A financial year after 2025 is
// refused; from 2019 on, when the archive has no pay run in 2019, the chart
// of accounts must be the 2019 one: unless the site manages it itself
// (LPACOAFAM = 1) or one of the accounts 500001 and 200001 exists, the
// external update program "aggPdC2019.exe" (main folder + "bin/") is run on
// the archive and waited for; the year is accepted when account 200001 then
// exists.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

namespace cu {

class Connection;
class HlmQueryText;
class Operator;
class ParamManager;
class SqlQuery;

class KbrParams
{
public:
    // Starts program with arguments, waits for it to end and tells whether
    // it could be started.
    using ProgramRunner = std::function<bool(const QString& program, const QStringList& arguments)>;

    static inline const QString UpdateProgram = QStringLiteral("aggPdC2019.exe");

    // Installs the value check on params. Without a runner the program is
    // started as a process of the system.
    KbrParams(Connection& connection, HlmQueryText& catalogue, ParamManager& params, Operator& op,
              ProgramRunner runner = {});
    ~KbrParams();

    // A field of the site's year parameters, the query opened first when it
    // is closed (for the current financial year); null when there is no row.
    QVariant pacoField(const QString& name);
    // Reopens the year parameters for yearId and keeps its IDWGANFID.
    void selectFinancialYear(int yearId);
    qint64 siteYearId() const { return m_siteYearId; }

    // The check the parameter manager calls for an edited value.
    bool checkValue(const QString& key, const QVariant& candidate);
    bool chartOfAccountsCheck();
    QString updateProgramPath() const;

private:
    void openPaco(const QVariant& yearId);
    bool accountExists(int account);

    Connection& m_connection;
    HlmQueryText& m_catalogue;
    ParamManager& m_params;
    Operator& m_op;
    ProgramRunner m_runner;
    std::unique_ptr<SqlQuery> m_paco;
    bool m_pacoHasRow = false;
    qint64 m_siteYearId = 0;
};

} // namespace cu
