// The month counts of the spouse and dependants section (SCUDMESICARCON,
// SCUDMESICARPRIFIGL, SCUDMESICARFIGL, SCUDMESIDETRM21FIGL,
// SCUDMESIDETRM21PRIFIGL): when filled, two digits between 01 and 12.
#pragma once

#include <QString>
#include <QStringList>

namespace cu {

class Dataset;

const QStringList& familyMonthColumns();
bool isFamilyMonthColumn(const QString& column);

// Empty when the text is acceptable; otherwise "Il mese deve essere di 2
// cifre" or "Mese non valido, deve essere compreso tra 01 e 12".
QString familyMonthDefect(const QString& text);

// Raises the first defect of the month counts of the current row that were
// typed (all of a new row; of a changed row those that differ from what
// was stored) as an EZfError.
void requireValidFamilyMonths(const Dataset& row);

} // namespace cu
