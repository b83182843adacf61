// Typed bindings of the seven layout files of the telematic file
// (Record_A.xml ... Record_Z.xml): records made of sections made of fields,
// every attribute typed. The writer only reads them; the layout generator
// builds and saves them.
#pragma once

#include <QString>
#include <QVector>

namespace cu {

class Folders;

// The six bindings: records C and D are read through binding E.
enum class LayoutBinding
{
    A,
    B,
    E,
    G,
    H,
    Z
};

struct LayoutField
{
    QString number;      // "1", "2" ... for positional fields; an 8-character code otherwise
    QString description; // the field's name in the official layout
    int width = 0;
    QString format; // format code (FormatField)
    QString info;   // source code (getCampoValue)
    QString fixed;  // constant value ("OF"; every field of record Z)
    QString cds;    // dataset component name (absent from record Z)
    QString field;  // column of that dataset (absent from record Z)

    // A field whose trimmed Number has 8 characters is a coded field.
    bool isCoded() const;
    // The trimmed Number.
    QString code() const;
};

// Where a positional field lies in a line: 0-based start and width.
struct FieldSpan
{
    int start = -1;
    int width = 0;
    bool isValid() const { return start >= 0; }
    // The field's text in a line (cut to the line).
    QString in(const QString& line) const { return line.mid(start, width); }
};

struct LayoutSection
{
    QString text;   // title; "intestazione record" marks the head of record G
    QString repeat; // "NO" / "YES" (bindings E, G, H)
    QString cds;    // dataset the section repeats over (binding G)
    QVector<LayoutField> fields;
};

class RecordLayout
{
public:
    RecordLayout() = default;
    explicit RecordLayout(LayoutBinding binding) : m_binding(binding) {}

    // Reads a layout file; a missing or malformed file is an EZfError naming
    // the file (and the line and column of a parse error).
    static RecordLayout load(const QString& path, LayoutBinding binding);
    // Writes the layout with the binding's element names.
    void save(const QString& path) const;

    LayoutBinding binding() const { return m_binding; }
    const QVector<LayoutSection>& sections() const { return m_sections; }
    QVector<LayoutSection>& sections() { return m_sections; }
    void addSection(const LayoutSection& section) { m_sections.append(section); }
    void insertSection(int index, const LayoutSection& section) { m_sections.insert(index, section); }

    // The Fixed text of the field numbered "1" (the record letter of C, D, G, H).
    QString recordLetter() const;
    // Sum of the widths of every field.
    int totalWidth() const;
    // The place of the positional field of a Number (the positional fields
    // lie one after the other in document order); invalid when there is none.
    FieldSpan span(const QString& number) const;
    // The head fields of a record letter (fieldnumbers::headFields) are all
    // there and field 1 holds the letter; an EZfError naming the file, the
    // record and the missing fields otherwise.
    void requireHeadFields(QChar letter, const QString& path) const;

private:
    LayoutBinding m_binding = LayoutBinding::E;
    QVector<LayoutSection> m_sections;
};

// The layouts of an installation, read afresh at every call; a layout
// without its head fields is refused (RecordLayout::requireHeadFields).
RecordLayout loadRecordA(const Folders& folders);
RecordLayout loadRecordB(const Folders& folders);
RecordLayout loadRecordC(const Folders& folders);
RecordLayout loadRecordD(const Folders& folders);
RecordLayout loadRecordG(const Folders& folders);
RecordLayout loadRecordH(const Folders& folders);
RecordLayout loadRecordZ(const Folders& folders);

} // namespace cu
