// The activity catalogue as data.
#include "shell/frame/EliAttivazioni.h"

#include <algorithm>

namespace cu {

namespace {

using Tipo = Attivazione::Tipo;

QVector<Attivazione> table()
{
    // clang-format off
    QVector<Attivazione> rows = {
        // page               order caption                          kind                 target              arg hidden disabled one
        {"Operazioni",          1, "Import",                        Tipo::Azione,         "import",             0, false, false, false},
        {"Operazioni",          2, "Dati CU",                       Tipo::Finestra,       "EliCud",             0, false, false, true},
        {"Operazioni",          3, "Fornitore",                     Tipo::Finestra,       "EliFornitore",       0, false, false, false},
        {"Operazioni",          4, "Dati Sostituto",                Tipo::Finestra,       "EliSost",            0, false, false, false},
        {"Operazioni",          5, "Quadro CT",                     Tipo::Finestra,       "EliQuaCT",           0, false, false, false},
        {"Operazioni",        100, "Dati Altri Sostituti",          Tipo::Finestra,       "EliAltriSost",       0, true,  false, false},
        {"Stampe",              1, "Stampa CU Sintetico",           Tipo::FinestraModale, "EliPdf",             0, false, false, false},
        {"Stampe",              5, "Stampa CU Ordinario",           Tipo::FinestraModale, "EliPdf",             1, false, false, false},
        {"Stampe",             20, "Stampa Frontespizio",           Tipo::FinestraModale, "EliPdfSost",         0, false, false, false},
        {"Stampe",             30, "Stampa Quadro CT",              Tipo::FinestraModale, "EliPdfQuadroCT",     0, false, false, false},
        {"Stampe",             50, "Firma ricevute",                Tipo::FinestraModale, "EliStampaFirme",     0, false, false, false},
        {"Stampe",             60, "Informativa",                   Tipo::Documento,      "informativa.pdf",    0, false, false, false},
        {"Stampe",             70, "Cartella stampe",               Tipo::FinestraModale, "EliCartellaStampe",  0, false, false, false},
        {"File telematico",    10, "File Telematico",               Tipo::FinestraModale, "EliFile",            0, false, false, false},
        {"Strumenti",           0, "Parametri",                     Tipo::Finestra,       "EliParametri",       0, false, false, false},
        {"Strumenti",          10, "Inpdap da storico",             Tipo::Azione,         "import",             1, true,  true,  false},
        {"Strumenti",          20, "Inps da Emens",                 Tipo::Azione,         "import",             2, true,  true,  false},
        // Documents of the Help menu.
        {"",                    1, "Istruzioni CU",                 Tipo::Documento,      "CU_2025_istruz.pdf", 0, false, false, false},
        {"",                    2, "Provvedimento approvazione",    Tipo::Documento,      "Provvedimento.pdf",  0, false, false, false},
        {"",                    3, "Note invio telematico",         Tipo::Documento,      "invio_telematico.pdf", 0, false, false, false},
        {"",                    4, "Notizie sull'aggiornamento",    Tipo::Documento,      "News.pdf",           0, false, false, false},
    };
    // clang-format on
    return rows;
}

} // namespace

const QVector<Pagina>& EliAttivazioni::pagine()
{
    static const QVector<Pagina> pages = {
        {QStringLiteral("Operazioni"), 0},
        {QStringLiteral("Stampe"), 10},
        {QStringLiteral("File telematico"), 20},
        {QStringLiteral("Strumenti"), 30},
    };
    return pages;
}

const QVector<Attivazione>& EliAttivazioni::attivazioni()
{
    static const QVector<Attivazione> rows = [] {
        QVector<Attivazione> sorted = table();
        const auto pageOrder = [](const QString& page) {
            for (const Pagina& p : pagine())
                if (p.caption == page)
                    return p.order;
            return 1000; // the Help menu's documents come last
        };
        std::stable_sort(sorted.begin(), sorted.end(), [&](const Attivazione& a, const Attivazione& b) {
            return std::pair(pageOrder(a.pagina), a.order) < std::pair(pageOrder(b.pagina), b.order);
        });
        return sorted;
    }();
    return rows;
}

QVector<Attivazione> EliAttivazioni::diPagina(const QString& pagina)
{
    QVector<Attivazione> rows;
    for (const Attivazione& a : attivazioni())
        if (a.pagina == pagina && !a.hidden)
            rows.append(a);
    return rows;
}

QVector<Attivazione> EliAttivazioni::documentiGuida()
{
    return diPagina(QString());
}

const Attivazione* EliAttivazioni::trova(const QString& caption)
{
    for (const Attivazione& a : attivazioni())
        if (a.caption == caption)
            return &a;
    return nullptr;
}

} // namespace cu
