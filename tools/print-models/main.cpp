// print-models: draws the PDF models that Modello CU ships ("CU2025_mod.pdf",
// "CU2025_mod_ord.pdf", "firme.pdf", "CU_2025_istruz.pdf") and writes the
// layout files that fill them, all from geometry.xml and the schema file.
// Usage: print-models GEOMETRY.xml SCHEMA.xml OUTPUT-FOLDER
#include "ModelBuilder.h"

#include "foundation/operator/Errors.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QHashFunctions>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // Attributes are written in the same order on every run.
    QHashSeed::setDeterministicGlobalSeed();
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 3) {
        err << "Uso: print-models GEOMETRIA.xml SCHEMA.xml CARTELLA\n";
        return 2;
    }
    QFile file(args[0]);
    QDomDocument geometry;
    QString message;
    int line = 0;
    if (!file.open(QIODevice::ReadOnly) || !geometry.setContent(&file, &message, &line)) {
        err << args[0] << ": " << message << " (riga " << line << ")\n";
        return 1;
    }
    try {
        cu::models::ModelBuilder builder(cu::CertificateSchema::load(args[1]), geometry.documentElement(),
                                         args[2]);
        builder.buildAll();
    } catch (const cu::Error& e) {
        err << e.message() << '\n';
        return 1;
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return 1;
    }
    return 0;
}
