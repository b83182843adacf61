// The program-wide values in one object handed to whoever needs them: the
// folders, the connection, the query catalogue, the parameters, the shared
// field-value store, the working year and the operator.
#pragma once

#include "foundation/installation/Folders.h"
#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/Errors.h"

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
    int workingYear = WorkingYear::Default; // the financial year chosen by the operator

    // The operator; a context handed to a run without one is a programming
    // error.
    Operator& requireOperator() const
    {
        if (!op)
            throw EAssertion(QStringLiteral("Contesto senza operatore"), QStringLiteral("AppContext"));
        return *op;
    }
};

} // namespace cu
