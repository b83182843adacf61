// telematic-layouts: writes the seven layout files of the telematic file
// (Record_A.xml ... Record_Z.xml) from the generator's input (positions and
// codes, record-layouts.xml) and the schema file of the certificate tables;
// with --codes, also the table of the coded fields for docs/telematic.md.
//   telematic-layouts INPUT SCHEMA_FILE OUTPUT_FOLDER [--codes FILE]
#include "LayoutGenerator.h"

#include "foundation/operator/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

using namespace cu;

namespace {

QDomElement readInput(const QString& path, QDomDocument& document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(QStringLiteral("Impossibile leggere %1: %2").arg(path, file.errorString()));
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(&file, &message, &line, &column))
        throw EZfError(QStringLiteral("%1 non valido (riga %2, colonna %3): %4")
                           .arg(path)
                           .arg(line)
                           .arg(column)
                           .arg(message));
    return document.documentElement();
}

void write(const RecordLayout& layout, const QString& folder, const QString& letter, QTextStream& out)
{
    const QString name = QStringLiteral("Record_%1.xml").arg(letter);
    layout.save(QDir(folder).filePath(name));
    int coded = 0;
    for (const LayoutSection& s : layout.sections())
        for (const LayoutField& f : s.fields)
            coded += f.isCoded() ? 1 : 0;
    out << name << ": " << layout.sections().size() << " sezioni, " << coded << " campi codificati, "
        << layout.totalWidth() << " caratteri\n";
}

QString cell(QString text)
{
    return text.replace(u'|', u'/');
}

// The table of docs/telematic.md: one row per coded field.
void writeCodeTable(const QVector<layouts::CodeRow>& rows, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        throw EZfError(QStringLiteral("Impossibile scrivere %1").arg(path));
    QTextStream out(&file);
    out << "| Record | Codice | Punto o campo | Colonna | Formato | Descrizione | Fonte |\n"
        << "|---|---|---|---|---|---|---|\n";
    for (const layouts::CodeRow& row : rows)
        out << "| " << row.letter << " | " << row.code << " | " << row.code.right(3) << " | `" << row.column
            << "` | " << row.format << " | " << cell(row.description) << " | " << cell(row.source) << " |\n";
    out.flush();
    if (!file.commit())
        throw EZfError(QStringLiteral("Impossibile scrivere %1").arg(path));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    QString codesPath;
    if (const qsizetype at = args.indexOf(QStringLiteral("--codes")); at >= 0 && at + 1 < args.size()) {
        codesPath = args[at + 1];
        args.remove(at, 2);
    }
    if (args.size() != 3) {
        err << "Uso: telematic-layouts INGRESSO FILE_SCHEMA CARTELLA_TRACCIATI [--codes FILE]\n";
        return 2;
    }
    try {
        QDomDocument document;
        const QDomElement input = readInput(args[0], document);
        const CertificateSchema schema = CertificateSchema::load(args[1]);
        QDir().mkpath(args[2]);
        layouts::LayoutGenerator generator(schema, input);
        for (const char* letter : {"A", "B", "C", "D", "G", "H", "Z"})
            write(generator.record(QString::fromLatin1(letter)), args[2], QString::fromLatin1(letter), out);
        for (const QString& w : generator.warnings())
            err << "Avviso: " << w << '\n';
        if (!codesPath.isEmpty())
            writeCodeTable(generator.codeRows(), codesPath);
    } catch (const Error& e) {
        err << e.message() << '\n';
        return 1;
    }
    return 0;
}
