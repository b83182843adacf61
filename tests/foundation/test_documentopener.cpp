// The document opener: programs run with their arguments (waited for when
// asked), documents and folders go to the opener command, missing targets
// are refused.
#include "foundation/operator/DocumentOpener.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace cu;

class TestDocumentOpener : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A shell script that writes its arguments, one a line, into record.
    QString writeRecorder(const QString& name, const QString& record, int exitCode = 0)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\" >> '%1'; done\nexit %2\n")
                       .arg(record)
                       .arg(exitCode)
                       .toUtf8());
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    static QStringList lines(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private slots:
    void runsProgramAndWaits()
    {
        const QString record = m_dir.filePath(QStringLiteral("run.txt"));
        DocumentOpener opener;
        opener.setDirectory(m_dir.path());
        opener.setFileName(QFileInfo(writeRecorder(QStringLiteral("aggiorna"), record, 3)).fileName());
        opener.setParams({QStringLiteral("\"paghe.sqlite\""), QStringLiteral("con spazio")});
        opener.setWaitEndOfProcess(true);
        QVERIFY(opener.execute());
        QCOMPARE(opener.exitCode(), 3);
        // Waited for: the record is complete when execute returns.
        QCOMPARE(lines(record),
                 (QStringList{QStringLiteral("\"paghe.sqlite\""), QStringLiteral("con spazio")}));
    }

    void documentsGoToTheOpener()
    {
        const QString record = m_dir.filePath(QStringLiteral("open.txt"));
        const QString opener = writeRecorder(QStringLiteral("apri"), record);
        const QString document = m_dir.filePath(QStringLiteral("stampa.pdf"));
        QFile file(document);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        DocumentOpener documentOpener(opener);
        documentOpener.setFileName(document);
        documentOpener.setWaitEndOfProcess(true);
        QVERIFY(documentOpener.execute());
        documentOpener.setFileName(m_dir.path());
        QVERIFY(documentOpener.execute());
        QCOMPARE(lines(record), (QStringList{document, QFileInfo(m_dir.path()).absoluteFilePath()}));
    }

    void missingTargetsAreRefused()
    {
        QVERIFY(
            !DocumentOpener::open(m_dir.filePath(QStringLiteral("manca.pdf")), QStringLiteral("/bin/true")));
        QVERIFY(!DocumentOpener::run(m_dir.filePath(QStringLiteral("manca")), {}, true));
        DocumentOpener broken(m_dir.filePath(QStringLiteral("opener-inesistente")));
        broken.setFileName(m_dir.path());
        broken.setWaitEndOfProcess(true);
        QVERIFY(!broken.execute());
    }
};

QTEST_GUILESS_MAIN(TestDocumentOpener)
#include "test_documentopener.moc"
