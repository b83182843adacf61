// The import log and its layout rules.
#include "import/run/Info.h"

#include "foundation/text/TextFunctions.h"

#include <array>

namespace cu {

QString Info::sectionTitle(Section section)
{
    static const std::array<QString, 5> titles = {
        QStringLiteral("Sezione fiscale"),
        QStringLiteral("Sezione familiari a carico per detrazioni"),
        QStringLiteral("INPS Sezione 2 - Gestione Pubblica"),
        QStringLiteral("Dati autonomo"),
        QStringLiteral("Dati anagrafici"),
    };
    return titles.at(static_cast<std::size_t>(section));
}

void Info::add(const QString& surname, const QString& name, const QString& remark, Section section)
{
    const QString person = text::withoutControlCharacters(surname + u' ' + name);
    bool personLineAdded = false;
    if (person != m_person) {
        m_person = person;
        if (!m_lines.isEmpty())
            m_lines.append(QString());
        m_lines.append(QStringLiteral("Dipendente ") + person);
        personLineAdded = true;
    }
    if (!m_headed.contains(section)) {
        if (!personLineAdded)
            m_lines.append(QString());
        m_lines.append(QStringLiteral("--- ") + sectionTitle(section));
        m_headed.insert(section);
    }
    m_lines.append(QStringLiteral("- ") + remark);
}

void Info::clear()
{
    m_lines.clear();
    m_person.clear();
    m_headed.clear();
}

QString Info::text() const
{
    return m_lines.join(QStringLiteral("\r\n"));
}

} // namespace cu
