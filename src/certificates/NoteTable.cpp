// Annotation lines from the table of standard notes.
#include "certificates/NoteTable.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"

namespace cu {

NoteTable NoteTable::load(const QString& path)
{
    Dataset table;
    table.loadFromFile(path);
    if (!table.hasField(u"Codice") || !table.hasField(u"Nota"))
        throw EZfError(
            QStringLiteral("Tabella delle annotazioni %1 danneggiata: mancano le colonne Codice e Nota")
                .arg(path));
    QHash<QString, QString> notes;
    for (table.first(); !table.eof(); table.next())
        notes.insert(table.asString(u"Codice").trimmed(), table.asString(u"Nota"));
    return NoteTable(std::move(notes));
}

QString NoteTable::line(const QString& code) const
{
    const auto it = m_notes.constFind(code);
    if (it == m_notes.cend())
        throw EAssertion(QStringLiteral("Codice annotazione non gestito :") + code,
                         QStringLiteral("NoteTable"));
    return code + QStringLiteral(") ") + *it + QStringLiteral("\r\n");
}

QString NoteTable::freeLine(const QString& text)
{
    return QStringLiteral("ZZ) ") + text + QStringLiteral("\r\n");
}

} // namespace cu
