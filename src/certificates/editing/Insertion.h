// The choice of the insertion dialog "Conguaglio/Chiusura": the month of the
// new certificate ("Gennaio" .. "Dicembre", or none) and whether it closes
// the year with the adjustment ("Conguaglio"), which needs a month.
#pragma once

#include <QString>
#include <QStringList>

namespace cu {

struct InsertionChoice
{
    int month = 0; // 1..12, 0 when none was chosen
    bool adjustment = false;

    // The dialog's months, "Gennaio" .. "Dicembre".
    static const QStringList& monthNames();
    // From the dialog's month list position (-1: none) and check box;
    // "Conguaglio" without a month is refused with "Mese di chiusura
    // obbligatorio!!!" (also when the box is ticked before a month is chosen).
    static InsertionChoice fromDialog(int monthIndex, bool adjustment);
    // Refuses "Conguaglio" without a month.
    void require() const;

    // "%.2d" of the month: "12", "00" without one.
    QString monthText() const;
    // LCUDCONGUAGLIO: "X" or "0".
    QString adjustmentFlag() const;
};

} // namespace cu
