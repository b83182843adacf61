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

// Raises the first defect of the current row's month counts as an EZfError.
void requireValidFamilyMonths(const Dataset& row);

} // namespace cu
