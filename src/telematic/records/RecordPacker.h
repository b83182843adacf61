// Packs the field-list rows of one record letter into lines of the file
// (PackRecords / FlushRecord): a certificate's rows fill as many lines as
// they need, each continuation line starting with the same head of
// positional fields; every G or H module starts a line of its own. A line
// of D, G or H takes as its certificate number the progressive of its rows
// (the certificate's position in the list of all certificates, which the
// head's five digits show only within its supply); a line of C takes 0.
#pragma once

#include <QString>

namespace cu {

class FieldList;
class RecordList;

class RecordPacker
{
public:
    static constexpr int DataLength = 1897;  // characters before the control character
    static constexpr int AppendLimit = 1873; // a row is appended only to a shorter line

    RecordPacker(FieldList& fields, RecordList& records);

    // Packs every row of the letter; headCount is the number of positional
    // rows that form the head (11).
    void packRecords(const QString& letter, int headCount);

private:
    void flushRecord(const QString& letter);

    FieldList& m_fields;
    RecordList& m_records;
    QString m_line;
    QString m_progressive;
    bool m_numbered = false; // the letter's lines carry a certificate number
};

} // namespace cu
