// The data checks over a working year of the store, as the telematic file
// runs them, each finding naming where it lies so that a window can open
// that certificate at that field and a script can print it on one line:
// - the withholding agent's row and the supplier's row: the mandatory
//   columns and column rules (a missing row counts as a row left empty) and
//   the fiscal codes;
// - the CT form and the other agents: the fiscal codes;
// - every certificate: the mandatory walk over its row and its family row,
//   the recipient data, the fiscal codes of its row and of its section rows.
#pragma once

#include <QString>
#include <QVector>

namespace cu {

class CertificateStore;

struct CheckFinding
{
    QString table;      // the row's table, e.g. "TCUD_DATICUD", "TCUDI_INPS"
    qint64 person = 0;  // the certificate's iAfiID; 0 outside the certificates
    QString fiscalCode; // the certificate's SCUDCODFIS (the other agent's code)
    QString month;      // the certificate's SCUDMESE
    int row = 0;        // 1-based row of a section among the certificate's rows; 0 otherwise
    QString column;     // the field the finding concerns
    QString message;    // " - Dato obbligatorio mancante: ..."

    // A finding of a table, its place and message still to fill.
    static CheckFinding in(const QString& table);
    // Where the finding lies: "Sostituto", "Fornitore", "Quadro CT",
    // "Altro sostituto CF", "Certificazione CF/MM", "Certificazione CF/MM,
    // TCUDI_INPS riga 2".
    QString place() const;
    // One line: place, column and the message without its leading " - ".
    QString line() const;
};

QVector<CheckFinding> checkYear(CertificateStore& certificates);

} // namespace cu
