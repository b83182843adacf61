// The user guide of the program (docs/guida, Italian Markdown with the
// screenshots) in a window of its own, opened from the Help menu.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace cu {

class GuidaUtente : public QWidget
{
    Q_OBJECT
public:
    explicit GuidaUtente(QWidget* parent = nullptr);

    QTextBrowser* browser() const { return m_browser; }

    // The guide's first page inside the program.
    static QString indice();

private:
    QTextBrowser* m_browser;
};

} // namespace cu
