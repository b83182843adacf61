// querycatalogue: builds the signed query catalogue from its XML sources.
//   querycatalogue build <out.cds> <source.xml>...
// writes out.cds and its signature file out.unxc; any fault in the sources
// (including a statement defined twice) stops the build with its message.
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/operator/Errors.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3 || args.first() != u"build") {
        err << "Uso: querycatalogue build <catalogo.cds> <sorgente.xml>...\n";
        return 2;
    }
    try {
        cu::HlmQueryText catalogue;
        catalogue.BuildFromSource(args.mid(2), args.at(1));
        QTextStream(stdout) << "Catalogo query: " << catalogue.records().recordCount() << " righe in "
                            << args.at(1) << '\n';
        return 0;
    } catch (const cu::Error& e) {
        err << e.message() << '\n';
        return 1;
    }
}
