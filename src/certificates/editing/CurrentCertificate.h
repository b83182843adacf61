// The certificate selected in the editor, as its section frames see it: the
// person, the fiscal code, the month and the printed state it had when it
// was selected.
#pragma once

#include <QString>

namespace cu {

class Dataset;

struct CurrentCertificate
{
    qint64 person = 0;
    QString fiscalCode;
    QString month; // SCUDMESE as stored ("12", "00", empty)
    int state = 0; // iCudStato when selected

    // From the current row of the certificate list (empty when none).
    static CurrentCertificate of(const Dataset& certificates);
    bool isStored() const { return person > 0; }
    bool isPrinted() const { return state > 0; }
    // The month the certificate's rows are saved under (-1 without a month).
    int storeMonth() const;
    // "FISCALCODE/MM", or the fiscal code alone without a month.
    QString label() const;
};

} // namespace cu
