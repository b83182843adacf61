// Field-by-field lines of records A, B and Z.
#include "telematic/records/RecordLine.h"

#include "foundation/operator/Operator.h"
#include "telematic/layouts/FileText.h"
#include "telematic/layouts/FormatField.h"

namespace cu {

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
    const QString formatted = FormatField(value, campo.width, campo.format, campo.info);
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
