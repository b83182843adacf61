// Reads a telematic file back against the layouts and reports every defect,
// naming line, positions, code and the expected form: line length and
// terminator, record order, every G and H with its D in the same file, the
// counters of records A, B and Z against the lines present, positional
// fields as the layout puts them (fillers blank, so a shifted head shows),
// coded fields well formed, known to the layout, once per module and in
// their format and alignment, upper-case printable ASCII only, and valid
// fiscal codes.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace cu {

class FileLayouts;

struct VerifyReport
{
    QStringList defects; // the first defects found, in Italian, naming line and position
    int defectCount = 0; // all defects, also those past the list's limit
    int lines = 0;
    QHash<QChar, int> counts; // lines per record letter
    bool ok() const { return defectCount == 0; }
};

class TelematicVerifier
{
public:
    explicit TelematicVerifier(const FileLayouts& layouts, int maxListed = 200)
        : m_layouts(layouts), m_maxListed(maxListed)
    {
    }

    // A file that cannot be read, or is no regular file of a supply's size
    // (requireSupplyFile), is an EZfError naming it.
    VerifyReport verify(const QString& path) const;

private:
    const FileLayouts& m_layouts;
    int m_maxListed;
};

} // namespace cu
