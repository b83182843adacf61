// Verification of a telematic file, line by line in one pass.
#include "telematic/TelematicVerifier.h"

#include "certificates/checks/FiscalCode.h"
#include "foundation/operator/Errors.h"
#include "telematic/layouts/FileLayouts.h"

#include <QDate>
#include <QFile>
#include <QSet>

namespace cu {

namespace {

constexpr int DataLength = 1897;
constexpr int LineLength = 1898;
constexpr int HeadLength = 89;
constexpr int CodedLength = 24;
constexpr int CodedEnd = 89 + 75 * 24; // 1889

// The part of a text from pos of n characters, cut to the text.
QByteArrayView sub(QByteArrayView text, qsizetype pos, qsizetype n = -1)
{
    if (pos >= text.size())
        return QByteArrayView();
    const qsizetype available = text.size() - pos;
    return text.sliced(pos, n < 0 || n > available ? available : n);
}

bool isDigits(QByteArrayView text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool isBlank(QByteArrayView text)
{
    for (char c : text)
        if (c != ' ')
            return false;
    return true;
}

bool isUpperOrDigit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isWellFormedCode(QByteArrayView code)
{
    return code.size() == 8 && code[0] >= 'A' && code[0] <= 'Z' && code[1] >= 'A' && code[1] <= 'Z' &&
           isDigits(sub(code, 2, 3)) && isUpperOrDigit(code[5]) && isUpperOrDigit(code[6]) &&
           isUpperOrDigit(code[7]);
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

// The state of one pass over a file.
class Pass
{
public:
    Pass(const FileLayouts& layouts, VerifyReport& report, int maxListed)
        : m_layouts(layouts), m_report(report), m_maxListed(maxListed)
    {
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
        if (m_lineZ.isEmpty()) {
            defect(0, QStringLiteral("manca il record Z"));
        } else {
            const char* letters = "CDGH";
            for (int i = 0; i < 4; ++i) {
                const int stated = number(sub(QByteArrayView(m_lineZ), 24 + 9 * i, 9));
                const int present = m_report.counts.value(QChar(letters[i]));
                if (stated != present)
                    defect(0, QStringLiteral(
                                  "record Z: il contatore dei record %1 (posizioni %2-%3) vale %4 ma le "
                                  "righe presenti sono %5")
                                  .arg(QChar(letters[i]))
                                  .arg(25 + 9 * i)
                                  .arg(33 + 9 * i)
                                  .arg(stated)
                                  .arg(present));
            }
        }
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
        if (text.size() < 47)
            return;
        const int certificate = number(sub(text, 41, 6));
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
        if (letter == 'G')
            m_certificatesG.insert(certificate);
        if (letter == 'H')
            m_certificatesH.insert(certificate);
        m_lastCertificate = certificate;
        m_lastRank = rank;
    }

    void positional(int n, char letter, QByteArrayView text)
    {
        for (const PositionedField& p : m_layouts.positional(QChar(letter))) {
            if (p.start + p.field.width > LineLength)
                break;
            const QByteArrayView value = sub(text, p.start, p.field.width);
            const auto where = [&p] {
                return QStringLiteral("posizioni %1-%2 (%3)")
                    .arg(p.start + 1)
                    .arg(p.start + p.field.width)
                    .arg(p.field.description);
            };
            const QString& format = p.field.format;
            if (p.field.code() == u"1" && value != p.field.fixed.toLatin1())
                defect(n, where() + QStringLiteral(": tipo record diverso da \"%1\"").arg(p.field.fixed));
            else if ((format == u"NF" || format == u"CP" || format == u"N2") && !isDigits(value))
                defect(n, where() +
                              QStringLiteral(": valore non numerico \"%1\"").arg(QString::fromLatin1(value)));
            else if (format == u"DT" && !isBlank(value) &&
                     !QDate::fromString(QString::fromLatin1(value), QStringLiteral("ddMMyyyy")).isValid())
                defect(n,
                       where() + QStringLiteral(": data non valida \"%1\"").arg(QString::fromLatin1(value)));
            else if (format == u"CF" && !isBlank(value))
                fiscalCode(n, where, value);
            else if (format == u"AN" && p.field.info == u"OF" && !p.field.fixed.isEmpty() &&
                     value.trimmed() != p.field.fixed.toLatin1())
                defect(n, where() + QStringLiteral(": atteso \"%1\"").arg(p.field.fixed));
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
        const QByteArray module =
            QByteArray(1, letter) + sub(text, 17, 8).toByteArray() + sub(text, 41, 6).toByteArray();
        if (module != m_module) {
            m_module = module;
            m_moduleCodes.clear();
        }
        int at = HeadLength;
        quint64 previous = 0;
        for (; at + CodedLength <= CodedEnd; at += CodedLength) {
            const QByteArrayView slot = sub(text, at, CodedLength);
            if (isBlank(slot))
                break;
            const QByteArrayView code = sub(slot, 0, 8);
            const QByteArrayView value = sub(slot, 8);
            const auto where = [at] { return QStringLiteral("posizione %1").arg(at + 1); };
            if (!isWellFormedCode(code)) {
                defect(n, where() + QStringLiteral(
                                        ": codice di campo non valido \"%1\" (campo precedente più lungo di "
                                        "16 caratteri o disallineato)")
                                        .arg(QString::fromLatin1(code)));
                return;
            }
            const quint64 key = packed(code);
            const auto codeText = [code] { return QString::fromLatin1(code); };
            const LayoutField* field = layoutField(letter, key, code);
            if (!field)
                defect(n, where() + QStringLiteral(": codice %1 sconosciuto al tracciato del record %2")
                                        .arg(codeText(), QChar(letter)));
            if (isBlank(value))
                defect(n, where() + QStringLiteral(": campo %1 senza valore").arg(codeText()));
            const bool continuation = value.size() > 0 && value[0] == '+' && key == previous;
            if (!continuation && m_moduleCodes.contains(key))
                defect(n,
                       where() + QStringLiteral(": campo %1 ripetuto nello stesso modulo").arg(codeText()));
            m_moduleCodes.insert(key);
            previous = key;
            if (field && field->format == u"CF" && !continuation)
                fiscalCode(
                    n, [&] { return where() + QStringLiteral(" (%1)").arg(codeText()); }, value);
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

    void checkSupplyCounters()
    {
        if (m_lineA.size() != LineLength || m_lineB.size() != LineLength)
            return;
        const int file = number(sub(QByteArrayView(m_lineA), 521, 4));
        const int files = number(sub(QByteArrayView(m_lineA), 525, 4));
        const bool single = file == 0 && files == 0;
        if (!single && (file < 1 || files < 1 || file > files))
            defect(1, QStringLiteral("posizioni 522-529: progressivo dell'invio %1 su %2 non valido")
                          .arg(file)
                          .arg(files));
        const int stated = number(sub(QByteArrayView(m_lineB), 401, 8));
        const int present = int(m_certificatesG.size() + m_certificatesH.size());
        if (single ? stated != present : stated < present)
            defect(2, QStringLiteral("posizioni 402-409: numero certificazioni %1 ma il file ne contiene %2")
                          .arg(stated)
                          .arg(present));
    }

    const FileLayouts& m_layouts;
    VerifyReport& m_report;
    int m_maxListed;
    bool m_afterZ = false;
    int m_lastCertificate = -1;
    int m_lastRank = -1;
    QSet<int> m_certificatesSeen;
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(QStringLiteral("Impossibile leggere il file %1: %2").arg(path, file.errorString()));
    VerifyReport report;
    Pass pass(m_layouts, report, m_maxListed);
    QByteArray pending;
    constexpr qint64 Chunk = 8 << 20;
    while (true) {
        const QByteArray chunk = file.read(Chunk);
        if (chunk.isEmpty())
            break;
        pending += chunk;
        qsizetype start = 0;
        for (qsizetype end; (end = pending.indexOf('\n', start)) >= 0; start = end + 1) {
            const bool crlf = end > start && pending[end - 1] == '\r';
            pass.line(sub(QByteArrayView(pending), start, end - start - (crlf ? 1 : 0)), crlf, true);
        }
        pending.remove(0, start);
    }
    if (file.error() != QFileDevice::NoError)
        throw EZfError(QStringLiteral("Errore di lettura del file %1: %2").arg(path, file.errorString()));
    if (!pending.isEmpty())
        pass.line(QByteArrayView(pending), false, false);
    pass.finish();
    return report;
}

} // namespace cu
