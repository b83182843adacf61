// Start-up parameters from the settings file and their value check.
#include "foundation/installation/ParamManager.h"

#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/IniFile.h"
#include "foundation/operator/Errors.h"

#include <QDir>

namespace cu {

namespace {

const QString Section = QStringLiteral("Params");
const QString MainDirKey = QStringLiteral("MainDir");

QVariant typedValue(const QString& text)
{
    bool whole = false;
    const qlonglong number = text.toLongLong(&whole);
    return whole ? QVariant(number) : QVariant(text);
}

QString withSlash(const QString& path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace

ParamManager::ParamManager(const QString& mainDir)
    : m_mainDir(mainDir.isEmpty() ? QString() : withSlash(mainDir))
{
}

ParamManager ParamManager::fromFile(const QString& path, const Folders& folders)
{
    const IniFile ini = IniFile::read(path);
    const QString mainDir = ini.value(Section, MainDirKey);
    ParamManager params(mainDir.isEmpty() ? folders.root() : QDir(folders.root()).absoluteFilePath(mainDir));
    for (const QString& key : ini.keys(Section)) {
        if (key.compare(MainDirKey, Qt::CaseInsensitive) != 0)
            params.m_values.insert(key.toLower(), typedValue(ini.value(Section, key)));
    }
    return params;
}

ParamManager ParamManager::load(const Folders& folders)
{
    return fromFile(ConnectionSettings::settingsFile(folders), folders);
}

void ParamManager::requireStartupParameters(const QString& path)
{
    const IniFile ini = IniFile::read(path);
    if (!ini.exists())
        throw EZfError(QStringLiteral("File delle impostazioni non trovato: %1").arg(path));
    if (ini.isEmpty())
        throw EZfError(QStringLiteral("File delle impostazioni vuoto: %1").arg(path));
    for (const QString& key : {AnfId, AnsId, DwgId}) {
        const QString text = ini.value(Section, key).trimmed();
        const QString setting = QStringLiteral("%1, sezione [%2], impostazione %3").arg(path, Section, key);
        if (text.isEmpty())
            throw EZfError(QStringLiteral("%1: valore mancante.").arg(setting));
        bool whole = false;
        const qlonglong number = text.toLongLong(&whole);
        if (!whole || number < 1)
            throw EZfError(
                QStringLiteral("%1: valore \"%2\" non valido (atteso un numero intero maggiore di zero).")
                    .arg(setting, text));
    }
}

QVariant ParamManager::GetParams(const QString& key) const
{
    return m_values.value(key.toLower());
}

bool ParamManager::setParams(const QString& key, const QVariant& value)
{
    if (m_check && !m_check(key, value))
        return false;
    m_values.insert(key.toLower(), value);
    return true;
}

} // namespace cu
