// Field-value store on SQLite: saves 10,000 certificates (about 60 stored
// values each, two INPS rows each, one transaction per person as the import
// runs), then opens TCUD_DATICUD with all of them and compares that with a
// bare forward-only read of the same joined rows. Prints the figures kept in
// docs/performance.md.
#include "certificates/CertificateKey.h"
#include "certificates/CertificateSchema.h"
#include "certificates/CertificateStore.h"
#include "certificates/StoreInstaller.h"
#include "foundation/database/Connection.h"
#include "foundation/database/StoreStatement.h"
#include "foundation/dataset/Dataset.h"
#include "store/HlmDBCds.h"
#include "store/StoreReader.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

using namespace cu;

namespace {

constexpr int Certificates = 10000;

qint64 peakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// The amount columns of the fiscal part that the certificates fill.
QStringList amountColumns(const TableSchema& table, int count)
{
    QStringList names;
    for (const ColumnSchema& c : table.columns) {
        if (c.typeLetter == u'F' && c.part == u"fiscali" && names.size() < count)
            names.append(c.name);
    }
    return names;
}

void fillCertificate(Dataset& list, CertificateStore& store, const QStringList& amounts, int n)
{
    store.appendCertificate(list, QStringLiteral("12"), n % 2 == 0);
    list.setValue(u"SCUDCODFIS", QStringLiteral("CF%1").arg(n, 14, 10, QLatin1Char('0')));
    list.setValue(u"SCUDCOGNOME", QStringLiteral("COGNOME%1").arg(n));
    list.setValue(u"SCUDNOME", QStringLiteral("NOME%1").arg(n % 97));
    list.setValue(u"SCUDSEX", n % 2 ? QStringLiteral("M") : QStringLiteral("F"));
    list.setValue(u"DCUDDATANAS", QDate(1960, 1, 1).addDays(n));
    list.setValue(u"SCUDCOMNAS", QStringLiteral("ROMA"));
    list.setValue(u"SCUDPROVNAS", QStringLiteral("RM"));
    list.setValue(u"DCUDDATIANADATA", QDate(2025, 3, 1));
    list.setValue(u"SCUDANNOFIN", QStringLiteral("2024"));
    list.setValue(u"LCUDIMPORTATO", QStringLiteral("X"));
    for (int i = 0; i < amounts.size(); ++i)
        list.setValue(amounts[i], QVariant::fromValue(Currency::fromRaw(qint64(n) * 10000 + i * 1234 + 1)));
    list.post();
}

void fillInps(Dataset& inps, const Dataset& list, int row)
{
    inps.append();
    CertificateStore::linkToCertificate(inps, list);
    inps.setValue(u"SCUDMATRAZIENDA", QStringLiteral("MATR%1").arg(row));
    inps.setValue(u"FCUDIMPONIBILE", QVariant::fromValue(Currency::fromUnits(20000 + row)));
    inps.setValue(u"FCUDCONTRIBTRATT", QVariant::fromValue(Currency::fromRaw(18235555)));
    inps.setValue(u"LCUDENTEINPS", QStringLiteral("X"));
    for (const char* month : {"GENNAIO", "FEBBRAIO", "MARZO", "APRILE", "MAGGIO", "GIUGNO", "LUGLIO", "AGOSTO",
                              "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"})
        inps.setValue(QStringLiteral("LCUD") + QLatin1String(month), QStringLiteral("X"));
    inps.post();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir folder;
    ConnectionParams params;
    params.database = folder.filePath(QStringLiteral("store.sqlite"));
    Connection connection;
    connection.open(params);
    const CertificateSchema schema =
        CertificateSchema::load(cu::test::sourceRoot() + QStringLiteral("/resources/USR/FJ2024/Res/Schema/eli.xml"));
    StoreInstaller::install(connection, schema);
    HlmDBCds store(connection);
    store.setProgramme(QStringLiteral("eli"));
    store.setYear(2024);
    store.setMonth(-1);
    CertificateStore certificates(store, schema);
    const QStringList amounts = amountColumns(*schema.table(u"TCUD_DATICUD"), 25);

    Dataset list;
    Dataset inps;
    certificates.openCertificates(list);
    list.setIndexFieldNames(QString());
    certificates.openSection(inps, QStringLiteral("TCUDI_INPS"), -1);
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < Certificates; ++n) {
        Transaction person(connection);
        fillCertificate(list, certificates, amounts, n);
        certificates.saveCertificate(list);
        fillInps(inps, list, 2 * n);
        fillInps(inps, list, 2 * n + 1);
        certificates.saveSection(inps, QStringLiteral("TCUDI_INPS"), list);
        person.commit();
    }
    const qint64 saveMs = timer.elapsed();
    StoreStatement counts(connection, QStringLiteral("SELECT COUNT(*) FROM tfis_datifiscali WHERE icdsid ="
                                                     " (SELECT icdsid FROM tcds_struttura WHERE scdsnome = ?)"));
    const qint64 certificateValues = counts.scalar({QStringLiteral("TCUD_DATICUD")}).toLongLong();
    const qint64 inpsValues = counts.scalar({QStringLiteral("TCUDI_INPS")}).toLongLong();

    Dataset reread;
    timer.restart();
    store.open(reread, QStringLiteral("TCUD_DATICUD"));
    const qint64 openMs = timer.elapsed();

    // The same rows, read bare: forward only, every column touched.
    StoreStatement id(connection, QStringLiteral("SELECT icdsid FROM tcds_struttura WHERE scdsnome = 'TCUD_DATICUD'"));
    const qlonglong structure = id.scalar({}).toLongLong();
    timer.restart();
    QSqlQuery bare(connection.database());
    bare.setForwardOnly(true);
    bare.prepare(storeRowsSql(false));
    for (const QVariant& v : QVariantList{2024, -1, -1, QStringLiteral("eli"), structure})
        bare.addBindValue(v);
    bare.exec();
    qint64 rows = 0;
    qint64 touched = 0;
    while (bare.next()) {
        ++rows;
        for (int c = 0; c < 12; ++c)
            touched += bare.value(c).isNull() ? 0 : 1;
    }
    const qint64 bareMs = timer.elapsed();

    out << "certificates saved:        " << Certificates << " (" << certificateValues << " certificate values, "
        << inpsValues << " INPS values)\n"
        << "save time:                 " << saveMs << " ms\n"
        << "open TCUD_DATICUD:         " << openMs << " ms, " << reread.recordCount() << " rows\n"
        << "bare forward-only read:    " << bareMs << " ms, " << rows << " rows (" << touched << " values)\n"
        << "open / bare:               " << QString::number(double(openMs) / qMax<qint64>(1, bareMs), 'f', 2) << '\n'
        << "peak memory:               " << peakMemoryKb() / 1024 << " MB\n";
    return reread.recordCount() == Certificates ? 0 : 1;
}
