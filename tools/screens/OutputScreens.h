// The screenshots of the file wizard and the print windows, taken on the
// demo installation after its import.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace cu {

struct LavoroCorrente;

// save photographs a window under a name.
void outputScreens(LavoroCorrente& lavoro, const std::function<void(QWidget*, const QString&)>& save);

} // namespace cu
