// The single lines of the supply: record A (the supply and its supplier),
// record B (the withholding agent's frontispiece) and record Z (the counts
// of the file's lines), and their completion with the numbers that are
// known only when the files are written.
#pragma once

#include <QString>

namespace cu {

class Dataset;
class Operator;
class RecordLayout;

// The supply code: "CUR" and the last two digits of the filing year.
QString supplyCode();
// The producer's fiscal code written in record B (11 digits, a build constant).
QString producerFiscalCode();

// forn: the supplier dataset (cdsForn) at its current row.
QString writeRecordA(const RecordLayout& layout, const Dataset& forn, Operator& op);
// sost: the agent dataset (cdsSost) at its current row; ctPresent: the CT
// form has a mobile number or an e-mail address.
QString writeRecordB(const RecordLayout& layout, const Dataset& sost, bool ctPresent, Operator& op);
QString writeRecordZ(const RecordLayout& layout, Operator& op);

// Positions 522-525 and 526-529: "0000" both when the supply is one file.
QString patchRecordA(const QString& line, int totalFiles, int fileNumber);
// Positions 402-409: the number of certificates (G plus H).
QString patchRecordB(const QString& line, int employeeCertificates, int selfEmployedCertificates);
// Positions 25-60: the counts of C, D, G and H lines of the file.
QString patchRecordZ(const QString& line, int countD, int countG, int countH, int countC);

} // namespace cu
