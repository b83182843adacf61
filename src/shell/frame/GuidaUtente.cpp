// The user guide window.
#include "shell/frame/GuidaUtente.h"

#include "shell/common/WindowGeometry.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace cu {

GuidaUtente::GuidaUtente(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Guida di Modello CU 2025"));
    setObjectName(QStringLiteral("GuidaUtente"));
    resize(820, 640);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* back = new QPushButton(QStringLiteral("< &Indietro"), this);
    auto* home = new QPushButton(QStringLiteral("&Sommario"), this);
    auto* close = new QPushButton(QStringLiteral("&Chiudi"), this);
    bar->addWidget(back);
    bar->addWidget(home);
    bar->addStretch();
    bar->addWidget(close);
    layout->addLayout(bar);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl(indice()), QTextDocument::MarkdownResource);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(home, &QPushButton::clicked, m_browser, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    WindowGeometry::remember(this, QStringLiteral("GuidaUtente"));
}

QString GuidaUtente::indice()
{
    return QStringLiteral("qrc:/docs/guida/README.md");
}

} // namespace cu
