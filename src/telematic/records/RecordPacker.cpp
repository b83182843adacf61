// Packing of the field list into lines.
#include "telematic/records/RecordPacker.h"

#include "foundation/text/TextFunctions.h"
#include "telematic/WorkingLists.h"
#include "telematic/layouts/FileText.h"

namespace cu {

RecordPacker::RecordPacker(FieldList& fields, RecordList& records) : m_fields(fields), m_records(records) {}

void RecordPacker::packRecords(const QString& letter, int headCount)
{
    Dataset& rows = m_fields.dataset();
    const bool countsHead = letter == u"D" || letter == u"G" || letter == u"H";
    const bool modulePerLine = letter == u"G" || letter == u"H";

    m_line.clear();
    QString head;
    int headRows = 1;
    int certificate = 0;
    int rowsSinceType = 0;
    bool letterStarted = false;
    rows.first();
    m_progressive = rows.eof() ? QString() : m_fields.progressive();

    for (; !rows.eof(); rows.next()) {
        if (m_fields.letter() != letter)
            continue;
        const QString record = m_fields.record();
        const QString progressive = m_fields.progressive();
        const bool typeRow = record == letter;
        if (countsHead) {
            rowsSinceType = typeRow ? 1 : rowsSinceType + 1;
            if (rowsSinceType == 5)
                certificate = record.trimmed().toInt();
        }
        if (modulePerLine && typeRow) {
            if (letterStarted) {
                flushRecord(letter, certificate);
                head.clear();
                headRows = 1;
                m_progressive = progressive;
            }
            letterStarted = true;
        }
        if (progressive != m_progressive) {
            flushRecord(letter, certificate);
            head.clear();
            headRows = 1;
            m_progressive = progressive;
        }
        if (headRows <= headCount) {
            head += record;
            ++headRows;
        }
        if (m_line.size() > AppendLimit) {
            flushRecord(letter, certificate);
            m_line = head;
        }
        m_line += record;
    }
    flushRecord(letter, certificate);
}

void RecordPacker::flushRecord(const QString& letter, int certificateNumber)
{
    if (m_line.isEmpty())
        return;
    const QString line = text::padRight(text::unmarked(m_line), u' ', DataLength, text::Overflow::Cut) + u'A';
    m_records.append({letter, line, m_progressive, certificateNumber});
    m_line.clear();
}

} // namespace cu
