// The standard annotation texts of the certificate ("TNOT_NOTE.CDS": columns
// "Codice" and "Nota") and the line that an annotation code writes.
#pragma once

#include <QHash>
#include <QString>

namespace cu {

class NoteTable
{
public:
    NoteTable() = default;
    explicit NoteTable(QHash<QString, QString> notes) : m_notes(std::move(notes)) {}
    // Loads the table file; a missing or damaged file is an error naming it.
    static NoteTable load(const QString& path);

    bool contains(const QString& code) const { return m_notes.contains(code); }
    // code + ") " + note + "\r\n"; an unknown code is a fault of the
    // installation: EAssertion "Codice annotazione non gestito :" + code.
    QString line(const QString& code) const;
    // "ZZ) " + text + "\r\n".
    static QString freeLine(const QString& text);

private:
    QHash<QString, QString> m_notes;
};

} // namespace cu
