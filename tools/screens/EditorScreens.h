// The screenshots of the editing windows: the certificate list, a page of
// each kind, a section frame, the lookup and insertion dialogs, the four
// windows of the agent, other agents, CT form and supplier, and the checks.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace cu {

struct LavoroCorrente;

using SaveScreen = std::function<void(QWidget* window, const QString& name)>;

// On an installation whose certificates were imported.
void editorScreens(LavoroCorrente& lavoro, const SaveScreen& save);

} // namespace cu
