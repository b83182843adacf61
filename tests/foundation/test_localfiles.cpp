// Local dataset files: the ".BAK" backup made while saving and the recovery
// from it when the file is missing or damaged.
#include "foundation/dataset/Dataset.h"
#include "foundation/dataset/LocalFiles.h"
#include "foundation/operator/Errors.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace cu;

namespace {

void makeTable(Dataset& ds, const QStringList& codes)
{
    ds.setFields(
        {{QStringLiteral("Codice"), FieldType::String, 10}, {QStringLiteral("Nota"), FieldType::Memo, 0}});
    ds.open();
    for (const QString& code : codes) {
        ds.append();
        ds.setValue(u"Codice", code);
        ds.setValue(u"Nota", QStringLiteral("nota ") + code);
        ds.post();
    }
}

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestLocalFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path;
    QString backup;

private slots:
    void init()
    {
        path = dir.filePath(QStringLiteral("TNOT_NOTE.cds"));
        backup = dir.filePath(QStringLiteral("TNOT_NOTE.BAK"));
        QFile::remove(path);
        QFile::remove(backup);
    }

    void backupNameReplacesTheExtension()
    {
        QCOMPARE(HlmCds::backupPath(QStringLiteral("/a/b/TFILE_FILETELEM.CDS")), "/a/b/TFILE_FILETELEM.BAK");
        QCOMPARE(HlmCds::backupPath(QStringLiteral("/a/b.c/noext")), "/a/b.c/noext.BAK");
    }

    void saveReplacesTheFileAndLeavesNoBackup()
    {
        Dataset first;
        makeTable(first, {"01", "02"});
        HlmCds::SaveFile(first, path);
        Dataset second;
        makeTable(second, {"03"});
        HlmCds::SaveFile(second, path);
        QVERIFY(!QFile::exists(backup));
        QVERIFY(!second.hasChanges());
        Dataset loaded;
        HlmCds::LoadFile(loaded, path);
        QCOMPARE(loaded.recordCount(), 1);
        QCOMPARE(loaded.asString(u"CODICE"), "03");
    }

    void missingFileIsRecoveredFromTheBackup()
    {
        Dataset table;
        makeTable(table, {"01"});
        HlmCds::SaveFile(table, path);
        QVERIFY(QFile::rename(path, backup)); // a save stopped after the rename
        Dataset loaded;
        HlmCds::LoadFile(loaded, path);
        QCOMPARE(loaded.asString(u"Nota"), "nota 01");
    }

    void damagedFileIsRecoveredFromTheBackup()
    {
        Dataset table;
        makeTable(table, {"01"});
        HlmCds::SaveFile(table, path);
        QVERIFY(QFile::copy(path, backup));
        writeRaw(path, "half a file");
        Dataset loaded;
        HlmCds::LoadFile(loaded, path);
        QCOMPARE(loaded.recordCount(), 1);
    }

    void damagedFileWithoutBackupNamesTheFile()
    {
        writeRaw(path, QByteArray(100, 'x'));
        Dataset loaded;
        try {
            HlmCds::LoadFile(loaded, path);
            QFAIL("loaded");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        }
        QVERIFY_THROWS_EXCEPTION(EZfError,
                                 HlmCds::LoadFile(loaded, dir.filePath(QStringLiteral("NONE.cds"))));
    }

    void unwritablePlaceIsAnErrorNamingTheFile()
    {
        Dataset table;
        makeTable(table, {"01"});
        const QString blocked = dir.filePath(QStringLiteral("missing-folder/TNOT_NOTE.cds"));
        try {
            HlmCds::SaveFile(table, blocked);
            QFAIL("saved");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(blocked), qPrintable(e.message()));
        }
    }

    void schemaBlobLoadsStructure()
    {
        Dataset table;
        makeTable(table, {"01"});
        Dataset target;
        makeTable(target, {"a", "b"});
        HlmCds::LoadSchema(table.schemaBytes(), target);
        QCOMPARE(target.fieldCount(), 2);
        QCOMPARE(target.recordCount(), 0);
        QVERIFY_THROWS_EXCEPTION(EZfError, HlmCds::LoadSchema(QByteArray("bad"), target));
    }
};

QTEST_GUILESS_MAIN(TestLocalFiles)
#include "test_localfiles.moc"
