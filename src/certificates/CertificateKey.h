// The key of a certificate and the names of its tables: fiscal code
// SCUDCODFIS and two-digit month SCUDMESE within the year; section rows carry
// the certificate's iAfiID, SCUDCODFIS and SCUDMESE.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace cu {

namespace certificate {

inline const QString Table = QStringLiteral("TCUD_DATICUD");
inline const QString Programme = QStringLiteral("eli");

// The section tables of a certificate, in the order of the form.
const QStringList& sectionTables();

// The columns of the certificate table that identify the certificate and its
// person or record its state (keys, personal data, addresses, flags of the
// supply, annotations), in upper case: a certificate with values only there
// has no data to print or to send.
const QSet<QString>& identityColumns();

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
