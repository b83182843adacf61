// Reading INI settings files.
#include "foundation/installation/IniFile.h"

#include "foundation/operator/Errors.h"

#include <QFile>

namespace cu {

IniFile IniFile::read(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        IniFile empty;
        empty.m_path = path;
        return empty;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EZfError(QStringLiteral("Impossibile leggere il file di impostazioni %1: %2")
                           .arg(path, file.errorString()));
    IniFile ini = parse(QString::fromUtf8(file.readAll()), path);
    ini.m_exists = true;
    ini.m_path = path;
    return ini;
}

IniFile IniFile::parse(const QString& text, const QString& sourceName)
{
    IniFile ini;
    QString section;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            throw EZfError(
                QStringLiteral(
                    "%1, riga %2: attesa una sezione [Nome] o una riga chiave=valore, trovato \"%3\"")
                    .arg(sourceName)
                    .arg(i + 1)
                    .arg(line));
        const QString key = line.left(equals).trimmed();
        const QString identity = id(section, key);
        if (!ini.m_values.contains(identity))
            ini.m_sectionKeys[section.toLower()].append(key);
        ini.m_values.insert(identity, line.mid(equals + 1).trimmed());
    }
    return ini;
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    return m_values.contains(id(section, key));
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const
{
    return m_values.value(id(section, key), fallback);
}

QStringList IniFile::keys(const QString& section) const
{
    return m_sectionKeys.value(section.toLower());
}

QString IniFile::id(const QString& section, const QString& key)
{
    return section.toLower() + u'/' + key.toLower();
}

} // namespace cu
