// Rows of the field list for records C, D, G and H.
#include "telematic/records/FieldListWriter.h"

#include "foundation/operator/Errors.h"
#include "foundation/text/TextFunctions.h"
#include "telematic/WorkingLists.h"
#include "telematic/layouts/FileText.h"
#include "telematic/layouts/FormatField.h"

namespace cu {

namespace {

constexpr int PieceLength = 16;

// Formats whose value is text: "0" is a value there, not a zero.
bool isTextFormat(const QString& format)
{
    return format == u"AN" || format == u"AX" || format == u"CF" || format == u"PR" || format == u"PN";
}

bool isZero(const QString& formatted)
{
    bool digit = false;
    for (QChar c : formatted) {
        if (c == u'0')
            digit = true;
        else if (c != u' ' && c != u',' && c != u'.' && c != text::PadMarker)
            return false;
    }
    return digit;
}

} // namespace

FieldListWriter::FieldListWriter(FieldList& list, RecordFamily family) : m_list(list), m_family(family)
{
    setCertificateNumber(0);
}

void FieldListWriter::setCertificateNumber(int number)
{
    m_certificate = number;
    m_progressive = text::padLeft(QString::number(number), u'0', 18, text::Overflow::Keep);
}

bool FieldListWriter::isFormatted(RecordFamily family, const LayoutField& campo, bool valueEmpty)
{
    const QString& info = campo.info;
    if (family == RecordFamily::G) {
        if (info.contains(u'/'))
            return true;
        if (info == u"O@" && campo.code() == u"DBXXX001")
            return !valueEmpty;
        if (info == u"A@" || info == u"AX" || info == u"A1")
            return !valueEmpty;
    }
    if (info == u"OF" || info == u"O@" || info == u"@1")
        return true;
    if (info == u"@@" || info == u"@X" || info == u"T@" || info == u"TX")
        return !valueEmpty;
    return false;
}

QString FieldListWriter::codeFor(const LayoutField& campo, int module)
{
    if (!campo.isCoded())
        return QString();
    QString code = campo.code();
    if (module != 0)
        code.replace(2, 3, text::padLeft(QString::number(module), u'0', 3, text::Overflow::Keep));
    return code;
}

bool FieldListWriter::isWorthWriting(const QString& format, const QString& formatted)
{
    const QString value = text::trimBoth(text::unmarked(formatted));
    return !value.isEmpty() && (isTextFormat(format) || !isZero(value));
}

QString FieldListWriter::fieldName(const LayoutField& campo) const
{
    QString name =
        QStringLiteral("campo %1 (%2) del record %3").arg(campo.code(), campo.description, m_letter);
    if (!m_subject.isEmpty())
        name += QStringLiteral(", ") + m_subject;
    return name;
}

void FieldListWriter::writeCampo(const QString& value, const LayoutField& campo, int module)
{
    QString text;
    try {
        text = text::fileText(value);
    } catch (const text::UnwritableCharacter& e) {
        throw EZfError(e.message() + QStringLiteral(" - ") + fieldName(campo));
    }
    const QString code = codeFor(campo, module);
    if (text.size() <= campo.width || code.isEmpty() || campo.format != u"AN") {
        writePiece(text, campo, code);
        return;
    }
    writePiece(text::trimEnd(text.left(PieceLength)), campo, code);
    const int further = qMax(1, campo.width - 1);
    for (QString rest = text.mid(PieceLength); !rest.isEmpty(); rest = rest.mid(further))
        writePiece(text::trimEnd((u'+' + rest.left(further)).left(PieceLength)), campo, code);
}

void FieldListWriter::writePiece(const QString& value, const LayoutField& campo, const QString& code)
{
    const QString formatted = isFormatted(m_family, campo, value.isEmpty())
                                  ? FormatField(value, campo.width, campo.format, campo.info)
                                  : QString();
    if (formatted.size() > campo.width)
        throw EZfError(QStringLiteral("Il valore \"%1\" non sta nei %2 caratteri del %3")
                           .arg(value)
                           .arg(campo.width)
                           .arg(fieldName(campo)));
    if (!code.isEmpty() && !isWorthWriting(campo.format, formatted))
        return;
    m_list.append(m_letter, m_progressive, code + formatted);
}

} // namespace cu
