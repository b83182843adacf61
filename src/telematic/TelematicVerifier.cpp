// Verification of a telematic file, line by line in one pass.
#include "telematic/TelematicVerifier.h"

#include "certificates/checks/FiscalCode.h"
#include "foundation/operator/Errors.h"
#include "telematic/FieldFormCheck.h"
#include "telematic/SupplyFileGuard.h"
#include "telematic/layouts/FieldNumbers.h"
#include "telematic/layouts/FileLayouts.h"

#include <QFile>
#include <QSet>

namespace cu {

namespace {

constexpr int DataLength = 1897;
constexpr int LineLength = 1898;
constexpr int CodeLength = 8;
constexpr int CodedLength = 24;

// The part of a text from pos of n characters, cut to the text.
QByteArrayView sub(QByteArrayView text, qsizetype pos, qsizetype n = -1)
{
    if (pos < 0 || pos >= text.size())
        return QByteArrayView();
    const qsizetype available = text.size() - pos;
    return text.sliced(pos, n < 0 || n > available ? available : n);
}

bool isUpperOrDigit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isWellFormedCode(QByteArrayView code)
{
    return code.size() == CodeLength && code[0] >= 'A' && code[0] <= 'Z' && code[1] >= 'A' &&
           code[1] <= 'Z' && isDigits(sub(code, 2, 3)) && isUpperOrDigit(code[5]) &&
           isUpperOrDigit(code[6]) && isUpperOrDigit(code[7]);
}

quint64 packed(QByteArrayView code)
{
    quint64 key = 0;
    for (char c : code)
        key = (key << 8) | quint8(c);
    return key;
}

int letterRank(char letter)
{
    return letter == 'D' ? 0 : letter == 'G' ? 1 : 2;
}

int number(QByteArrayView text)
{
    return isDigits(text) ? text.toByteArray().toInt() : -1;
}

// A value as the findings quote it; a long one (a filler) cut to its start.
QString quoted(QByteArrayView text)
{
    constexpr int Shown = 24;
    if (text.size() <= Shown)
        return u'"' + QString::fromLatin1(text) + u'"';
    return u'"' + QString::fromLatin1(text.first(Shown)) + QStringLiteral("...\"");
}

QString positions(int start, int width)
{
    return width == 1 ? QStringLiteral("posizione %1").arg(start + 1)
                      : QStringLiteral("posizioni %1-%2").arg(start + 1).arg(start + width);
}

// The head fields of a certificate record that the verifier reads, found
// in the layout by their Number.
struct HeadSpans
{
    FieldSpan module;
    FieldSpan certificate;
    FieldSpan operation;
    int codedStart = 0; // where the coded fields begin
};

// The state of one pass over a file.
class Pass
{
public:
    Pass(const FileLayouts& layouts, VerifyReport& report, int maxListed)
        : m_layouts(layouts), m_report(report), m_maxListed(maxListed)
    {
        for (char letter : {'C', 'D', 'G', 'H'}) {
            const RecordLayout& layout = layouts.layout(QChar(letter));
            const QVector<PositionedField>& head = layouts.positional(QChar(letter));
            m_heads[letter] = {layout.span(fieldnumbers::Module), layout.span(fieldnumbers::Certificate),
                               layout.span(fieldnumbers::Operation),
                               head.isEmpty() ? 0 : head.last().start + head.last().field.width};
        }
    }

    void line(QByteArrayView text, bool crlf, bool terminated)
    {
        const int n = ++m_report.lines;
        if (!terminated)
            defect(n, QStringLiteral("riga non terminata da ritorno a capo e avanzamento riga"));
        else if (!crlf)
            defect(n, QStringLiteral("terminatore di riga diverso da CR LF"));
        if (text.size() != LineLength) {
            defect(n, QStringLiteral("lunghezza %1 invece di %2 caratteri").arg(text.size()).arg(LineLength));
            if (text.isEmpty())
                return;
        } else if (text[DataLength] != 'A') {
            defect(n, QStringLiteral("carattere di controllo in posizione 1898 diverso da \"A\""));
        }
        const char letter = text[0];
        ++m_report.counts[QChar(letter)];
        order(n, letter, text);
        if (text.size() != LineLength)
            return;
        characters(n, letter, text);
        positional(n, letter, text);
        if (FileLayouts::isCertificateLetter(QChar(letter)))
            coded(n, letter, text);
        if (letter == 'A')
            m_lineA = text.toByteArray();
        else if (letter == 'B')
            m_lineB = text.toByteArray();
        else if (letter == 'Z')
            m_lineZ = text.toByteArray();
    }

    void finish()
    {
        if (m_report.lines == 0) {
            defect(0, QStringLiteral("file vuoto"));
            return;
        }
        if (m_lineZ.isEmpty())
            defect(0, QStringLiteral("manca il record Z"));
        else
            checkLineCounters();
        checkSupplyCounters();
    }

private:
    void defect(int line, const QString& text)
    {
        ++m_report.defectCount;
        if (m_report.defects.size() < m_maxListed)
            m_report.defects.append(line > 0 ? QStringLiteral("riga %1: %2").arg(line).arg(text) : text);
    }

    void order(int n, char letter, QByteArrayView text)
    {
        if (m_afterZ) {
            defect(n, QStringLiteral("record %1 dopo il record Z").arg(QChar(letter)));
            return;
        }
        switch (letter) {
        case 'A':
            if (n != 1)
                defect(n, QStringLiteral("record A non in prima riga"));
            return;
        case 'B':
            if (n != 2)
                defect(n, QStringLiteral("record B non in seconda riga"));
            return;
        case 'Z':
            m_afterZ = true;
            return;
        case 'C':
            if (n < 3 || m_lastCertificate >= 0)
                defect(n, QStringLiteral(
                              "record C fuori ordine (deve seguire il record B e precedere D, G, H)"));
            return;
        case 'D':
        case 'G':
        case 'H':
            break;
        default:
            defect(n, QStringLiteral("tipo record \"%1\" sconosciuto").arg(QChar(letter)));
            return;
        }
        if (n < 3)
            defect(n, QStringLiteral("record %1 prima dei record A e B").arg(QChar(letter)));
        const FieldSpan& span = m_heads[letter].certificate;
        const int certificate = number(sub(text, span.start, span.width));
        const int rank = letterRank(letter);
        if (certificate < m_lastCertificate || (certificate == m_lastCertificate && rank < m_lastRank))
            defect(n, QStringLiteral("record %1 della certificazione %2 fuori ordine (i record D, G, H vanno "
                                     "raggruppati per certificazione)")
                          .arg(QChar(letter))
                          .arg(certificate));
        if (certificate != m_lastCertificate) {
            if (m_certificatesSeen.contains(certificate))
                defect(n, QStringLiteral("certificazione %1 non contigua").arg(certificate));
            m_certificatesSeen.insert(certificate);
        }
        if (letter == 'D')
            m_certificatesD.insert(certificate);
        else if (!m_certificatesD.contains(certificate))
            defect(n, QStringLiteral("record %1 della certificazione %2 senza il suo record D nello stesso "
                                     "file (una certificazione non si divide tra due file)")
                          .arg(QChar(letter))
                          .arg(certificate));
        if (letter == 'G')
            m_certificatesG.insert(certificate);
        if (letter == 'H')
            m_certificatesH.insert(certificate);
        m_lastCertificate = certificate;
        m_lastRank = rank;
    }

    // Upper-case printable ASCII only; one finding per line.
    void characters(int n, char letter, QByteArrayView text)
    {
        const qsizetype at = firstUnwritablePosition(sub(text, 0, DataLength));
        if (at < 0)
            return;
        const bool lowerCase = text[at] >= 'a' && text[at] <= 'z';
        defect(n, QStringLiteral("%1 (%2): %3, il file ammette solo lettere maiuscole e caratteri ASCII "
                                 "stampabili")
                      .arg(positions(int(at), 1), fieldAt(letter, text, int(at)),
                           lowerCase
                               ? QStringLiteral("lettera minuscola \"%1\"").arg(QChar(text[at]))
                               : QStringLiteral("carattere non ammesso (codice %1)").arg(quint8(text[at]))));
    }

    // The name of the field that holds a position: its code or its description.
    QString fieldAt(char letter, QByteArrayView text, int at) const
    {
        for (const PositionedField& p : m_layouts.positional(QChar(letter)))
            if (at >= p.start && at < p.start + p.field.width)
                return p.field.description;
        if (!FileLayouts::isCertificateLetter(QChar(letter)))
            return QStringLiteral("fuori dal tracciato");
        const int start = m_heads.value(letter).codedStart;
        const int slot = start + (at - start) / CodedLength * CodedLength;
        return QStringLiteral("campo %1").arg(QString::fromLatin1(sub(text, slot, CodeLength)));
    }

    void positional(int n, char letter, QByteArrayView text)
    {
        for (const PositionedField& p : m_layouts.positional(QChar(letter))) {
            if (p.start + p.field.width > LineLength)
                break;
            const QByteArrayView value = sub(text, p.start, p.field.width);
            const auto where = [&p] {
                return QStringLiteral("%1 (%2)").arg(positions(p.start, p.field.width), p.field.description);
            };
            if (p.field.code() == fieldnumbers::RecordLetter) {
                if (value != p.field.fixed.toLatin1())
                    defect(n, where() + QStringLiteral(": tipo record diverso da \"%1\"").arg(p.field.fixed));
                continue;
            }
            if (letter == 'D' && p.field.code() == fieldnumbers::Operation) {
                if (value != "A" && value != "S" && value != " ")
                    defect(
                        n,
                        where() +
                            QStringLiteral(": atteso \"A\", \"S\" o spazio, trovato %1").arg(quoted(value)));
                continue;
            }
            const QString expected = positionalValueDefect(p.field, value);
            if (!expected.isEmpty())
                defect(n, where() + QStringLiteral(": atteso %1, trovato %2").arg(expected, quoted(value)));
            else if (p.field.format == u"CF" && !isBlank(value))
                fiscalCode(n, where, value);
        }
    }

    template <typename Where> void fiscalCode(int n, const Where& where, QByteArrayView value)
    {
        const QString code = QString::fromLatin1(value).trimmed();
        const QString problem = fiscalCodeDefect(code);
        if (!problem.isEmpty())
            defect(n, where() + QStringLiteral(": codice fiscale \"%1\" non valido (%2)").arg(code, problem));
    }

    void coded(int n, char letter, QByteArrayView text)
    {
        const HeadSpans& head = m_heads[letter];
        const QByteArray module = QByteArray(1, letter) +
                                  sub(text, head.module.start, head.module.width).toByteArray() +
                                  sub(text, head.certificate.start, head.certificate.width).toByteArray();
        if (module != m_module) {
            m_module = module;
            m_moduleCodes.clear();
        }
        const int codedEnd = head.codedStart + (DataLength - head.codedStart) / CodedLength * CodedLength;
        int at = head.codedStart;
        quint64 previous = 0;
        for (; at + CodedLength <= codedEnd; at += CodedLength) {
            const QByteArrayView slot = sub(text, at, CodedLength);
            if (isBlank(slot))
                break;
            const QByteArrayView code = sub(slot, 0, CodeLength);
            const QByteArrayView value = sub(slot, CodeLength);
            const auto where = [at, code] {
                return QStringLiteral("posizione %1 (%2)").arg(at + 1).arg(QString::fromLatin1(code));
            };
            if (!isWellFormedCode(code)) {
                defect(n, QStringLiteral("posizione %1: codice di campo non valido %2 (campo precedente più "
                                         "lungo di 16 caratteri o disallineato)")
                              .arg(at + 1)
                              .arg(quoted(code)));
                return;
            }
            const quint64 key = packed(code);
            const LayoutField* field = layoutField(letter, key, code);
            if (!field)
                defect(
                    n,
                    where() +
                        QStringLiteral(": codice sconosciuto al tracciato del record %1").arg(QChar(letter)));
            if (isBlank(value))
                defect(n, where() + QStringLiteral(": campo senza valore"));
            const bool continuation = value.size() > 0 && value[0] == '+' && key == previous;
            if (!continuation && m_moduleCodes.contains(key))
                defect(n, where() + QStringLiteral(": campo ripetuto nello stesso modulo"));
            m_moduleCodes.insert(key);
            previous = key;
            if (!field || isBlank(value))
                continue;
            const QString expected = codedValueDefect(field->format, value, continuation);
            if (!expected.isEmpty())
                defect(n, where() + QStringLiteral(", formato %1: atteso %2, trovato %3")
                                        .arg(field->format, expected, quoted(value)));
            else if (field->format == u"CF" && !continuation)
                fiscalCode(n, where, value);
        }
        if (!isBlank(sub(text, at, DataLength - at)))
            defect(n, QStringLiteral("posizione %1: dati oltre l'ultimo campo codificato").arg(at + 1));
    }

    // The layout field of a code, remembered per record letter.
    const LayoutField* layoutField(char letter, quint64 key, QByteArrayView code)
    {
        QHash<quint64, const LayoutField*>& cache = m_codeCache[quint8(letter)];
        const auto it = cache.constFind(key);
        if (it != cache.constEnd())
            return *it;
        const LayoutField* field = m_layouts.coded(QChar(letter), QString::fromLatin1(code));
        cache.insert(key, field);
        return field;
    }

    // Record Z: the counters of the lines of every letter against the lines present.
    void checkLineCounters()
    {
        const RecordLayout& layoutZ = m_layouts.layout(u'Z');
        for (const auto& [letter, fieldNumber] : fieldnumbers::lineCounters()) {
            const FieldSpan span = layoutZ.span(fieldNumber);
            if (!span.isValid())
                continue;
            const int stated = number(sub(QByteArrayView(m_lineZ), span.start, span.width));
            const int present = m_report.counts.value(letter);
            if (stated != present)
                defect(0, QStringLiteral("record Z: il contatore dei record %1 (%2) vale %3 ma le righe "
                                         "presenti sono %4")
                              .arg(letter)
                              .arg(positions(span.start, span.width))
                              .arg(stated)
                              .arg(present));
        }
    }

    // Records A and B: the file's number within the supply and the number of certificates.
    void checkSupplyCounters()
    {
        if (m_lineA.size() != LineLength || m_lineB.size() != LineLength)
            return;
        const RecordLayout& layoutA = m_layouts.layout(u'A');
        const FieldSpan fileSpan = layoutA.span(fieldnumbers::FileNumber);
        const FieldSpan countSpan = layoutA.span(fieldnumbers::FileCount);
        const int file = number(sub(QByteArrayView(m_lineA), fileSpan.start, fileSpan.width));
        const int files = number(sub(QByteArrayView(m_lineA), countSpan.start, countSpan.width));
        const bool single = file == 0 && files == 0;
        if (!single && (file < 1 || files < 1 || file > files))
            defect(1, QStringLiteral("%1: progressivo dell'invio %2 su %3 non valido")
                          .arg(positions(fileSpan.start, fileSpan.width + countSpan.width))
                          .arg(file)
                          .arg(files));
        const FieldSpan certificates = m_layouts.layout(u'B').span(fieldnumbers::CertificateCount);
        const int stated = number(sub(QByteArrayView(m_lineB), certificates.start, certificates.width));
        const int present = int(m_certificatesG.size() + m_certificatesH.size());
        if (single ? stated != present : stated < present)
            defect(2, QStringLiteral("%1: numero certificazioni %2 ma il file ne contiene %3")
                          .arg(positions(certificates.start, certificates.width))
                          .arg(stated)
                          .arg(present));
    }

    const FileLayouts& m_layouts;
    VerifyReport& m_report;
    int m_maxListed;
    QHash<char, HeadSpans> m_heads;
    bool m_afterZ = false;
    int m_lastCertificate = -1;
    int m_lastRank = -1;
    QSet<int> m_certificatesSeen;
    QSet<int> m_certificatesD;
    QSet<int> m_certificatesG;
    QSet<int> m_certificatesH;
    QByteArray m_module;
    QSet<quint64> m_moduleCodes;
    QHash<quint64, const LayoutField*> m_codeCache[256];
    QByteArray m_lineA;
    QByteArray m_lineB;
    QByteArray m_lineZ;
};

} // namespace

VerifyReport TelematicVerifier::verify(const QString& path) const
{
    requireSupplyFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(QStringLiteral("Impossibile leggere il file %1: accesso negato").arg(path));
    VerifyReport report;
    Pass pass(m_layouts, report, m_maxListed);
    QByteArray pending;
    constexpr qint64 Chunk = 8 << 20;
    qint64 total = 0;
    while (true) {
        const QByteArray chunk = file.read(Chunk);
        if (chunk.isEmpty())
            break;
        total += chunk.size();
        if (total > MaxSupplyFileBytes)
            refuseOversizedSupplyFile(path);
        pending += chunk;
        qsizetype start = 0;
        for (qsizetype end; (end = pending.indexOf('\n', start)) >= 0; start = end + 1) {
            const bool crlf = end > start && pending[end - 1] == '\r';
            pass.line(sub(QByteArrayView(pending), start, end - start - (crlf ? 1 : 0)), crlf, true);
        }
        pending.remove(0, start);
        // Text far past a line's length without a line end is reported as
        // one unterminated line, so that the memory held stays bounded.
        if (pending.size() > 4 * LineLength) {
            pass.line(QByteArrayView(pending), false, false);
            pending.clear();
        }
    }
    if (file.error() != QFileDevice::NoError)
        throw EZfError(QStringLiteral("Errore di lettura del file %1").arg(path));
    if (!pending.isEmpty())
        pass.line(QByteArrayView(pending), false, false);
    pass.finish();
    return report;
}

} // namespace cu
