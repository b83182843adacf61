// Reads a telematic file in readable form, as an operator checks it before
// sending: per line its record type, per certificate its recipient, and
// every field with its position or code, its description from the layout
// and its value. The command line prints it; the file wizard shows it as a
// tree.
#pragma once

#include <QString>
#include <QVector>
#include <functional>

class QTextStream;

namespace cu {

class FileLayouts;

// One field of a line: by its positions (start 0-based) or by its code.
struct ViewedField
{
    int start = -1; // -1: a coded field
    int width = 0;
    QString code;
    QString description;
    QString value;

    // "1-1" for a positional field (1-based, both ends), the code otherwise.
    QString label() const;
};

// One line of the file: "Riga 3 - record D (dati anagrafici) - ..." and its fields.
struct ViewedLine
{
    int number = 0;
    QString title;
    QVector<ViewedField> fields;
};

class TelematicViewer
{
public:
    explicit TelematicViewer(const FileLayouts& layouts) : m_layouts(layouts) {}

    // A file that cannot be read, or is no regular file of a supply's size
    // (requireSupplyFile), is an EZfError naming it.
    QVector<ViewedLine> read(const QString& path) const;
    // One line of the file (without its terminator), numbered from 1.
    ViewedLine readLine(int number, const QString& line) const;

    // The same as text.
    void show(const QString& path, QTextStream& out) const;
    void showLine(int number, const QString& line, QTextStream& out) const;

private:
    // Reads the file line by line, each line handed over as it is read.
    void forEachLine(const QString& path, const std::function<void(ViewedLine)>& use) const;
    static void print(const ViewedLine& line, QTextStream& out);

    const FileLayouts& m_layouts;
};

} // namespace cu
