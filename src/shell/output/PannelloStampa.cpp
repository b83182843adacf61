// The shared print panel.
#include "shell/output/PannelloStampa.h"

#include "foundation/installation/Folders.h"
#include "foundation/operator/Operator.h"
#include "shell/common/OpenDocument.h"
#include "ui_PannelloStampa.h"

#include <QDir>

namespace cu {

PannelloStampa::PannelloStampa(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::PannelloStampa>())
{
    ui->setupUi(this);
    connect(ui->buCrea, &QPushButton::clicked, this, &PannelloStampa::creaRichiesta);
    connect(ui->buApri, &QPushButton::clicked, this, &PannelloStampa::apri);
    connect(ui->buEsci, &QPushButton::clicked, this, &PannelloStampa::esciRichiesta);
}

PannelloStampa::~PannelloStampa() = default;

void PannelloStampa::prepara(const Folders& folders, Operator& op, const QString& nomePredefinito)
{
    m_cartellaStampe = folders.stp();
    m_op = &op;
    ui->edNomeFile->setText(nomePredefinito);
}

QString PannelloStampa::nomeFile() const
{
    return ui->edNomeFile->text();
}

void PannelloStampa::aggiungiMessaggio(const QString& text)
{
    ui->meMessaggi->appendPlainText(text);
}

QPlainTextEdit* PannelloStampa::messaggi() const
{
    return ui->meMessaggi;
}

void PannelloStampa::stampaSalvata(const QStringList& files)
{
    if (files.isEmpty())
        return;
    m_piuFile = files.size() > 1;
    ui->buApri->setEnabled(true);
    ui->buApri->setFocus();
}

QString PannelloStampa::daAprire() const
{
    return m_piuFile ? m_cartellaStampe : m_cartellaStampe + nomeFile() + QStringLiteral(".pdf");
}

void PannelloStampa::apri()
{
    const QString path = daAprire();
    if (!apriDocumento(path) && m_op)
        m_op->warning(QStringLiteral("Impossibile aprire %1.").arg(QDir::toNativeSeparators(path)));
    focusNextChild();
}

} // namespace cu
