// Test helpers of the payroll archive: a fresh archive (store tables, payroll
// tables and coded rows) on a test database, and the project's query
// catalogue built from db/catalogue/ for the database's engine.
#pragma once

#include <QString>
#include <memory>

namespace cu {
class Connection;
class HlmQueryText;
} // namespace cu

namespace cu::test {

// Creates the store's tables and the payroll archive (tables and coded rows,
// from the build tree's installation) on an open, empty database.
void createArchive(Connection& connection);

// The project's catalogue, built into folder from db/catalogue/*.xml and
// loaded with its signature check on, for the connection's engine.
std::unique_ptr<HlmQueryText> projectCatalogue(const QString& folder, const Connection& connection);

} // namespace cu::test
