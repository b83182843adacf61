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
    m_numbered = letter == u"D" || letter == u"G" || letter == u"H";
    const bool modulePerLine = letter == u"G" || letter == u"H";

    m_line.clear();
    QString head;
    int headRows = 1;
    bool letterStarted = false;
    rows.first();
    m_progressive = rows.eof() ? QString() : m_fields.progressive();

    for (; !rows.eof(); rows.next()) {
        if (m_fields.letter() != letter)
            continue;
        const QString record = m_fields.record();
        const QString progressive = m_fields.progressive();
        if (modulePerLine && record == letter) {
            if (letterStarted) {
                flushRecord(letter);
                head.clear();
                headRows = 1;
                m_progressive = progressive;
            }
            letterStarted = true;
        }
        if (progressive != m_progressive) {
            flushRecord(letter);
            head.clear();
            headRows = 1;
            m_progressive = progressive;
        }
        if (headRows <= headCount) {
            head += record;
            ++headRows;
        }
        if (m_line.size() > AppendLimit) {
            flushRecord(letter);
            m_line = head;
        }
        m_line += record;
    }
    flushRecord(letter);
}

void RecordPacker::flushRecord(const QString& letter)
{
    if (m_line.isEmpty())
        return;
    const QString line = text::padRight(text::unmarked(m_line), u' ', DataLength, text::Overflow::Cut) + u'A';
    m_records.append({letter, line, m_progressive, m_numbered ? m_progressive.toInt() : 0});
    m_line.clear();
}

} // namespace cu
