// The payroll parameter file, shared with the payroll program: "[SECTION]"
// and "KEY=value" lines read and changed in place. Only the value written
// changes; every other line (other sections, comments, unknown keys) is kept
// as it is. Section and key names are compared without regard to case. A
// file that is not UTF-8 is read and written as Latin-1, so that its
// characters survive a change.
#pragma once

#include <QString>
#include <QStringList>

namespace cu {

class KbrParametriFile
{
public:
    // Reads the file when it exists; a missing file is an empty one.
    explicit KbrParametriFile(const QString& path);

    const QString& path() const { return m_path; }

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    // A missing key or a value that is no integer gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue = 0) const;

    // Sets the value in memory and writes the whole file at once (a failed
    // write leaves the old file untouched and is an EZfError naming it). The
    // file's folder is created when missing.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);

private:
    // Line of the section's header, -1 when absent.
    int sectionLine(const QString& section) const;
    // Line of the key inside the section that starts at header, -1 when absent.
    int keyLine(int header, const QString& key) const;
    // First line after the section that starts at header.
    int sectionEnd(int header) const;
    QByteArray encoded(const QString& text) const;
    void save() const;

    QString m_path;
    QStringList m_lines;
    bool m_latin1 = false; // the file was not UTF-8 and is written back as it was
};

} // namespace cu
