// Benchmark of the in-memory dataset on a million rows of ten mixed fields:
// building, saving, loading (with the memory it takes), ordering by two
// fields and filtering. The file is written by a child process so that the
// load is measured in a process whose heap holds nothing else.
//   bench_dataset [rows]
#include "foundation/dataset/Dataset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <random>

using namespace cu;

namespace {

QVector<FieldDef> benchFields()
{
    return {{QStringLiteral("SCODFIS"), FieldType::String, 16},
            {QStringLiteral("SCOGNOME"), FieldType::String, 40},
            {QStringLiteral("IAFIID"), FieldType::Integer, 0},
            {QStringLiteral("NMESE"), FieldType::SmallInt, 0},
            {QStringLiteral("LFLAG"), FieldType::Boolean, 0},
            {QStringLiteral("FIMPONIBILE"), FieldType::Currency, 0},
            {QStringLiteral("FRITENUTA"), FieldType::Currency, 0},
            {QStringLiteral("DNASCITA"), FieldType::Date, 0},
            {QStringLiteral("RPERC"), FieldType::Float, 0},
            {QStringLiteral("TAGGIORNATO"), FieldType::DateTime, 0}};
}

QString randomText(std::mt19937& random, int length)
{
    static const char letters[] = "ABCDEFGHILMNOPQRSTUVZ";
    QString text(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        text[i] = QChar(letters[random() % (sizeof letters - 1)]);
    return text;
}

void build(Dataset& ds, int rows)
{
    std::mt19937 random(20240630);
    ds.setFields(benchFields());
    ds.open();
    Dataset::HookSuspension quiet(ds);
    const QDateTime stamp(QDate(2025, 1, 15), QTime(8, 30));
    for (int row = 0; row < rows; ++row) {
        ds.append();
        ds.setValue(0, randomText(random, 16));
        ds.setValue(1, randomText(random, 6 + int(random() % 14)));
        ds.setValue(2, qint64(row + 1));
        ds.setValue(3, int(1 + random() % 12));
        ds.setValue(4, bool(random() % 2));
        ds.setValue(5, QVariant::fromValue(Currency::fromRaw(qint64(random() % 1000000000))));
        if (row % 3 != 0)
            ds.setValue(6, QVariant::fromValue(Currency::fromRaw(qint64(random() % 100000000))));
        ds.setValue(7, QDate(1950, 1, 1).addDays(qint64(random() % 20000)));
        ds.setValue(8, double(random() % 10000) / 100.0);
        ds.setValue(9, stamp.addSecs(qint64(random() % 1000000)));
        ds.post();
    }
    ds.mergeChangeLog();
}

qint64 statusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Wall-clock and processor time of one step. The machine is shared, so the
// processor time tells the work done when the wall clock is inflated by
// other loads.
class Step
{
public:
    Step() { restart(); }
    void restart()
    {
        m_wall.start();
        m_cpu = cpuMs();
    }
    void report(const char* what, qint64 limitMs) const
    {
        const qint64 wall = m_wall.elapsed();
        const qint64 cpu = cpuMs() - m_cpu;
        std::printf("%-34s %7lld ms wall %7lld ms cpu  (limit %lld ms) %s\n", what,
                    static_cast<long long>(wall), static_cast<long long>(cpu),
                    static_cast<long long>(limitMs),
                    limitMs <= 0 ? "" : (std::min(wall, cpu) <= limitMs ? "ok" : "OVER"));
        std::fflush(stdout);
    }

private:
    static qint64 cpuMs()
    {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    }
    QElapsedTimer m_wall;
    qint64 m_cpu = 0;
};

// Child: builds the dataset and writes the file.
int writeFile(const QString& path, int rows)
{
    Dataset ds;
    Step step;
    build(ds, rows);
    step.report("build through setValue/post", 0);
    step.restart();
    ds.saveToFile(path);
    step.report("save to file", 2000);
    return 0;
}

int measure(const QString& program, int rows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BENCH.cds"));
    std::printf("Dataset of %d rows x %lld fields\n", rows, static_cast<long long>(benchFields().size()));
    std::fflush(stdout);
    if (QProcess::execute(program, {QStringLiteral("--write"), path, QString::number(rows)}) != 0)
        return 1;
    const qint64 fileBytes = QFileInfo(path).size();

    const qint64 rssBefore = statusKb("VmRSS:");
    Dataset ds;
    Step step;
    ds.loadFromFile(path);
    step.report("load from file", 2000);
    const qint64 rssAfter = statusKb("VmRSS:");
    const double ratio = double(rssAfter - rssBefore) * 1024.0 / double(fileBytes);
    std::printf("%-34s %.1f MB file, %.1f MB resident after load (%.2f x file; limit 4 x) %s\n", "memory",
                double(fileBytes) / 1e6, double(rssAfter - rssBefore) * 1024.0 / 1e6, ratio,
                ratio <= 4.0 ? "ok" : "OVER");
    std::printf("%-34s %.1f MB (file bytes and rows together)\n", "peak resident while loading",
                double(statusKb("VmHWM:") - rssBefore) * 1024.0 / 1e6);

    step.restart();
    ds.setIndexFieldNames(QStringLiteral("SCOGNOME;FIMPONIBILE"));
    step.report("order by SCOGNOME;FIMPONIBILE", 2000);
    step.restart();
    ds.setIndexFieldNames(QStringLiteral("NMESE;DNASCITA"));
    step.report("order by NMESE;DNASCITA", 2000);
    ds.setIndexFieldNames(QString());

    step.restart();
    ds.setFilter(QStringLiteral("NMESE = 6 AND FIMPONIBILE > 50000.00"));
    step.report("filter NMESE = 6 AND FIMPONIBILE >", 500);
    std::printf("%-34s %7d rows\n", "  visible", ds.recordCount());
    step.restart();
    ds.setFilter(QStringLiteral("SCODFIS = 'ABCDEFGHILMNOPQR' OR SCOGNOME >= 'ZZ'"));
    step.report("filter on two text fields", 500);
    std::printf("%-34s %7d rows\n", "  visible", ds.recordCount());
    step.restart();
    ds.setFilter(QStringLiteral("SCODFIS + NMESE = 'ABCDEFGHILMNOPQR6'"));
    step.report("filter on joined fields", 500);
    ds.setFilter(QString());

    step.restart();
    ds.saveToFile(path);
    step.report("save again (loaded dataset)", 2000);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == u"--write")
        return writeFile(args[2], args[3].toInt());
    const int rows = args.size() > 1 ? args[1].toInt() : 1000000;
    return measure(app.applicationFilePath(), rows > 0 ? rows : 1000000);
}
