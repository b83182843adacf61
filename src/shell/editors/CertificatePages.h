// The pages of one certificate in "Dati CU", as one declarative table: the
// pages of the certificate row ("Dati Anagrafici", the five parts of "Dati
// Fiscali", "ANNOTAZIONI") and one page per section frame. Which column
// goes on which page comes from the schema file: a page takes the columns
// of its table and part of the form from its first point on (a column
// without a point follows the one before it), or one named column. A
// column of the certificate row that no page claims goes on the first page;
// the section tables' link columns (no part) are filled by the editor and
// not shown. So a point added to the schema appears with no code change.
#pragma once

#include "certificates/editing/SectionEditing.h"

#include <QString>
#include <QVector>
#include <optional>

namespace cu {

struct ColumnSchema;
struct TableSchema;

struct PaginaCertificato
{
    QString caption;
    QString table;
    QString part;      // the schema's part of the form
    int fromPoint = 0; // the page's first point within the part
    QString column;    // a page of one named column
    std::optional<SectionKind> section; // a section frame; none: the certificate row
};

const QVector<PaginaCertificato>& pagineCertificato();

// The columns of the page at that position of the table, in the schema's order.
QVector<const ColumnSchema*> colonneDi(int pagina, const TableSchema& table);

} // namespace cu
