// The insertion dialog "Conguaglio/Chiusura" of a new certificate: the month
// list "Mese di riferimento" and "Conguaglio". The rules (a "Conguaglio"
// needs a month: "Mese di chiusura obbligatorio!!!") are InsertionChoice's.
#pragma once

#include "certificates/editing/Insertion.h"

#include <QDialog>

class QCheckBox;
class QListWidget;

namespace cu {

class Operator;

class EliCudIns : public QDialog
{
    Q_OBJECT
public:
    EliCudIns(Operator& op, QWidget* parent = nullptr);

    // The choice after OK.
    const InsertionChoice& choice() const { return m_choice; }
    QListWidget* months() const { return m_months; }
    QCheckBox* adjustment() const { return m_adjustment; }

    void accept() override;

private:
    void adjustmentClicked(bool ticked);
    // The chosen month's row, -1 when none is chosen. The list's current row
    // alone is not a choice: the list makes its first row current when it
    // gets the keyboard focus, with nothing chosen.
    int chosenMonth() const;

    Operator& m_op;
    QListWidget* m_months;
    QCheckBox* m_adjustment;
    InsertionChoice m_choice;
};

} // namespace cu
