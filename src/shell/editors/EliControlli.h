// The data checks on screen: the findings of the year's checks (the core's
// checkYear, as "modellocu check" prints them), one line each with where it
// lies, the field and the message; choosing a line (double click, Enter or
// "Vai al campo") hands the finding to the window that opens that
// certificate, or the agent's, CT form's or supplier's window, at that field.
#pragma once

#include "certificates/checks/YearChecks.h"

#include <QDialog>
#include <functional>

class QLabel;
class QTreeWidget;

namespace cu {

class CertificateStore;

class EliControlli : public QDialog
{
    Q_OBJECT
public:
    using Apri = std::function<void(const CheckFinding&)>;

    EliControlli(CertificateStore& certificates, Apri apri, QWidget* parent = nullptr);

    // Runs the checks again and lists what they find.
    void aggiorna();
    const QVector<CheckFinding>& findings() const { return m_findings; }
    QTreeWidget* list() const { return m_list; }
    // Opens the finding of a line.
    void scegli(int line);

private:
    CertificateStore& m_certificates;
    Apri m_apri;
    QVector<CheckFinding> m_findings;
    QTreeWidget* m_list;
    QLabel* m_summary;
};

} // namespace cu
