// Opens a document or a folder with the system's default program, or runs a
// program with arguments, optionally waiting for it to end (the external
// update program is waited for; documents are not). The default program is
// reached through a command ("xdg-open" on Linux, "open" on macOS), so that
// the engine needs no graphical library.
#pragma once

#include <QString>
#include <QStringList>

namespace cu {

class DocumentOpener
{
public:
    // opener: the command that opens a document with its default program;
    // empty means the platform's.
    explicit DocumentOpener(const QString& opener = QString());

    void setDirectory(const QString& directory) { m_directory = directory; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    void setParams(const QStringList& params) { m_params = params; }
    void setWaitEndOfProcess(bool wait) { m_wait = wait; }

    // An executable file runs with the parameters; any other file or folder
    // is handed to the opener. Returns whether the program could start (and,
    // when waiting, ended normally); a missing file or folder gives false.
    bool execute();
    // The exit code of the program waited for, -1 otherwise.
    int exitCode() const { return m_exitCode; }

    // Shorthands.
    static bool open(const QString& path, const QString& opener = QString());
    static bool run(const QString& program, const QStringList& arguments, bool waitForEnd);

    static QString platformOpener();

private:
    bool start(const QString& program, const QStringList& arguments);

    QString m_opener;
    QString m_directory;
    QString m_fileName;
    QStringList m_params;
    bool m_wait = false;
    int m_exitCode = -1;
};

} // namespace cu
