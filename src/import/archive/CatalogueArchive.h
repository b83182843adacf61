// The payroll archive read through the query catalogue: each request takes
// the statement's SELECT text by name, fills its "%s"/"%d" places, appends
// the clause, binds the parameters that the text names and reads every row
// (amounts exactly) into memory. Statements are prepared once per text.
#pragma once

#include "import/archive/PayrollArchive.h"

#include <QHash>
#include <QSqlQuery>
#include <memory>

namespace cu {

class Connection;
class HlmQueryText;

class CatalogueArchive : public PayrollArchive
{
public:
    CatalogueArchive(Connection& connection, HlmQueryText& catalogue);
    ArchiveRows open(const ArchiveRequest& request) override;

private:
    struct Prepared
    {
        std::shared_ptr<QSqlQuery> query;
        QStringList names; // the :NAME markers, upper case
    };
    const Prepared& prepared(const QString& name, const QString& sql);

    Connection& m_connection;
    HlmQueryText& m_catalogue;
    // Prepared statements by their text: the same statements run for every
    // person, so each is parsed once.
    QHash<QString, Prepared> m_prepared;
};

} // namespace cu
