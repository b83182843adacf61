// The database error of a connection to the server that was lost (the
// server stopped, the session terminated, the network gone): the work
// cannot go on and nothing of the person or record being written is stored.
// Raised once, instead of the driver's text, so that a run stops with one
// clear message rather than blaming its data.
#pragma once

#include "foundation/operator/Errors.h"

#include <QSqlError>

namespace cu {

struct ConnectionParams;

class ConnectionLost : public DatabaseError
{
public:
    explicit ConnectionLost(const ConnectionParams& params,
                            std::source_location where = std::source_location::current());
};

// Whether a failed statement of a server connection (driver QPSQL) got no
// answer from the server: a connection error, a connection or operator
// state (SQLSTATE class 08, 57P01-57P03), or no state at all. False for
// SQLite, whose file has no connection to lose.
bool isConnectionLoss(const QSqlError& error, const QString& driver);

} // namespace cu
