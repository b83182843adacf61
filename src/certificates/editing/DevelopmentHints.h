// The development-mode hints of the editing windows: when the installation
// is in development mode (etc/eli/dev exists), every data-aware control of
// the certificate, agent, other agents and supplier windows shows its column
// name in upper case as hint; a click on a control of the agent, other
// agents and supplier windows copies that name to the clipboard (the
// certificate window's click does nothing). The CT form shows no hints.
#pragma once

#include <QString>

namespace cu {

class Folders;

enum class EditorWindow
{
    Certificates,
    Agent,
    OtherAgents,
    CtForm,
    Supplier
};

struct DevelopmentHints
{
    bool enabled = false;
    bool copyOnClick = false;

    // The hint of a control bound to a column; empty outside development mode.
    QString hintFor(const QString& column) const { return enabled ? column.toUpper() : QString(); }

    static DevelopmentHints forEditor(const Folders& folders, EditorWindow window);
};

} // namespace cu
