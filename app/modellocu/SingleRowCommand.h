// The commands over a table of one row per year (sostituto, fornitore,
// quadro-ct): "show" prints the row as COLUMN=value lines, "set" writes
// the given columns through the table's editing rules (a new row when the
// table is empty), refusing with the rule's message and storing nothing.
#pragma once

#include "EditingCommand.h"

#include <functional>
#include <memory>

namespace cu::cli {

using EditingFactory = std::function<std::unique_ptr<TableEditing>(CertificateStore&, Operator&)>;

int runSingleRowCommand(const CommandLine& line, const QString& usage, const EditingFactory& make);

} // namespace cu::cli
