// Creates the payroll archive on an empty database: the tables of the schema
// file (one for both engines, the binary type filled in for the engine) and
// the coded rows every archive starts with. The files lie in the
// installation (etc/kbr/archive/), copied there from db/archive/.
#pragma once

namespace cu {
class Connection;
class Folders;
} // namespace cu

namespace cu::demo {

class PayrollArchiveSchema
{
public:
    // Tables and indexes (idempotent: existing ones are kept).
    static void createTables(Connection& connection, const Folders& folders);
    // The coded rows of db/archive/base-data.sql (once, on empty tables).
    static void insertBaseData(Connection& connection, const Folders& folders);
};

} // namespace cu::demo
