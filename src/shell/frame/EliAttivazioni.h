// The activity catalogue: every activity of the program declared as one row
// of a table (page, order, caption, kind, target, hidden, disabled), from
// which the main window builds its navigation bar and its menus. Activities
// whose windows are not part of this program yet are in the table all the
// same; the main window says plainly that they are not available.
#pragma once

#include "foundation/dataset/Dataset.h"
#include "import/archive/ArchiveRows.h"

#include <QString>
#include <QVector>

namespace cu {

struct Pagina
{
    QString caption;
    int order = 0;
};

struct Attivazione
{
    enum class Tipo
    {
        Azione,         // runs a job of the main window (the import driver)
        Finestra,       // a window in the main window's area, or a dialog
        FinestraModale, // a modal window
        Documento       // a document opened with the system's program
    };

    QString pagina; // caption of the page; empty: only in the Help menu
    int order = 0;
    QString caption;
    Tipo tipo = Tipo::Finestra;
    QString target;       // window class, job or document file
    int argomento = 0;    // the import's mode, the print flag "ordinario"
    bool hidden = false;
    bool disabled = false;
    bool unaIstanza = false; // one window at a time
};

class EliAttivazioni
{
public:
    // The pages, sorted by order.
    static const QVector<Pagina>& pagine();
    // Every activity: those of the pages sorted by page and order, then the
    // documents of the Help menu.
    static const QVector<Attivazione>& attivazioni();
    // The activities of one page that are shown, in order.
    static QVector<Attivazione> diPagina(const QString& pagina);
    // The documents of the Help menu.
    static QVector<Attivazione> documentiGuida();
    // The activity with that caption; null when there is none.
    static const Attivazione* trova(const QString& caption);

    // The import's parameter record and the site record of the withholding
    // agent (query QRY_SED), prepared by the import driver for each run.
    Dataset cdsParametri;
    ArchiveRows xqcSos;
};

} // namespace cu
