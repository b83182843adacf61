// cdsconv: converts tables between the dataset file format (".cds") and CSV
// with a typed header, in both directions.
//   cdsconv to-cds in.csv out.cds
//   cdsconv to-csv in.cds out.csv
#include "foundation/dataset/CsvTable.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

int usage()
{
    std::fputs("uso: cdsconv to-cds in.csv out.cds\n"
               "     cdsconv to-csv in.cds out.csv\n",
               stderr);
    return 2;
}

void convert(const QString& direction, const QString& in, const QString& out)
{
    cu::Dataset table;
    if (direction == u"to-cds") {
        cu::CsvTable::readFile(in, table);
        table.saveToFile(out);
    } else {
        table.loadFromFile(in);
        cu::CsvTable::writeFile(table, out);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 3 || (args[0] != u"to-cds" && args[0] != u"to-csv"))
        return usage();
    try {
        convert(args[0], args[1], args[2]);
    } catch (const cu::Error& e) {
        std::fprintf(stderr, "cdsconv: %s\n", e.what());
        return 1;
    }
    return 0;
}
