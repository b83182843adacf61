// The payroll parameter file: values per financial year, missing keys, and
// the rest of the file kept as it was.
#include "foundation/database/Connection.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/HlmAnno.h"
#include "foundation/installation/KbrParametri.h"
#include "foundation/installation/KbrParametriFile.h"
#include "foundation/operator/Errors.h"
#include "support/TestDatabases.h"
#include "support/YearTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace cu;
using cu::test::TestDatabase;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestKbrParametri : public QObject
{
    Q_OBJECT

private slots:
    void roundTripPerYear_data() { cu::test::TestDatabases::addEngineColumns(); }
    void roundTripPerYear()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        Connection connection;
        connection.open(db.params());
        cu::test::createYearTables(connection);
        QTemporaryDir root;
        const Folders folders(root.path());

        HlmAnnoFinanziario year(connection, nullptr);
        KbrParametri params(folders, year);
        QVERIFY_THROWS_EXCEPTION(EAssertion,
                                 params.CurrentId()); // no year loaded yet
        year.LoadYearText(QStringLiteral("2024"));
        QCOMPARE(params.section(), QStringLiteral("LIQ_CORRENTE2024"));
        QCOMPARE(params.filePath(), root.path() + QStringLiteral("/usr/kbr/KbrPar.ini"));

        // No file, no folder: every key reads 0.
        QCOMPARE(params.CurrentId(), 0);
        QCOMPARE(params.CurrentMonth(), 0);
        QCOMPARE(params.CurrentGroup(), 0);

        params.setCurrentId(3105);
        params.setCurrentMonth(12);
        params.setCurrentGroup(2);
        QCOMPARE(params.CurrentId(), 3105);
        QCOMPARE(params.CurrentMonth(), 12);
        QCOMPARE(params.CurrentGroup(), 2);
        QCOMPARE(readAll(params.filePath()), QByteArray("[LIQ_CORRENTE2024]\nID=3105\nMESE=12\nGRUPPO=2\n"));

        // Another year has its own section; the first one stays.
        year.LoadYearText(QStringLiteral("2025"));
        QCOMPARE(params.CurrentId(), 0);
        params.setCurrentMonth(1);
        year.LoadYearText(QStringLiteral("2024"));
        QCOMPARE(params.CurrentMonth(), 12);
        year.LoadYearText(QStringLiteral("2025"));
        QCOMPARE(params.CurrentMonth(), 1);
        connection.close();
    }

    void otherContentIsKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("KbrPar.ini"));
        writeAll(path, "; impostazioni\r\n[Generale]\r\nNome=Scuola "
                       "Città\r\n\r\n[liq_corrente2024]\r\nmese=05\r\n"
                       "ID=abc\r\n\r\n[Altro]\r\nX=1,2\r\n");
        KbrParametriFile ini(path);
        QCOMPARE(ini.readInteger(QStringLiteral("LIQ_CORRENTE2024"), QStringLiteral("MESE")), 5);
        QCOMPARE(ini.readInteger(QStringLiteral("LIQ_CORRENTE2024"), QStringLiteral("ID")),
                 0); // not a number
        QCOMPARE(ini.readString(QStringLiteral("Generale"), QStringLiteral("Nome")),
                 QStringLiteral("Scuola Città"));
        ini.writeInteger(QStringLiteral("LIQ_CORRENTE2024"), QStringLiteral("MESE"), 6);
        ini.writeInteger(QStringLiteral("LIQ_CORRENTE2024"), QStringLiteral("GRUPPO"), 1);
        QCOMPARE(readAll(path), QByteArray("; impostazioni\n[Generale]\nNome=Scuola "
                                           "Città\n\n[liq_corrente2024]\nMESE=6\n"
                                           "ID=abc\nGRUPPO=1\n\n[Altro]\nX=1,2\n"));
    }

    void latin1FileStaysLatin1()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("KbrPar.ini"));
        writeAll(path, "[Generale]\nNome=Citt\xe0\n");
        KbrParametriFile ini(path);
        QCOMPARE(ini.readString(QStringLiteral("Generale"), QStringLiteral("Nome")), QStringLiteral("Città"));
        ini.writeInteger(QStringLiteral("LIQ_CORRENTE2024"), QStringLiteral("ID"), 7);
        QCOMPARE(readAll(path), QByteArray("[Generale]\nNome=Citt\xe0\n\n[LIQ_CORRENTE2024]\nID=7\n"));
    }

    void unwritableFileIsReported()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("file"));
        writeAll(blocker, "x");
        KbrParametriFile ini(blocker + QStringLiteral("/KbrPar.ini")); // its folder is a file
        QVERIFY_THROWS_EXCEPTION(EZfError, ini.writeInteger(QStringLiteral("S"), QStringLiteral("K"), 1));
    }
};

QTEST_GUILESS_MAIN(TestKbrParametri)
#include "test_kbrparametri.moc"
