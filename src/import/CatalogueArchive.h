// The payroll archive read through the query catalogue: each request takes
// the statement's SELECT text by name, fills its "%s"/"%d" places, appends
// the clause, binds the parameters that the text names and reads every row
// (amounts exactly) into memory.
#pragma once

#include "import/PayrollArchive.h"

namespace cu {

class Connection;
class HlmQueryText;

class CatalogueArchive : public PayrollArchive
{
public:
    CatalogueArchive(Connection& connection, HlmQueryText& catalogue);
    ArchiveRows open(const ArchiveRequest& request) override;

private:
    Connection& m_connection;
    HlmQueryText& m_catalogue;
};

} // namespace cu
