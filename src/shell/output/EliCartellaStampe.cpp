// The output-folder window.
#include "shell/output/EliCartellaStampe.h"

#include "foundation/installation/Folders.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/OpenDocument.h"
#include "shell/frame/LavoroCorrente.h"
#include "ui_EliCartellaStampe.h"

#include <QDir>

namespace cu {

EliCartellaStampe::EliCartellaStampe(LavoroCorrente& lavoro, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EliCartellaStampe>()), m_op(lavoro.op),
      m_cartella(lavoro.app.folders.stp())
{
    ui->setupUi(this);
    QDir().mkpath(m_cartella);
    ui->laCartella->setText(
        QStringLiteral("Le stampe sono nella cartella %1").arg(QDir::toNativeSeparators(m_cartella)));
    const QFileInfoList files =
        QDir(m_cartella).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files)
        ui->lwStampe->addItem(file.fileName());
    connect(ui->lwStampe, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { apri(QDir(m_cartella).filePath(item->text())); });
    connect(ui->buApriCartella, &QPushButton::clicked, this, [this] { apri(m_cartella); });
    resize(480, 360);
}

EliCartellaStampe::~EliCartellaStampe() = default;

QListWidget* EliCartellaStampe::elenco() const
{
    return ui->lwStampe;
}

void EliCartellaStampe::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_aperta)
        return;
    m_aperta = true;
    apri(m_cartella);
}

void EliCartellaStampe::apri(const QString& path)
{
    if (!apriDocumento(path))
        m_op.warning(QStringLiteral("Impossibile aprire %1.").arg(QDir::toNativeSeparators(path)));
}

} // namespace cu
