// The pages of a certificate.
#include "shell/editors/CertificatePages.h"

#include "certificates/CertificateKey.h"
#include "certificates/CertificateSchema.h"

namespace cu {

namespace {

using Kind = SectionKind;

bool claims(const PaginaCertificato& pagina, const ColumnSchema& column, int point)
{
    if (!pagina.column.isEmpty())
        return column.name.compare(pagina.column, Qt::CaseInsensitive) == 0;
    return !pagina.part.isEmpty() && column.part == pagina.part && point >= pagina.fromPoint;
}

// The page of each column of a table: the last page that claims it; -1 for
// none.
int pageOf(const TableSchema& table, const ColumnSchema& column, int point)
{
    const QVector<PaginaCertificato>& pages = pagineCertificato();
    int found = -1;
    for (int i = 0; i < pages.size(); ++i)
        if (pages[i].table == table.name && claims(pages[i], column, point))
            found = i;
    return found;
}

} // namespace

const QVector<PaginaCertificato>& pagineCertificato()
{
    // clang-format off
    static const QVector<PaginaCertificato> pages = {
        // caption                                               table                    part          from column               section
        {"Dati Anagrafici",                                      certificate::Table,           "anagrafici",   0, {},                   {}},
        {"Dati Fiscali",                                         certificate::Table,           "fiscali",      0, {},                   {}},
        {"Dati Fiscali - Parte 2",                               certificate::Table,           "fiscali",    200, {},                   {}},
        {"Dati Fiscali - Parte 3",                               certificate::Table,           "fiscali",    430, {},                   {}},
        {"Dati Fiscali - Parte 4",                               certificate::Table,           "fiscali",    570, {},                   {}},
        {"Dati fiscali - Parte 5",                               certificate::Table,           "fiscali",    700, {},                   {}},
        {"ANNOTAZIONI",                                          certificate::Table,           {},             0, "SCUDANNOTAZIONI",    {}},
        {"INPS",                                                 "TCUDI_INPS",            "inps",         0, {},                   Kind::Inps},
        {"INPS - Sezione 3",                                     "TCUDI_INPS",            "inps",        45, {},                   Kind::InpsSection3},
        {"INPDAP",                                               "TCUDN_INPDAP",          "inpdap",       0, {},                   Kind::Inpdap},
        {"Dati relativi al coniuge e ai familiari a carico",     "TCUDC_CONFAMCARICO",    "familiari",    0, {},                   Kind::Family},
        {"INAIL",                                                "TCUIN_INAIL",           "inail",        0, {},                   Kind::Inail},
        {"Altri enti",                                           "TCUDAE_ALTRIENTI",      "altrienti",    0, {},                   Kind::OtherBodies},
        {"Cooperative artistiche",                               "TCUDCA_COOPART",        "coopart",      0, {},                   Kind::Cooperatives},
        {"TFR",                                                  "TCUDT_TFR",             "tfr",          0, {},                   Kind::Tfr},
        {"Autonomi e altre somme",                               "TASE_AUTSOMMEEROGATE",  "autonomi",     0, {},                   Kind::SelfEmployment},
    };
    // clang-format on
    return pages;
}

QVector<const ColumnSchema*> colonneDi(int wanted, const TableSchema& table)
{
    const QVector<PaginaCertificato>& pages = pagineCertificato();
    const bool certificateRow = table.name == certificate::Table;
    int firstOfTable = -1;
    for (int i = 0; i < pages.size() && firstOfTable < 0; ++i)
        if (pages[i].table == table.name)
            firstOfTable = i;

    QVector<const ColumnSchema*> columns;
    int point = 0;
    for (const ColumnSchema& column : table.columns) {
        bool numbered = false;
        const int own = column.point.toInt(&numbered);
        if (numbered)
            point = own;
        int page = pageOf(table, column, point);
        if (page < 0 && certificateRow)
            page = firstOfTable;
        if (page == wanted)
            columns.append(&column);
    }
    return columns;
}

} // namespace cu
