// The inputs the fuzz targets (fuzz/) found faulty, kept in data/fuzz/ and
// fed to the same readers: a record layout is refused with a message naming
// its file, a supply file is read and shown with its defects listed. The
// name says which: layout-<binding>-<what>.xml, supply-<what>.txt.
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"
#include "support/TestSupport.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/TelematicViewer.h"
#include "telematic/layouts/FileLayouts.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace cu;

namespace {

LayoutBinding bindingOf(QChar letter)
{
    switch (letter.toLatin1()) {
    case 'A':
        return LayoutBinding::A;
    case 'B':
        return LayoutBinding::B;
    case 'G':
        return LayoutBinding::G;
    case 'H':
        return LayoutBinding::H;
    case 'Z':
        return LayoutBinding::Z;
    default:
        return LayoutBinding::E;
    }
}

void checkLayout(const QString& path, LayoutBinding binding)
{
    try {
        const RecordLayout layout = RecordLayout::load(path, binding);
        FileLayouts::positionedFields(layout);
        QFAIL("layout accepted");
    } catch (const EZfError& e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
}

void checkSupply(const QString& path)
{
    const FileLayouts layouts(Folders(test::sourceRoot() + u"/resources"_s));
    QVERIFY(!TelematicVerifier(layouts).verify(path).ok());
    TelematicViewer(layouts).read(path);
}

} // namespace

class TestFuzzInputs : public QObject
{
    Q_OBJECT

private slots:
    void keptInputsAreRefused_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(test::sourceRoot() + u"/tests/telematic/data/fuzz"_s);
        for (const QFileInfo& file : dir.entryInfoList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(file.fileName())) << file.filePath();
    }
    void keptInputsAreRefused()
    {
        QFETCH(QString, path);
        const QString name = QFileInfo(path).fileName();
        if (name.startsWith(u"layout-"))
            checkLayout(path, bindingOf(name.at(7)));
        else if (name.startsWith(u"supply-"))
            checkSupply(path);
        else
            QFAIL("kept input of unknown kind");
    }
};

QTEST_GUILESS_MAIN(TestFuzzInputs)
#include "test_fuzz_inputs.moc"
