// The key of a certificate and the names of its tables: fiscal code
// SCUDCODFIS and two-digit month SCUDMESE within the year; section rows carry
// the certificate's iAfiID, SCUDCODFIS and SCUDMESE.
#pragma once

#include <QString>
#include <QStringList>

namespace cu {

namespace certificate {

inline const QString Table = QStringLiteral("TCUD_DATICUD");
inline const QString Programme = QStringLiteral("eli");

// The section tables of a certificate, in the order of the form.
const QStringList& sectionTables();

// "%.2d": 6 gives "06", 0 gives "00".
QString monthText(int month);

// The month under which a certificate's rows are stored: its number, -1 when
// SCUDMESE is empty ("00" gives 0, which the store keeps as no month). A text
// that is not a month is an EZfError naming it.
int storeMonth(const QString& monthText);

// "SCUDCODFIS='%s' AND SCUDMESE='%.2d'" with the fiscal code quoted as a
// filter literal.
QString searchFilter(const QString& fiscalCode, int month);

} // namespace certificate

} // namespace cu
