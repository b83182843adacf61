// The year tables for tests.
#include "support/YearTestSupport.h"

#include "foundation/database/SqlQuery.h"

namespace cu::test {

namespace {

void insertYear(Connection& connection, const QString& table, const QString& columns, int id, QDate start,
                QDate end)
{
    SqlQuery query(connection);
    query.setSql(QStringLiteral("INSERT INTO %1 (%2) VALUES (:ID, :INIZIO, :FINE)").arg(table, columns));
    query.setParam(QStringLiteral("ID"), id);
    query.setParam(QStringLiteral("INIZIO"), start);
    query.setParam(QStringLiteral("FINE"), end);
    query.execute();
}

} // namespace

void createYearTables(Connection& connection)
{
    SqlQuery query(connection);
    query.setSql(QStringLiteral("CREATE TABLE TANF_ANNIFINANZ (IANFID INTEGER PRIMARY KEY, "
                                "DANFZEFIRINIZIO DATE, DANFZEFIRFINE DATE)"));
    query.execute();
    query.setSql(QStringLiteral("CREATE TABLE TANS_ANNISCOLAST (IANSID INTEGER PRIMARY KEY, "
                                "DANSZEFIRINIZIO DATE, DANSZEFIRFINE DATE)"));
    query.execute();
    const QString anf = QStringLiteral("IANFID, DANFZEFIRINIZIO, DANFZEFIRFINE");
    for (int year : {2019, 2024, 2025})
        insertYear(connection, QStringLiteral("TANF_ANNIFINANZ"), anf, year - 1969, QDate(year, 1, 1),
                   QDate(year, 12, 31));
    insertYear(connection, QStringLiteral("TANS_ANNISCOLAST"),
               QStringLiteral("IANSID, DANSZEFIRINIZIO, DANSZEFIRFINE"), 7, QDate(2023, 9, 1),
               QDate(2024, 8, 31));
}

} // namespace cu::test
