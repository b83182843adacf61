// The import log: one text shared by the whole import, in which every remark
// is written under the person and the section it belongs to. A person line
// opens the remarks of each person; a section title is written once for the
// whole log, above the first remark of that section.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace cu {

class Info
{
public:
    enum Section
    {
        Fiscale = 0,
        Familiari = 1,
        InpsPubblica = 2,
        Autonomo = 3,
        Anagrafici = 4
    };

    static QString sectionTitle(Section section);

    // Adds "- " + remark under the person ("Dipendente " + surname + " " + name,
    // without the control characters a name of the archive may hold) and the
    // section, writing those headings when they are due.
    void add(const QString& surname, const QString& name, const QString& remark, Section section);
    void clear();
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QStringList& lines() const { return m_lines; }
    // The lines joined with "\r\n".
    QString text() const;

private:
    QStringList m_lines;
    QString m_person;
    QSet<int> m_headed;
};

} // namespace cu
