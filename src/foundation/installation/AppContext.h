// The program-wide values in one object handed to whoever needs them: the
// folders, the connection, the query catalogue, the parameters, the shared
// field-value store, the working year and the operator.
#pragma once

#include "foundation/installation/Folders.h"

namespace cu {

class Connection;
class HlmQueryText;
class HlmDBCds;
class Operator;
class ParamManager;

struct AppContext
{
    Folders folders;
    Connection* connection = nullptr;
    HlmQueryText* catalogue = nullptr;
    ParamManager* params = nullptr;
    HlmDBCds* store = nullptr;
    Operator* op = nullptr;
    int workingYear = 2024; // the financial year chosen by the operator (2024 or 2025)
};

} // namespace cu
