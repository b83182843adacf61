// The information window.
#include "shell/common/EliSInfo.h"

#include "shell/common/OpenDocument.h"
#include "shell/common/WindowGeometry.h"
#include "ui_EliSInfo.h"

#include <QDir>
#include <QMessageBox>
#include <QTemporaryFile>
#include <QTextStream>

namespace cu {

EliSInfo::EliSInfo(const QStringList& lines, const QString& question, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EliSInfo>()), m_lines(lines)
{
    ui->setupUi(this);
    ui->memInfo->setPlainText(lines.join(u'\n'));
    const bool ask = !question.isEmpty();
    ui->laDomanda->setText(question);
    ui->laDomanda->setVisible(ask);
    ui->buSi->setVisible(ask);
    if (ask)
        ui->buChiudi->setText(QStringLiteral("&No"));
    connect(ui->buSi, &QPushButton::clicked, this, [this] { done(Si); });
    connect(ui->buChiudi, &QPushButton::clicked, this, [this, ask] { done(ask ? No : Ok); });
    connect(ui->buBloccoNote, &QPushButton::clicked, this, &EliSInfo::bloccoNote);
    WindowGeometry::remember(this, QStringLiteral("EliSInfo"));
}

EliSInfo::~EliSInfo() = default;

void EliSInfo::bloccoNote()
{
    // A name the system makes unique, with the extension of a text file; the
    // file stays, as the editor may still be reading it.
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("ModelloCU_XXXXXX.txt")));
    file.setAutoRemove(false);
    if (!file.open()) {
        QMessageBox::critical(this, windowTitle(),
                              QStringLiteral("Impossibile creare il file temporaneo: %1").arg(file.errorString()));
        return;
    }
    QTextStream out(&file);
    for (const QString& line : m_lines)
        out << line << "\r\n";
    out.flush();
    m_notepadFile = file.fileName();
    file.close();
    if (!apriDocumento(m_notepadFile))
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Impossibile aprire il file %1 con l'editor di sistema.").arg(m_notepadFile));
}

EliSInfo::Esito ShowInfo(const QStringList& lines, bool ask, QWidget* parent)
{
    EliSInfo window(lines, ask ? QStringLiteral("Si desidera proseguire?") : QString(), parent);
    return static_cast<EliSInfo::Esito>(window.exec());
}

} // namespace cu
