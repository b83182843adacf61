// Makes the file wizard and the print windows available to their
// activities in the main window.
#pragma once

namespace cu {

class EliMain;

void registraFinestreOutput(EliMain& main);

} // namespace cu
