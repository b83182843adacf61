// "Fornitore".
#include "shell/editors/EliFornitore.h"

#include "certificates/agent/SupplierEditing.h"
#include "shell/common/DialogOperator.h"
#include "shell/editors/EditingContext.h"
#include "shell/editors/EliControlli.h"
#include "shell/frame/LavoroCorrente.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace cu {

namespace {

DescrizioneTabella description()
{
    return {QStringLiteral("EliFornitore"),
            QStringLiteral("Fornitore"),
            EditorWindow::Supplier,
            {{QStringLiteral("STFOCODICE"), QStringLiteral("Codice fornitore"), 140},
             {QStringLiteral("SFORCODFIS"), QStringLiteral("Codice fiscale"), 0}},
            {{QStringLiteral("SFORCODFIS"), QStringLiteral("FORNITORE DEL FILE TELEMATICO")}},
            {SupplierEditing::TableName}};
}

} // namespace

EliFornitore::EliFornitore(EditingContext& context, QWidget* parent)
    : EliTabella(context, std::make_unique<SupplierEditing>(context.certificates(), context.lavoro().op),
                 description(), parent)
{
    auto* row = new QHBoxLayout;
    auto* checks = new QPushButton(QStringLiteral("C&ontrolli"), this);
    checks->setAutoDefault(false);
    connect(checks, &QPushButton::clicked, this, &EliFornitore::controlli);
    row->addStretch();
    row->addWidget(checks);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void EliFornitore::controlli()
{
    if (!m_controlli)
        m_controlli = new EliControlli(
            context().certificates(), [this](const CheckFinding& finding) { context().vaiA(finding); }, this);
    else
        m_controlli->aggiorna();
    m_controlli->show();
    m_controlli->raise();
}

} // namespace cu
