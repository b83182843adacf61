// Start-up of the payroll connection: the query catalogue is prepared when
// the module is created (signature check on, "kbr_QueryText.cds" of the
// configuration folder loaded when present); OpenConnection checks the
// catalogue and the program's version before connecting, refuses to connect
// without the program-wide connection object, and once connected brings the
// shared archive up to date: the repair statements of the catalogue
// ("QRY_REPAIR", EXECUTE, indexes 0, 1, ...), the report definitions of
// "kbr_Report.xml" (skipped when the file is missing) and the registration
// of the compensation register.
#pragma once

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/Folders.h"

#include <QString>

namespace cu {

class Operator;

class KbrConnessione
{
public:
    static inline const QString ProgramName = QStringLiteral("Gestione compensi");

    // Prepares the catalogue (DataModuleCreate).
    KbrConnessione(const Folders& folders, HlmQueryText& catalogue, Operator& op,
                   ProgramIdentity program = ProgramIdentity::running());

    // Checks the catalogue (a failure has been shown to the operator and
    // gives false without connecting), then opens connection with params and
    // runs the maintenance. connection is the program-wide connection object;
    // without it the connection is refused with "Connessione al database non
    // consentita". A connection that does not open is a DatabaseError with
    // the driver's message. A failing maintenance statement raises its
    // database error; nothing is rolled back.
    bool OpenConnection(Connection* connection, const ConnectionParams& params);

    // The maintenance steps, also on their own.
    void runRepairs(Connection& connection);
    // Installs the reports of the file; with reinstallSameVersion the ones of
    // the stored version are written again too. Returns the reports written
    // to the statement (0 when the file is missing).
    int installReports(Connection& connection, bool reinstallSameVersion = false);
    void registerCompensationRegister(Connection& connection);

    QString catalogueFile() const;
    QString reportFile() const;

private:
    void beforeConnect(const Connection* connection) const;

    Folders m_folders;
    HlmQueryText& m_catalogue;
    Operator& m_op;
    ProgramIdentity m_program;
};

} // namespace cu
