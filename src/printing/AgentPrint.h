// The withholding agent's frontispiece (page 1 of the ordinary model, layout
// "StpSost.xml") and the Quadro CT (page 2, layout "StpQuadroCT.xml"), each
// drawn from the first row of its table and saved under USR/FJ2024/Stp/.
#pragma once

#include "foundation/installation/Folders.h"

#include <QString>
#include <functional>

namespace cu {

class Dataset;

enum class AgentPrintKind
{
    Frontispiece,
    QuadroCT
};

class AgentPrint
{
public:
    explicit AgentPrint(const Folders& folders);

    static QString defaultOutputName(AgentPrintKind kind);
    // The table whose first row the page prints.
    static QString tableName(AgentPrintKind kind);
    // Prints the data set's current row; returns the saved file.
    QString print(AgentPrintKind kind, const Dataset& data, const QString& outputName);

    std::function<void(const QString&)> message;

private:
    Folders m_folders;
};

} // namespace cu
