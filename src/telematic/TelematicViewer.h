// Prints a telematic file in readable form, as an operator checks it before
// sending: per line its record type, per certificate its recipient, and
// every field with its position or code, its description from the layout
// and its value.
#pragma once

#include <QString>

class QTextStream;

namespace cu {

class FileLayouts;

class TelematicViewer
{
public:
    explicit TelematicViewer(const FileLayouts& layouts) : m_layouts(layouts) {}

    // A file that cannot be read is an EZfError naming it.
    void show(const QString& path, QTextStream& out) const;
    // One line of the file (without its terminator), numbered from 1.
    void showLine(int number, const QString& line, QTextStream& out) const;

private:
    const FileLayouts& m_layouts;
};

} // namespace cu
