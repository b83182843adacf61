// The desktop program speaks Italian: Qt's own texts (standard buttons
// "Sì / No / Annulla", the wizard's "Avanti >") from Qt's Italian
// translations, and Italian number and date formats.
#pragma once

class QCoreApplication;

namespace cu {

// Installs the translations on the application; false when Qt's Italian
// translation file could not be found (the texts stay English).
bool installItalian(QCoreApplication& app);

} // namespace cu
