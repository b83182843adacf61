// telematic-layouts: writes the seven layout files of the telematic file
// (Record_A.xml ... Record_Z.xml) from the positional tables of this tool
// and the schema file of the certificate tables.
//   telematic-layouts SCHEMA_FILE OUTPUT_FOLDER
#include "CodedLayouts.h"
#include "PositionalLayouts.h"

#include "foundation/operator/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

using namespace cu;

namespace {

void write(const RecordLayout& layout, const QString& folder, const char* name, QTextStream& out)
{
    layout.save(QDir(folder).filePath(QString::fromLatin1(name)));
    int coded = 0;
    for (const LayoutSection& s : layout.sections())
        for (const LayoutField& f : s.fields)
            coded += f.isCoded() ? 1 : 0;
    out << name << ": " << layout.sections().size() << " sezioni, " << coded << " campi codificati, "
        << layout.totalWidth() << " caratteri\n";
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2) {
        err << "Uso: telematic-layouts FILE_SCHEMA CARTELLA_TRACCIATI\n";
        return 2;
    }
    try {
        const CertificateSchema schema = CertificateSchema::load(args[0]);
        QDir().mkpath(args[1]);
        QStringList warnings;
        write(layouts::recordA(), args[1], "Record_A.xml", out);
        write(layouts::recordB(), args[1], "Record_B.xml", out);
        write(layouts::recordC(schema, warnings), args[1], "Record_C.xml", out);
        write(layouts::recordD(schema, warnings), args[1], "Record_D.xml", out);
        write(layouts::recordG(schema, warnings), args[1], "Record_G.xml", out);
        write(layouts::recordH(schema, warnings), args[1], "Record_H.xml", out);
        write(layouts::recordZ(), args[1], "Record_Z.xml", out);
        for (const QString& w : warnings)
            err << "Avviso: " << w << '\n';
    } catch (const Error& e) {
        err << e.message() << '\n';
        return 1;
    }
    return 0;
}
