// The company registration number of the payroll archive (catalogue query
// "QRY_PACO" for the working year and site), written in record G when an
// INPS row carries none of its own.
#pragma once

#include <QString>
#include <functional>

namespace cu {

struct AppContext;

// A lookup that runs the query on first use and keeps its value for the
// run; empty without a connection or catalogue.
std::function<QString()> companyRegistrationLookup(AppContext& context);

} // namespace cu
