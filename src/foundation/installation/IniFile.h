// A settings file in the INI form: "[Section]" lines, "key = value" lines,
// comments starting with ';' or '#'. Section and key names are compared
// without regard to case; values are taken as written (trimmed, no escapes),
// so paths and passwords keep their backslashes and commas.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace cu {

class IniFile
{
public:
    // A missing file reads as empty; an unreadable file or a line that is no
    // section, comment nor "key = value" is an EZfError naming file and line.
    static IniFile read(const QString& path);
    static IniFile parse(const QString& text, const QString& sourceName);

    bool exists() const { return m_exists; }
    // No key in any section (an empty file, or one of comments only).
    bool isEmpty() const { return m_values.isEmpty(); }
    const QString& path() const { return m_path; }
    bool contains(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& fallback = QString()) const;
    // Keys of a section as written, in file order.
    QStringList keys(const QString& section) const;

private:
    static QString id(const QString& section, const QString& key);

    bool m_exists = false;
    QString m_path;
    QHash<QString, QString> m_values;          // by "section/key" in lower case
    QHash<QString, QStringList> m_sectionKeys; // by section in lower case
};

} // namespace cu
