// Recognising and reporting a lost server connection.
#include "foundation/database/ConnectionLost.h"

#include "foundation/database/Connection.h"

namespace cu {

namespace {

QString serverOf(const ConnectionParams& params)
{
    QString server = params.host.isEmpty() ? QStringLiteral("localhost") : params.host;
    if (params.port > 0)
        server += u':' + QString::number(params.port);
    return server;
}

} // namespace

ConnectionLost::ConnectionLost(const ConnectionParams& params, std::source_location where)
    : DatabaseError(
          QStringLiteral("La connessione al server del database si è interrotta (database \"%1\" su "
                         "%2): operazione fermata. Quanto già confermato resta salvato; ripetere "
                         "l'operazione quando il server è di nuovo raggiungibile.")
              .arg(params.database, serverOf(params)),
          QString(), where)
{
}

bool isConnectionLoss(const QSqlError& error, const QString& driver)
{
    if (driver.compare(u"QSQLITE", Qt::CaseInsensitive) == 0)
        return false;
    if (error.type() == QSqlError::ConnectionError)
        return true;
    const QString state = error.nativeErrorCode();
    return state.isEmpty() || state.startsWith(u"08") || state == u"57P01" || state == u"57P02" ||
           state == u"57P03";
}

} // namespace cu
