// The withholding agent's frontispiece (page 1 of the ordinary model, layout
// "StpSost.xml") and the Quadro CT (page 2, layout "StpQuadroCT.xml"), each
// drawn from the first row of its table and saved under USR/FJ2024/Stp/. The
// frontispiece's CT box (the layout's LSOSCT) shows whether the CT form is
// part of the supply, by the rule of the telematic file's record B.
#pragma once

#include "foundation/installation/Folders.h"

#include <QString>
#include <QVariantMap>
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
    // Print the data set's current row; return the saved file.
    QString printFrontispiece(const Dataset& agent, const Dataset& ctForm, const QString& outputName);
    QString printQuadroCT(const Dataset& ctForm, const QString& outputName);

    std::function<void(const QString&)> message;

private:
    // computed: values drawn instead of the row's, by column.
    QString print(AgentPrintKind kind, const Dataset& data, const QVariantMap& computed,
                  const QString& outputName);

    Folders m_folders;
};

} // namespace cu
