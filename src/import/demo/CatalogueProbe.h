// Runs every statement of a query catalogue against a database, so that a
// wrong table or column name, a syntax error or a text that an engine does
// not accept is found before an operator meets it. Format places are filled
// with neutral text ("0" in a list, "1=1" for a condition, "" for a clause),
// parameters are bound to plausible values by name, and each statement runs
// in its own transaction, rolled back.
#pragma once

#include <QHash>
#include <QString>
#include <QVector>

namespace cu {
class Connection;
class HlmQueryText;
} // namespace cu

namespace cu::demo {

struct ProbeFailure
{
    QString statement; // "QRY_MES SELECT 0"
    QString message;
};

class CatalogueProbe
{
public:
    CatalogueProbe(Connection& connection, HlmQueryText& catalogue);

    // Text to append to a statement before it runs (the clauses that callers
    // append), by statement name.
    void setAppendedClause(const QString& statement, const QString& clause);
    // Runs every statement; returns the failures (empty when all ran).
    QVector<ProbeFailure> run();
    int statementsRun() const { return m_run; }

    // The text with its "%s" and "%d" places filled with neutral text.
    static QString fillFormatPlaces(const QString& sql);

private:
    void runOne(const QString& name, const QString& type, int index);

    Connection& m_connection;
    HlmQueryText& m_catalogue;
    QHash<QString, QString> m_appended;
    QVector<ProbeFailure> m_failures;
    int m_run = 0;
};

} // namespace cu::demo
