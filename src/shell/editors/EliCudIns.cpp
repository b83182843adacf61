// The insertion dialog.
#include "shell/editors/EliCudIns.h"

#include "foundation/operator/Operator.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace cu {

EliCudIns::EliCudIns(Operator& op, QWidget* parent)
    : QDialog(parent), m_op(op), m_months(new QListWidget(this)),
      m_adjustment(new QCheckBox(QStringLiteral("Conguaglio"), this))
{
    setWindowTitle(QStringLiteral("Conguaglio/Chiusura"));
    setObjectName(QStringLiteral("EliCudIns"));
    m_months->setObjectName(QStringLiteral("lbMese"));
    m_months->addItems(InsertionChoice::monthNames());
    m_months->setCurrentRow(-1);
    m_adjustment->setObjectName(QStringLiteral("chConguaglio"));
    connect(m_adjustment, &QCheckBox::clicked, this, &EliCudIns::adjustmentClicked);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &EliCudIns::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("Mese di riferimento"), this);
    caption->setBuddy(m_months);
    layout->addWidget(caption);
    layout->addWidget(m_months, 1);
    layout->addWidget(m_adjustment);
    layout->addWidget(buttons);
    resize(300, 380);
}

void EliCudIns::adjustmentClicked(bool ticked)
{
    try {
        InsertionChoice::fromDialog(chosenMonth(), ticked);
    } catch (const std::exception& e) {
        m_adjustment->setChecked(false);
        m_op.report(e);
    }
}

int EliCudIns::chosenMonth() const
{
    const QList<QListWidgetItem*> chosen = m_months->selectedItems();
    return chosen.isEmpty() ? -1 : m_months->row(chosen.first());
}

void EliCudIns::accept()
{
    try {
        m_choice = InsertionChoice::fromDialog(chosenMonth(), m_adjustment->isChecked());
    } catch (const std::exception& e) {
        m_op.report(e);
        return;
    }
    QDialog::accept();
}

} // namespace cu
