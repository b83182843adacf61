// Reading and writing the producer's fiscal code in the settings file.
#include "telematic/ProducerSetting.h"

#include "certificates/checks/FiscalCode.h"
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/IniFile.h"
#include "foundation/operator/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace cu {

namespace {

const QString Section = QStringLiteral("Fornitura");
const QString Key = QStringLiteral("CodiceFiscaleProduttore");

QString where(const QString& path)
{
    return QStringLiteral("%1, sezione [%2], chiave %3").arg(path, Section, Key);
}

void requireValid(const QString& code, const QString& path)
{
    const QString defect = fiscalCodeDefect(code);
    if (!defect.isEmpty())
        throw EZfError(QStringLiteral("Codice fiscale del produttore del software \"%1\" non valido (%2): "
                                      "correggerlo in %3")
                           .arg(code, defect, where(path)));
}

bool isSectionLine(const QString& line)
{
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(u'[') && trimmed.endsWith(u']');
}

bool isKeyLine(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    return equals > 0 && line.left(equals).trimmed().compare(Key, Qt::CaseInsensitive) == 0;
}

// The file's lines with the key set in its section, which is added when missing.
QStringList withKey(QStringList lines, const QString& code)
{
    const QString keyLine = Key + QStringLiteral(" = ") + code;
    qsizetype section = -1;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (isSectionLine(lines[i]) &&
            lines[i].trimmed().mid(1).chopped(1).trimmed().compare(Section, Qt::CaseInsensitive) == 0)
            section = i;
    if (section < 0) {
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
            lines.removeLast();
        if (!lines.isEmpty())
            lines << QString();
        lines << u'[' + Section + u']' << keyLine;
        return lines;
    }
    qsizetype end = section + 1;
    for (; end < lines.size() && !isSectionLine(lines[end]); ++end)
        if (isKeyLine(lines[end])) {
            lines[end] = keyLine;
            return lines;
        }
    lines.insert(section + 1, keyLine);
    return lines;
}

} // namespace

QString producerFiscalCode(const Folders& folders)
{
    const QString path = ConnectionSettings::settingsFile(folders);
    const QString code = IniFile::read(path).value(Section, Key).trimmed().toUpper();
    if (code.isEmpty())
        throw EZfError(QStringLiteral("Codice fiscale del produttore del software mancante: indicarlo in %1, "
                                      "impossibile procedere!")
                           .arg(where(path)));
    requireValid(code, path);
    return code;
}

bool hasProducerFiscalCode(const Folders& folders)
{
    return !IniFile::read(ConnectionSettings::settingsFile(folders)).value(Section, Key).trimmed().isEmpty();
}

void setProducerFiscalCode(const Folders& folders, const QString& code)
{
    const QString path = ConnectionSettings::settingsFile(folders);
    requireValid(code, path);
    QStringList lines;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly | QIODevice::Text))
            throw EZfError(QStringLiteral("Impossibile leggere il file di impostazioni %1: %2")
                               .arg(path, existing.errorString()));
        lines = QString::fromUtf8(existing.readAll()).split(u'\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        throw EZfError(QStringLiteral("Impossibile scrivere il file di impostazioni %1: %2")
                           .arg(path, file.errorString()));
    file.write((withKey(lines, code).join(u'\n') + u'\n').toUtf8());
    if (!file.commit())
        throw EZfError(QStringLiteral("Impossibile scrivere il file di impostazioni %1: %2")
                           .arg(path, file.errorString()));
}

} // namespace cu
