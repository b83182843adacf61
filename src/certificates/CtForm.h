// Whether the CT form (the request of the 730-4 data, table TCUCT_DATICT)
// is part of the supply: record B's CT box, the C lines of the telematic
// file and the frontispiece's CT box all follow this one rule.
#pragma once

namespace cu {

class Dataset;

// True when the form's first row has a mobile number (SCTCELL) or an e-mail
// address (SCTEMAIL) that is not blank.
bool isCtFormPresent(const Dataset& ctForm);

} // namespace cu
