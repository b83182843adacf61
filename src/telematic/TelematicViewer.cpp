// Readable display of a telematic file.
#include "telematic/TelematicViewer.h"

#include "foundation/operator/Errors.h"
#include "telematic/SupplyFileGuard.h"
#include "telematic/layouts/FieldNumbers.h"
#include "telematic/layouts/FileLayouts.h"

#include <QFile>
#include <QTextStream>

namespace cu {

namespace {

constexpr int DataLength = 1897;
constexpr int CodedLength = 24;
constexpr qint64 LineLimit = 4 * 1900;

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

QString ViewedField::label() const
{
    return start < 0 ? code : QStringLiteral("%1-%2").arg(start + 1).arg(start + width);
}

QVector<ViewedLine> TelematicViewer::read(const QString& path) const
{
    QVector<ViewedLine> lines;
    forEachLine(path, [&lines](ViewedLine line) { lines.append(std::move(line)); });
    return lines;
}

void TelematicViewer::forEachLine(const QString& path, const std::function<void(ViewedLine)>& use) const
{
    requireSupplyFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(QStringLiteral("Impossibile leggere il file %1: accesso negato").arg(path));
    qint64 total = 0;
    for (int number = 1; !file.atEnd(); ++number) {
        // A line is read up to a little past its length, so that a file
        // without line ends never fills the memory.
        QByteArray line = file.readLine(LineLimit);
        total += line.size();
        if (total > MaxSupplyFileBytes)
            refuseOversizedSupplyFile(path);
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        use(readLine(number, QString::fromLatin1(line)));
    }
}

ViewedLine TelematicViewer::readLine(int number, const QString& line) const
{
    ViewedLine viewed;
    viewed.number = number;
    if (line.isEmpty()) {
        viewed.title = QStringLiteral("Riga %1: vuota").arg(number);
        return viewed;
    }
    const QChar letter = line[0];
    viewed.title = QStringLiteral("Riga %1 - %2").arg(number).arg(recordName(letter));
    const bool certificate = letter == u'D' || letter == u'G' || letter == u'H';
    const RecordLayout& layout = m_layouts.layout(letter);
    if (certificate)
        viewed.title += QStringLiteral(" - certificazione %1 - percipiente %2 - modulo %3")
                            .arg(layout.span(fieldnumbers::Certificate).in(line).toInt())
                            .arg(layout.span(fieldnumbers::Recipient).in(line).trimmed())
                            .arg(layout.span(fieldnumbers::Module).in(line).toInt());
    int codedStart = 0;
    for (const PositionedField& p : m_layouts.positional(letter)) {
        codedStart = p.start + p.field.width;
        if (p.start >= line.size())
            break;
        viewed.fields.append({p.start, p.field.width, QString(), p.field.description,
                              line.mid(p.start, p.field.width).trimmed()});
    }
    if (!FileLayouts::isCertificateLetter(letter))
        return viewed;
    for (int at = codedStart; at + CodedLength <= qMin(DataLength, int(line.size())); at += CodedLength) {
        const QString code = line.mid(at, 8);
        if (code.trimmed().isEmpty())
            break;
        const LayoutField* field = m_layouts.coded(letter, code);
        viewed.fields.append({-1, CodedLength, code,
                              field ? field->description : QStringLiteral("(codice sconosciuto)"),
                              line.mid(at + 8, 16).trimmed()});
    }
    return viewed;
}

void TelematicViewer::show(const QString& path, QTextStream& out) const
{
    forEachLine(path, [&out](const ViewedLine& line) { print(line, out); });
}

void TelematicViewer::showLine(int number, const QString& line, QTextStream& out) const
{
    print(readLine(number, line), out);
}

void TelematicViewer::print(const ViewedLine& line, QTextStream& out)
{
    out << line.title << '\n';
    for (const ViewedField& field : line.fields) {
        if (field.start >= 0)
            out << QStringLiteral("  [%1-%2] ").arg(field.start + 1, 4).arg(field.start + field.width, 4);
        else
            out << "  " << field.code << ' ';
        out << field.description << ": " << field.value << '\n';
    }
}

} // namespace cu
