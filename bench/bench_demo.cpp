// Time and memory of the demo archive's generator: builds archives of the
// given sizes (default 1,000, 10,000 and 100,000 persons) in fresh SQLite
// files and prints, for each, the persons, rows, seconds and the peak
// resident memory of the process so far.
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/ScriptedOperator.h"
#include "import/demo/DemoArchive.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/resource.h>

namespace {

long peakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void measure(qint64 people, QTextStream& out)
{
    QTemporaryDir folder;
    cu::Connection connection;
    cu::ConnectionParams params;
    params.database = folder.filePath(QStringLiteral("demo.sqlite"));
    connection.open(params);
    cu::test::createArchive(connection);
    auto catalogue = cu::test::projectCatalogue(folder.path(), connection);
    const cu::Folders installation(cu::test::buildRoot());
    cu::demo::DemoOptions options;
    options.people = people;
    cu::ScriptedOperator op;
    QElapsedTimer timer;
    timer.start();
    const cu::demo::DemoSummary summary =
        cu::demo::DemoArchive::write(connection, installation, *catalogue, options, op);
    const double seconds = timer.elapsed() / 1000.0;
    out << QStringLiteral("| %1 | %2 | %3 | %4 s | %5 MB |\n")
               .arg(summary.people)
               .arg(summary.registers)
               .arg(summary.rows)
               .arg(seconds, 0, 'f', 1)
               .arg(peakResidentKb() / 1024);
    out.flush();
    connection.close();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QList<qint64> sizes = {1000, 10000, 100000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.append(QString::fromLocal8Bit(argv[i]).toLongLong());
    }
    QTextStream out(stdout);
    out << "| Persons | Registers | Rows | Time | Peak memory |\n|---|---|---|---|---|\n";
    for (qint64 people : sizes)
        measure(people, out);
    return 0;
}
