// The working financial year: which years the program accepts, and the local
// table "TCUA_ANNOFIN.cds" (folder USR/FJ2024/Res/, one text column
// SCUAANNOFIN) that remembers the last one chosen, so that the next start
// proposes it again. Only the table's last row counts.
#pragma once

#include <QString>

namespace cu {

class Folders;

class AnnoFinanziario
{
public:
    // The year as a number; any text other than a choosable year
    // (WorkingYear, 2024 and 2025) is the EZfError "L'anno finanziario deve
    // essere compreso tra 2024 e 2025.".
    static int accetta(const QString& year);
    // The year of the table's last row; the default working year when the
    // table is missing or that row is empty.
    static QString proposto(const Folders& folders);
    // Replaces the table's last row with the year and saves the table
    // (with its backup, so that an interrupted save loses nothing).
    static void memorizza(const Folders& folders, const QString& year);
};

} // namespace cu
