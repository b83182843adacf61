// Which editing windows show development hints.
#include "certificates/editing/DevelopmentHints.h"

#include "foundation/installation/Folders.h"

namespace cu {

DevelopmentHints DevelopmentHints::forEditor(const Folders& folders, EditorWindow window)
{
    if (window == EditorWindow::CtForm || !IsDevelopmentMode(folders))
        return {};
    return {true, window != EditorWindow::Certificates};
}

} // namespace cu
