// Field-by-field lines of records A, B and Z.
#include "telematic/records/RecordLine.h"

#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "telematic/layouts/FileText.h"
#include "telematic/layouts/FormatField.h"

namespace cu {

namespace {

QString recordLetterOf(RecordFamily family)
{
    switch (family) {
    case RecordFamily::A:
        return QStringLiteral("A");
    case RecordFamily::B:
        return QStringLiteral("B");
    default:
        return QStringLiteral("Z");
    }
}

QString fieldName(RecordFamily family, const LayoutField& campo)
{
    return QStringLiteral("record %1, campo %2 (%3)")
        .arg(recordLetterOf(family), campo.code(), campo.description);
}

} // namespace

RecordLine::RecordLine(RecordFamily family, Operator& op) : m_family(family), m_op(op) {}

bool RecordLine::isWritten(RecordFamily family, const QString& info, bool valueEmpty)
{
    if (info == u"OF" || info == u"O@")
        return true;
    if (family == RecordFamily::Z)
        return false;
    if (info == u"@1")
        return family == RecordFamily::B;
    if (info == u"@@" || info == u"@X")
        return !valueEmpty;
    return false;
}

void RecordLine::appendCampo(const QString& value, const LayoutField& campo)
{
    if (!isWritten(m_family, campo.info, value.isEmpty()))
        return;
    QString text;
    try {
        text = text::fileText(value);
    } catch (const text::UnwritableCharacter& e) {
        throw EZfError(e.message() + QStringLiteral(" - ") + fieldName(m_family, campo));
    }
    const QString formatted = FormatField(text, campo.width, campo.format, campo.info);
    if (formatted.size() > campo.width)
        throw EZfError(QStringLiteral("Il valore \"%1\" non sta nei %2 caratteri del %3")
                           .arg(text)
                           .arg(campo.width)
                           .arg(fieldName(m_family, campo)));
    if (m_line.size() >= MaxLength) {
        m_op.warning(QStringLiteral("Supera i 1900 caratteri"));
        return;
    }
    m_line += formatted;
}

QString RecordLine::close() const
{
    QString line = text::unmarked(m_line);
    if (m_family == RecordFamily::Z)
        line += u'A';
    return line;
}

QString buildRecordLine(RecordFamily family, const RecordLayout& layout,
                        const std::function<QString(const LayoutField&)>& valueOf, Operator& op)
{
    RecordLine line(family, op);
    for (const LayoutSection& section : layout.sections())
        for (const LayoutField& campo : section.fields)
            line.appendCampo(valueOf(campo), campo);
    return line.close();
}

} // namespace cu
