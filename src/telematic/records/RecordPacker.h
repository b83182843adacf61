// Packs the field-list rows of one record letter into lines of the file
// (PackRecords / FlushRecord): a certificate's rows fill as many lines as
// they need, each continuation line starting with the same head of
// positional fields; every G or H module starts a line of its own.
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
    void flushRecord(const QString& letter, int certificateNumber);

    FieldList& m_fields;
    RecordList& m_records;
    QString m_line;
    QString m_progressive;
};

} // namespace cu
