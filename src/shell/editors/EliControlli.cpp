// The findings of the data checks.
#include "shell/editors/EliControlli.h"

#include "shell/common/BusyCursor.h"
#include "shell/common/WindowGeometry.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace cu {

EliControlli::EliControlli(CertificateStore& certificates, Apri apri, QWidget* parent)
    : QDialog(parent), m_certificates(certificates), m_apri(std::move(apri)), m_list(new QTreeWidget(this)),
      m_summary(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Controllo dei dati"));
    setObjectName(QStringLiteral("EliControlli"));
    m_list->setObjectName(QStringLiteral("lvRilievi"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Dove"), QStringLiteral("Campo"), QStringLiteral("Problema")});
    m_list->header()->setStretchLastSection(true);
    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { scegli(m_list->indexOfTopLevelItem(item)); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Chiudi"));
    QPushButton* go = buttons->addButton(QStringLiteral("&Vai al campo"), QDialogButtonBox::ActionRole);
    QPushButton* again = buttons->addButton(QStringLiteral("&Ricontrolla"), QDialogButtonBox::ActionRole);
    connect(go, &QPushButton::clicked, this,
            [this] { scegli(m_list->indexOfTopLevelItem(m_list->currentItem())); });
    connect(again, &QPushButton::clicked, this, &EliControlli::aggiorna);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(820, 420);
    WindowGeometry::remember(this, QStringLiteral("EliControlli"));
    aggiorna();
}

void EliControlli::aggiorna()
{
    {
        const BusyScope hourglass;
        m_findings = checkYear(m_certificates);
    }
    m_list->clear();
    for (const CheckFinding& finding : m_findings) {
        QString message = finding.message.trimmed();
        if (message.startsWith(u'-'))
            message = message.mid(1).trimmed();
        m_list->addTopLevelItem(new QTreeWidgetItem({finding.place(), finding.column, message}));
    }
    m_list->resizeColumnToContents(0);
    m_list->resizeColumnToContents(1);
    if (!m_findings.isEmpty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_summary->setText(m_findings.isEmpty()
                           ? QStringLiteral("Nessun problema trovato.")
                           : QStringLiteral("Problemi trovati: %1. Scegliere una riga per andare al campo.")
                                 .arg(m_findings.size()));
}

void EliControlli::scegli(int line)
{
    if (line < 0 || line >= m_findings.size())
        return;
    m_apri(m_findings[line]);
}

} // namespace cu
