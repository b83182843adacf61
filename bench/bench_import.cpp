// Import of the demo archive on SQLite: time and peak memory for a number
// of persons (default 1,000 and 10,000), each on a fresh database file.
// Usage: bench_import [PERSONS ...]
#include "../tests/import/DemoImport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

using namespace cu;
using namespace cu::test;

namespace {

// Resident set size now and at its peak, in MiB (Linux /proc).
QPair<double, double> memoryMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    double now = 0, peak = 0;
    if (status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString& line : QString::fromLatin1(status.readAll()).split(u'\n')) {
            const QStringList parts = line.simplified().split(u' ');
            if (parts.size() >= 2 && parts[0] == u"VmRSS:")
                now = parts[1].toDouble() / 1024;
            if (parts.size() >= 2 && parts[0] == u"VmHWM:")
                peak = parts[1].toDouble() / 1024;
        }
    }
    return {now, peak};
}

void run(qint64 people, QTextStream& out)
{
    QTemporaryDir dir;
    ConnectionParams params;
    params.database = dir.filePath(QStringLiteral("bench.sqlite"));
    Connection connection;
    connection.open(params);
    {
        DemoImport demo(connection);
        QElapsedTimer timer;
        timer.start();
        demo.createArchive(people);
        const qint64 createMs = timer.restart();
        const auto before = memoryMiB();
        ImportParameters p;
        p.overwrite = OverwritePolicy::Always;
        const ImportOutcome outcome = demo.import(p);
        const qint64 importMs = timer.elapsed();
        const auto after = memoryMiB();
        out << QStringLiteral("%1 persone: archivio %2 s, importazione %3 s (%4 ms/persona), "
                              "%5 modelli, %6 con errori; RSS %7 -> %8 MiB, picco %9 MiB\n")
                   .arg(people)
                   .arg(createMs / 1000.0, 0, 'f', 1)
                   .arg(importMs / 1000.0, 0, 'f', 1)
                   .arg(double(importMs) / double(std::max<qint64>(1, outcome.listed)), 0, 'f', 2)
                   .arg(outcome.imported)
                   .arg(outcome.failed)
                   .arg(before.first, 0, 'f', 0)
                   .arg(after.first, 0, 'f', 0)
                   .arg(after.second, 0, 'f', 0)
            << Qt::flush;
    }
    connection.close();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QList<qint64> counts;
    for (const QString& arg : app.arguments().mid(1))
        counts.append(arg.toLongLong());
    if (counts.isEmpty())
        counts = {1000, 10000};
    try {
        for (qint64 people : counts)
            run(people, out);
    } catch (const Error& e) {
        out << "errore: " << e.message() << '\n';
        return 1;
    }
    return 0;
}
