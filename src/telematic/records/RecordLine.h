// Builds the single lines of records A, B and Z field after field: whether a
// field is written depends on its source code, a written field is formatted
// to its width, and a line never grows past 1900 characters.
#pragma once

#include "telematic/layouts/CampoValue.h"

#include <QString>

namespace cu {

class Operator;

class RecordLine
{
public:
    static constexpr int MaxLength = 1900;

    // family: A, B or Z. op receives "Supera i 1900 caratteri".
    RecordLine(RecordFamily family, Operator& op);

    // Whether a field of this Info is written for a value (empty or not).
    static bool isWritten(RecordFamily family, const QString& info, bool valueEmpty);

    // Formats and appends the field when its Info says so (AppendCampo).
    void appendCampo(const QString& value, const LayoutField& campo);
    // The finished line: pad markers become blanks; Z gets its control
    // character "A" (CloseRecord).
    QString close() const;
    const QString& text() const { return m_line; }

private:
    RecordFamily m_family;
    Operator& m_op;
    QString m_line;
};

// Builds a whole line of record A, B or Z: every field of every section in
// document order, its value given by valueOf.
QString buildRecordLine(RecordFamily family, const RecordLayout& layout,
                        const std::function<QString(const LayoutField&)>& valueOf, Operator& op);

} // namespace cu
