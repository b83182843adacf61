// Rows of the field list for records C, D, G and H.
#include "telematic/records/FieldListWriter.h"

#include "foundation/text/TextFunctions.h"
#include "telematic/WorkingLists.h"
#include "telematic/layouts/FileText.h"
#include "telematic/layouts/FormatField.h"

namespace cu {

namespace {

constexpr int PieceLength = 16;

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

void FieldListWriter::writeCampo(const QString& value, const LayoutField& campo, int module)
{
    const QString code = codeFor(campo, module);
    if (value.size() <= campo.width) {
        writePiece(value, campo, code);
        return;
    }
    writePiece(text::trimEnd(value.left(PieceLength)), campo, code);
    const int further = qMax(1, campo.width - 1);
    for (QString rest = value.mid(PieceLength); !rest.isEmpty(); rest = rest.mid(further))
        writePiece(text::trimEnd((u'+' + rest.left(further)).left(PieceLength)), campo, code);
}

void FieldListWriter::writePiece(const QString& value, const LayoutField& campo, const QString& code)
{
    const QString formatted = isFormatted(m_family, campo, value.isEmpty())
                                  ? FormatField(value, campo.width, campo.format, campo.info)
                                  : QString();
    if (!code.isEmpty() && text::trimBoth(text::unmarked(formatted)).isEmpty())
        return;
    m_list.append(m_letter, m_progressive, code + formatted);
}

} // namespace cu
