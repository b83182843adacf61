// Checks of one field's text as the operator types it, for a window to mark
// the field (a result, never a dialog) and for the command line to warn:
// fiscal codes (personal or numeric), dates (dd/mm/yyyy), provinces (the
// sigle of data/province.txt, "EE" for abroad), postcodes (five digits) and
// the municipality codes of the fiscal domicile (SCUDCAPDFAP, SCUDCAPDFAC:
// the cadastral code, a letter and three digits, as the import writes it).
// An empty text is always acceptable here: whether a value is required is
// the data checks' matter.
#pragma once

#include <QString>

namespace cu {

struct ColumnSchema;

enum class FieldKind
{
    Other,
    FiscalCode,
    Date,
    Province,
    Postcode,
    MunicipalityCode
};

// By the column's type letter, size and name (CODFIS/CF, PROV, CAP, CAPDFA).
FieldKind fieldKind(const ColumnSchema& column);

// Empty when the text suits the column; otherwise what is wrong, in Italian.
QString fieldDefect(const ColumnSchema& column, const QString& text);

bool isKnownProvince(const QString& sigla);

} // namespace cu
