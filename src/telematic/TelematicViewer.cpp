// Readable display of a telematic file.
#include "telematic/TelematicViewer.h"

#include "foundation/operator/Errors.h"
#include "telematic/layouts/FieldNumbers.h"
#include "telematic/layouts/FileLayouts.h"

#include <QFile>
#include <QTextStream>

namespace cu {

namespace {

constexpr int DataLength = 1897;
constexpr int CodedLength = 24;

QString recordName(QChar letter)
{
    switch (letter.unicode()) {
    case u'A':
        return QStringLiteral("record A (testa della fornitura)");
    case u'B':
        return QStringLiteral("record B (frontespizio)");
    case u'C':
        return QStringLiteral("record C (quadro CT)");
    case u'D':
        return QStringLiteral("record D (dati anagrafici)");
    case u'G':
        return QStringLiteral("record G (dati fiscali e previdenziali)");
    case u'H':
        return QStringLiteral("record H (lavoro autonomo)");
    case u'Z':
        return QStringLiteral("record Z (coda della fornitura)");
    default:
        return QStringLiteral("record sconosciuto \"%1\"").arg(letter);
    }
}

} // namespace

void TelematicViewer::show(const QString& path, QTextStream& out) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(QStringLiteral("Impossibile leggere il file %1: %2").arg(path, file.errorString()));
    int number = 0;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        showLine(++number, QString::fromLatin1(line), out);
    }
}

void TelematicViewer::showLine(int number, const QString& line, QTextStream& out) const
{
    if (line.isEmpty()) {
        out << "Riga " << number << ": vuota\n";
        return;
    }
    const QChar letter = line[0];
    out << "Riga " << number << " - " << recordName(letter);
    const bool certificate = letter == u'D' || letter == u'G' || letter == u'H';
    const RecordLayout& layout = m_layouts.layout(letter);
    if (certificate)
        out << " - certificazione " << layout.span(fieldnumbers::Certificate).in(line).toInt()
            << " - percipiente " << layout.span(fieldnumbers::Recipient).in(line).trimmed() << " - modulo "
            << layout.span(fieldnumbers::Module).in(line).toInt();
    out << '\n';
    int codedStart = 0;
    for (const PositionedField& p : m_layouts.positional(letter)) {
        codedStart = p.start + p.field.width;
        if (p.start >= line.size())
            break;
        const QString value = line.mid(p.start, p.field.width).trimmed();
        out << QStringLiteral("  [%1-%2] ").arg(p.start + 1, 4).arg(p.start + p.field.width, 4)
            << p.field.description << ": " << value << '\n';
    }
    if (!FileLayouts::isCertificateLetter(letter))
        return;
    for (int at = codedStart; at + CodedLength <= qMin(DataLength, int(line.size())); at += CodedLength) {
        const QString code = line.mid(at, 8);
        if (code.trimmed().isEmpty())
            break;
        const LayoutField* field = m_layouts.coded(letter, code);
        out << "  " << code << ' ' << (field ? field->description : QStringLiteral("(codice sconosciuto)"))
            << ": " << line.mid(at + 8, 16).trimmed() << '\n';
    }
}

} // namespace cu
