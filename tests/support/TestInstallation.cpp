// The installation of the tests.
#include "support/TestInstallation.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "support/TestSupport.h"

#include <QDirIterator>

using namespace Qt::StringLiterals;

namespace cu::test {

TestInstallation::TestInstallation() : m_folders(m_dir.path())
{
    const QString from = Folders(buildRoot()).res();
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = m_folders.res() + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            qFatal("cannot copy %s", qPrintable(source));
    }
}

void TestInstallation::writeNotes(const QStringList& codes)
{
    Dataset notes;
    notes.setFields({{u"CODICE"_s, FieldType::String, 10}, {u"Nota"_s, FieldType::String, 200}});
    notes.open();
    for (const QString& code : codes)
        appendRow(notes, {{u"CODICE"_s, code}, {u"Nota"_s, u"Nota "_s + code}});
    notes.saveToFile(Folders::resolve(m_folders.tabelle(), u"TNOT_NOTE.cds"_s));
}

void TestInstallation::installCatalogue(const Connection& connection)
{
    QDir().mkpath(m_folders.etcKbr());
    projectCatalogue(m_folders.etcKbr(), connection);
    QFile::copy(sourceRoot() + u"/resources/etc/kbr/kbr_Report.xml"_s,
                m_folders.etcKbr() + u"kbr_Report.xml"_s);
}

} // namespace cu::test
