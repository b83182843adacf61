// Reading and changing the payroll parameter file line by line.
#include "foundation/installation/KbrParametriFile.h"

#include "foundation/operator/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace cu {

namespace {

bool isSectionHeader(const QString& line)
{
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.endsWith(u']');
}

QString sectionName(const QString& line)
{
    const QString t = line.trimmed();
    return t.mid(1, t.size() - 2).trimmed();
}

// The key of a "KEY=value" line, empty for any other line.
QString keyOf(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0 || line.trimmed().startsWith(u';'))
        return QString();
    return line.left(equals).trimmed();
}

QString valueOf(const QString& line)
{
    return line.mid(line.indexOf(u'=') + 1).trimmed();
}

} // namespace

KbrParametriFile::KbrParametriFile(const QString& path) : m_path(path)
{
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EZfError(
            QStringLiteral("Impossibile leggere il file \"%1\": %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) { // a file written by a Windows program: keep its one-byte characters
        m_latin1 = true;
        text = QString::fromLatin1(bytes);
    }
    m_lines = text.split(u'\n');
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

int KbrParametriFile::sectionLine(const QString& section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        if (isSectionHeader(m_lines.at(i)) &&
            sectionName(m_lines.at(i)).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int KbrParametriFile::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < m_lines.size() && !isSectionHeader(m_lines.at(i)))
        ++i;
    return i;
}

int KbrParametriFile::keyLine(int header, const QString& key) const
{
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        if (keyOf(m_lines.at(i)).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString KbrParametriFile::readString(const QString& section, const QString& key,
                                     const QString& defaultValue) const
{
    const int header = sectionLine(section);
    const int line = header < 0 ? -1 : keyLine(header, key);
    return line < 0 ? defaultValue : valueOf(m_lines.at(line));
}

int KbrParametriFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    bool ok = false;
    const int value = readString(section, key).toInt(&ok);
    return ok ? value : defaultValue;
}

void KbrParametriFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString entry = key + u'=' + value;
    int header = sectionLine(section);
    if (header < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        header = int(m_lines.size()) - 1;
    }
    const int line = keyLine(header, key);
    if (line >= 0) {
        m_lines[line] = entry;
    } else {
        // After the section's last non-blank line, so that a blank line that
        // separates sections stays between them.
        int at = sectionEnd(header);
        while (at > header + 1 && m_lines.at(at - 1).trimmed().isEmpty())
            --at;
        m_lines.insert(at, entry);
    }
    save();
}

void KbrParametriFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

QByteArray KbrParametriFile::encoded(const QString& text) const
{
    return m_latin1 ? text.toLatin1() : text.toUtf8();
}

void KbrParametriFile::save() const
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        throw EZfError(QStringLiteral("Impossibile creare la cartella \"%1\".").arg(folder));
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) ||
        file.write(encoded(m_lines.join(u'\n') + u'\n')) < 0 || !file.commit())
        throw EZfError(
            QStringLiteral("Impossibile scrivere il file \"%1\": %2").arg(m_path, file.errorString()));
}

} // namespace cu
