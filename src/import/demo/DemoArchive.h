// The synthetic payroll year 2024 of one school: the site with its agent
// data, the pay runs, the 730 compensation items and the persons (the fixed
// ones of docs/demo.md first, then a realistic mix), written in one
// transaction with prepared inserts. The same seed gives the same archive.
#pragma once

#include <QtGlobal>

namespace cu {
class Connection;
class Folders;
class HlmQueryText;
class Operator;
} // namespace cu

namespace cu::demo {

struct DemoOptions
{
    static constexpr qint64 MaxPeople = 100000;
    qint64 people = 150;
    quint64 seed = 2024;
};

struct DemoSummary
{
    qint64 people = 0;
    qint64 registers = 0;
    qint64 rows = 0;
};

class DemoArchive
{
public:
    // Fills an archive whose tables and coded rows exist (PayrollArchiveSchema).
    // A count outside 1..MaxPeople is an EZfError. Progress goes to op.
    static DemoSummary write(Connection& connection, const Folders& folders, HlmQueryText& catalogue,
                             const DemoOptions& options, Operator& op);
};

} // namespace cu::demo
