// Starting documents and programs through QProcess.
#include "foundation/operator/DocumentOpener.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace cu {

DocumentOpener::DocumentOpener(const QString& opener) : m_opener(opener.isEmpty() ? platformOpener() : opener)
{
}

QString DocumentOpener::platformOpener()
{
#if defined(Q_OS_MACOS)
    return QStringLiteral("open");
#else
    return QStringLiteral("xdg-open");
#endif
}

bool DocumentOpener::execute()
{
    m_exitCode = -1;
    const QString path = m_directory.isEmpty() ? m_fileName : QDir(m_directory).filePath(m_fileName);
    const QFileInfo target(path);
    if (!target.exists())
        return false;
    if (target.isFile() && target.isExecutable())
        return start(target.absoluteFilePath(), m_params);
    return start(m_opener, QStringList{target.absoluteFilePath()});
}

bool DocumentOpener::start(const QString& program, const QStringList& arguments)
{
    if (!m_wait)
        return QProcess::startDetached(program, arguments, m_directory);
    QProcess process;
    if (!m_directory.isEmpty())
        process.setWorkingDirectory(m_directory);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return false;
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit)
        return false;
    m_exitCode = process.exitCode();
    return true;
}

bool DocumentOpener::open(const QString& path, const QString& opener)
{
    DocumentOpener documentOpener(opener);
    documentOpener.setFileName(path);
    return documentOpener.execute();
}

bool DocumentOpener::run(const QString& program, const QStringList& arguments, bool waitForEnd)
{
    DocumentOpener documentOpener;
    documentOpener.setFileName(program);
    documentOpener.setParams(arguments);
    documentOpener.setWaitEndOfProcess(waitForEnd);
    return documentOpener.execute();
}

} // namespace cu
