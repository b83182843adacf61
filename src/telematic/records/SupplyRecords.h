// The single lines of the supply: record A (the supply and its supplier),
// record B (the withholding agent's frontispiece) and record Z (the counts
// of the file's lines), and their completion with the numbers that are
// known only when the files are written. The patched fields are found in
// the layouts by their Number (FieldNumbers.h).
#pragma once

#include <QChar>
#include <QHash>
#include <QString>

namespace cu {

class Dataset;
class Operator;
class RecordLayout;

// The supply code: "CUR" and the last two digits of the filing year.
QString supplyCode();

// forn: the supplier dataset (cdsForn) at its current row.
QString writeRecordA(const RecordLayout& layout, const Dataset& forn, Operator& op);
// sost: the agent dataset (cdsSost) at its current row; ctPresent: the CT
// form has a mobile number or an e-mail address; producer: the software
// producer's fiscal code (ProducerSetting). The agent's name goes to the
// surname field when the agent has a first name (a natural person), to the
// entity's name field otherwise.
QString writeRecordB(const RecordLayout& layout, const Dataset& sost, bool ctPresent, const QString& producer,
                     Operator& op);
QString writeRecordZ(const RecordLayout& layout, Operator& op);

// The file's number and the number of files: "0000" both when the supply
// is one file.
QString patchRecordA(const RecordLayout& layout, const QString& line, int totalFiles, int fileNumber);
// The number of certificates (G plus H).
QString patchRecordB(const RecordLayout& layout, const QString& line, int employeeCertificates,
                     int selfEmployedCertificates);
// The counters of the file's lines by record letter (a letter without
// lines counts 0).
QString patchRecordZ(const RecordLayout& layout, const QString& line, const QHash<QChar, int>& lineCounts);

} // namespace cu
