// Records A, B and Z.
#include "telematic/records/SupplyRecords.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/TextFunctions.h"
#include "telematic/layouts/CampoValue.h"
#include "telematic/layouts/FieldNumbers.h"
#include "telematic/layouts/RecordLayout.h"
#include "telematic/records/RecordLine.h"

namespace cu {

namespace {

constexpr int FilingYear = 2025;

// Fetch of a layout field from one dataset, by component name.
CampoFetch fetchFrom(const Dataset& dataset, QStringView componentName)
{
    return [&dataset, componentName](const LayoutField& campo) -> QVariant {
        if (campo.cds.compare(componentName, Qt::CaseInsensitive) != 0)
            return QVariant();
        const int field = dataset.fieldIndex(campo.field);
        if (field < 0)
            throw EZfError(QStringLiteral("Il tracciato nomina la colonna %1, assente da %2")
                               .arg(campo.field, componentName.toString()));
        return dataset.recNo() < 0 ? QVariant() : dataset.value(field);
    };
}

bool hasFirstName(const Dataset& sost)
{
    const int field = sost.fieldIndex(QStringLiteral("SSOSNOME"));
    return field >= 0 && sost.recNo() >= 0 && !sost.value(field).toString().trimmed().isEmpty();
}

// The number written over the field of a Number, zero-filled to its width.
QString replaced(const RecordLayout& layout, const QString& line, const QString& number, int value)
{
    const FieldSpan span = layout.span(number);
    if (!span.isValid())
        throw EZfError(
            QStringLiteral("Il tracciato del record %1 non ha il campo %2").arg(line.left(1), number));
    QString patched = line;
    if (patched.size() < span.start + span.width)
        patched = text::padRight(patched, u' ', span.start + span.width, text::Overflow::Cut);
    patched.replace(span.start, span.width, text::padLeft(QString::number(value), u'0', span.width, text::Overflow::Keep));
    return patched;
}

} // namespace

QString supplyCode()
{
    return QStringLiteral("CUR") + QString::number(FilingYear).right(2);
}

QString writeRecordA(const RecordLayout& layout, const Dataset& forn, Operator& op)
{
    const CampoFetch fetch = fetchFrom(forn, u"cdsForn");
    return buildRecordLine(
        RecordFamily::A, layout,
        [&](const LayoutField& campo) {
            const QString value = getCampoValue(RecordFamily::A, campo, fetch);
            return campo.code() == fieldnumbers::SupplyCode ? supplyCode() : value;
        },
        op);
}

QString writeRecordB(const RecordLayout& layout, const Dataset& sost, bool ctPresent, const QString& producer,
                     Operator& op)
{
    const CampoFetch fetch = fetchFrom(sost, u"cdsSost");
    const bool person = hasFirstName(sost);
    return buildRecordLine(
        RecordFamily::B, layout,
        [&](const LayoutField& campo) {
            const QString value = getCampoValue(RecordFamily::B, campo, fetch);
            const QString number = campo.code();
            if (number == fieldnumbers::Producer)
                return producer;
            if (number == fieldnumbers::CtBox)
                return ctPresent ? QStringLiteral("1") : QStringLiteral("0");
            if (number == fieldnumbers::AgentSurname && !person)
                return QString();
            if (number == fieldnumbers::AgentEntityName && person)
                return QString();
            return value;
        },
        op);
}

QString writeRecordZ(const RecordLayout& layout, Operator& op)
{
    return buildRecordLine(
        RecordFamily::Z, layout, [](const LayoutField& campo) { return campo.fixed; }, op);
}

QString patchRecordA(const RecordLayout& layout, const QString& line, int totalFiles, int fileNumber)
{
    return replaced(layout, replaced(layout, line, fieldnumbers::FileNumber, fileNumber),
                    fieldnumbers::FileCount, totalFiles);
}

QString patchRecordB(const RecordLayout& layout, const QString& line, int employeeCertificates,
                     int selfEmployedCertificates)
{
    return replaced(layout, line, fieldnumbers::CertificateCount,
                    employeeCertificates + selfEmployedCertificates);
}

QString patchRecordZ(const RecordLayout& layout, const QString& line, const QHash<QChar, int>& lineCounts)
{
    QString patched = line;
    for (const auto& [letter, number] : fieldnumbers::lineCounters())
        if (layout.span(number).isValid())
            patched = replaced(layout, patched, number, lineCounts.value(letter));
    return patched;
}

} // namespace cu
