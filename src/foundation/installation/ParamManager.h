// The framework's start-up parameters: "ZFUP_AnfId" (financial-year id),
// "ZFUP_AnsId" (school-year id), "ZFUP_DwgId" (site id) and the main folder,
// read from the section [Params] of the settings file (etc/modellocu.ini;
// "MainDir", relative paths taken from the installation root, defaults to
// the root). Keys are compared without regard to case. An edited value
// passes the value-check hook before it is kept.
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>

namespace cu {

class Folders;

class ParamManager
{
public:
    // Receives the key and the candidate value; returns whether to accept it.
    using CheckValue = std::function<bool(const QString& key, const QVariant& candidate)>;

    static inline const QString AnfId = QStringLiteral("ZFUP_AnfId");
    static inline const QString AnsId = QStringLiteral("ZFUP_AnsId");
    static inline const QString DwgId = QStringLiteral("ZFUP_DwgId");

    explicit ParamManager(const QString& mainDir = QString());

    // Reads [Params] of the settings file (missing file: nothing read).
    // Whole numbers become integers; other values stay texts.
    static ParamManager fromFile(const QString& path, const Folders& folders);
    static ParamManager load(const Folders& folders); // etc/modellocu.ini
    // The settings file must exist, hold something, and give each start-up
    // parameter (AnfId, AnsId, DwgId) as a whole number from 1: without them
    // a run selects no year or no site and would end having done nothing.
    // Otherwise an EZfError naming the file and the setting.
    static void requireStartupParameters(const QString& path);

    // The value of a key, a null QVariant when the key is missing.
    QVariant GetParams(const QString& key) const;
    // Keeps value when the hook accepts it (or no hook is set); returns
    // whether it was kept.
    bool setParams(const QString& key, const QVariant& value);
    void setCheckValue(CheckValue hook) { m_check = std::move(hook); }

    // The program folder (GetMainDir), with a trailing '/'.
    const QString& mainDir() const { return m_mainDir; }

private:
    QString m_mainDir;
    QHash<QString, QVariant> m_values; // by lower-case key
    CheckValue m_check;
};

} // namespace cu
