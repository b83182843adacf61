// Installation folders and case-insensitive resolution of resource names.
#include "foundation/installation/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace cu {

namespace {

QString withSlash(const QString& path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace

Folders::Folders(const QString& root)
{
    if (!root.isEmpty()) {
        m_root = withSlash(QDir(root).absolutePath());
    } else {
        QDir dir(QCoreApplication::applicationDirPath());
        dir.cdUp();
        m_root = withSlash(dir.absolutePath());
    }
}

QString Folders::res() const { return m_root + QStringLiteral("USR/FJ2024/Res/"); }
QString Folders::tabelle() const { return res() + QStringLiteral("Tabelle/"); }
QString Folders::filetel() const { return res() + QStringLiteral("filetel/"); }
QString Folders::stp() const { return m_root + QStringLiteral("USR/FJ2024/Stp/"); }
QString Folders::dichCU() const { return m_root + QStringLiteral("USR/FJ2024/DichCU/"); }
QString Folders::fjDati() const { return m_root + QStringLiteral("USR/FJDati/FJ2024/"); }
QString Folders::etcKbr() const { return m_root + QStringLiteral("etc/kbr/"); }
QString Folders::usrKbr() const { return m_root + QStringLiteral("usr/kbr/"); }
QString Folders::etc() const { return m_root + QStringLiteral("etc/"); }

QString Folders::resolve(const QString& folder, const QString& fileName)
{
    const QString dirPath = withSlash(folder);
    if (QFileInfo::exists(dirPath + fileName))
        return dirPath + fileName;
    const QStringList entries = QDir(dirPath).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dirPath + entry;
    }
    return dirPath + fileName;
}

bool IsDevelopmentMode(const Folders& folders)
{
    const QString eli = Folders::resolve(folders.etc(), QStringLiteral("eli"));
    return QFileInfo(Folders::resolve(eli + u'/', QStringLiteral("dev"))).isFile();
}

} // namespace cu
