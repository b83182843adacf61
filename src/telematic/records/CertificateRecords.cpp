// Records D, G, H and C as rows of the field list.
#include "telematic/records/CertificateRecords.h"

#include "foundation/operator/Errors.h"
#include "telematic/TelematicData.h"
#include "telematic/WorkingLists.h"
#include "telematic/layouts/FieldNumbers.h"
#include "telematic/layouts/RecordLayout.h"
#include "telematic/records/CertificateSelection.h"
#include "telematic/records/FieldListWriter.h"

#include <optional>

namespace cu {

namespace {

const QString HeadSectionTitle = QStringLiteral("intestazione record");
const QString FurtherChildrenTitle =
    QStringLiteral("Dati relativi al coniuge e ai familiari a carico - ALTRI FIGLI");
constexpr int FurtherChildrenFirstModule = 603;

QString personName(TelematicData& data)
{
    return data.dip().asString(u"SCUDCOGNOME") + u' ' + data.dip().asString(u"SCUDNOME");
}

// The recipient as errors name it: "percipiente ROSSI MARIO (RSSMRA85T10A562S)".
QString recipient(TelematicData& data)
{
    return QStringLiteral("percipiente %1 (%2)").arg(personName(data), data.dip().asString(u"SCUDCODFIS"));
}

// Fetch from the current row of the selection's cursor named by the field's Cds.
QVariant fetchFromCursor(CertificateSelection& selection, const LayoutField& campo)
{
    return selection.requireCursor(campo.cds).value(campo.field);
}

bool anySectionRows(CertificateSelection& selection, const QStringList& names)
{
    for (const QString& name : names)
        if (!selection.requireCursor(name).isEmpty())
            return true;
    return false;
}

// The head fields the certificate records share: "1" the record letter
// (which the writer takes as the letter of the rows that follow), "3" the
// module or row number, "5" the certificate's number within its supply,
// where the record has them; nothing for the other fields.
std::optional<QString> headValue(FieldListWriter& writer, const LayoutField& campo, std::optional<int> module,
                                 std::optional<int> numberInSupply)
{
    const QString number = campo.code();
    if (number == fieldnumbers::RecordLetter) {
        writer.setLetter(campo.fixed);
        return campo.fixed;
    }
    if (number == fieldnumbers::Module && module)
        return QString::number(*module);
    if (number == fieldnumbers::Certificate && numberInSupply)
        return QString::number(*numberInSupply);
    return std::nullopt;
}

QString operationType(Dataset& dip)
{
    if (dip.asString(u"LCUDSOSTITUZIONE") == u"1")
        return QStringLiteral("S");
    if (dip.asString(u"LCUDANNULLAMENTO") == u"1")
        return QStringLiteral("A");
    return QString();
}

// Writes the sections of record G for one certificate.
class RecordGWriter
{
public:
    RecordGWriter(RecordWriterContext& context, FieldListWriter& writer)
        : m_context(context), m_writer(writer)
    {
    }

    void writeCertificate(const RecordLayout& layout, int certificate)
    {
        m_certificate = certificate;
        m_writer.setSubject(recipient(m_context.data));
        m_moduleNumber = 1;
        const QStringList& modules = TelematicData::moduleSectionNames();
        for (const QString& name : modules)
            m_context.selection.requireCursor(name).first();
        if (!anySectionRows(m_context.selection, modules)) {
            for (const LayoutSection& section : layout.sections())
                if (!isModuleSection(section))
                    writeSection(section);
            return;
        }
        for (bool firstModule = true; anyModuleLeft(); firstModule = false) {
            if (!firstModule)
                ++m_moduleNumber;
            for (const LayoutSection& section : layout.sections())
                if (firstModule || section.text.toLower() == HeadSectionTitle || hasRowsLeft(section))
                    writeSection(section);
            for (const QString& name : modules)
                m_context.selection.requireCursor(name).next();
        }
    }

private:
    static bool isModuleSection(const LayoutSection& section)
    {
        return TelematicData::moduleSectionNames().contains(section.cds, Qt::CaseInsensitive);
    }

    bool hasRowsLeft(const LayoutSection& section)
    {
        return isModuleSection(section) && !m_context.selection.requireCursor(section.cds).eof();
    }

    bool anyModuleLeft()
    {
        for (const QString& name : TelematicData::moduleSectionNames())
            if (!m_context.selection.requireCursor(name).eof())
                return true;
        return false;
    }

    void writeSection(const LayoutSection& section)
    {
        m_writer.setCertificateNumber(m_certificate);
        if (section.repeat == u"NO") {
            writeFields(section, 0);
            return;
        }
        if (section.repeat != u"YES")
            return;
        RowCursor& rows = m_context.selection.requireCursor(section.cds);
        int module = section.text == FurtherChildrenTitle ? FurtherChildrenFirstModule : 1;
        for (rows.first(); !rows.eof(); rows.next())
            writeFields(section, module++);
    }

    void writeFields(const LayoutSection& section, int module)
    {
        for (const LayoutField& campo : section.fields)
            m_writer.writeCampo(valueOf(campo), campo, module);
    }

    QString valueOf(const LayoutField& campo)
    {
        if (std::optional<QString> head = headValue(m_writer, campo, m_moduleNumber,
                                                    m_context.limits.numberInSupply(m_certificate)))
            return *head;
        if (std::optional<QString> computed = computedValueG(m_context, campo))
            return *computed;
        return getCampoValue(RecordFamily::G, campo, [this](const LayoutField& f) {
            return fetchFromCursor(m_context.selection, f);
        });
    }

    RecordWriterContext& m_context;
    FieldListWriter& m_writer;
    int m_certificate = 0;
    int m_moduleNumber = 1;
};

} // namespace

int writeRecordsD(RecordWriterContext& context, const QVector<int>& positions)
{
    context.log(QStringLiteral("Generazione del Record D..."));
    const RecordLayout layout = loadRecordD(context.folders);
    FieldListWriter writer(context.fields, RecordFamily::CD);
    Dataset& dip = context.data.dip();
    int written = 0;
    for (int position : positions) {
        context.selection.select(position);
        const bool worthWriting = context.selection.certificateHasData() ||
                                  anySectionRows(context.selection, TelematicData::personSectionNames()) ||
                                  !context.selection.requireCursor(u"cdsAnnotazioni").isEmpty() ||
                                  dip.asString(u"LCUDANNULLAMENTO") == u"1";
        if (!worthWriting)
            continue;
        context.log(QStringLiteral("Percipiente: ") + personName(context.data));
        writer.setSubject(recipient(context.data));
        const int certificate = position + 1;
        const QString operation = operationType(dip);
        const auto valueOf = [&](const LayoutField& campo) -> QString {
            if (std::optional<QString> head =
                    headValue(writer, campo, std::nullopt, context.limits.numberInSupply(certificate)))
                return *head;
            if (campo.code() == fieldnumbers::Operation)
                return operation;
            return getCampoValue(RecordFamily::CD, campo, [&](const LayoutField& f) {
                const bool agent = f.cds.compare(u"cdsSost", Qt::CaseInsensitive) == 0;
                return context.selection.requireCursor(agent ? u"cdsSost" : u"cdsDip").value(f.field);
            });
        };
        for (const LayoutSection& section : layout.sections()) {
            writer.setCertificateNumber(certificate);
            for (const LayoutField& campo : section.fields)
                writer.writeCampo(valueOf(campo), campo, 0);
        }
        ++written;
    }
    return written;
}

RecordGCounts writeRecordsG(RecordWriterContext& context, const QVector<int>& positions)
{
    context.log(QStringLiteral("Generazione del Record G..."));
    const RecordLayout layout = loadRecordG(context.folders);
    FieldListWriter writer(context.fields, RecordFamily::G);
    RecordGWriter certificateWriter(context, writer);
    RecordGCounts counts;
    for (int position : positions) {
        context.selection.select(position);
        const bool worthWriting = context.selection.certificateHasData() ||
                                  !context.selection.requireCursor(u"cdsConFamCar").isEmpty() ||
                                  anySectionRows(context.selection, TelematicData::moduleSectionNames());
        if (!worthWriting) {
            ++counts.skipped;
            continue;
        }
        ++counts.written;
        certificateWriter.writeCertificate(layout, position + 1);
    }
    return counts;
}

int writeRecordsH(RecordWriterContext& context, const QVector<int>& positions)
{
    context.log(QStringLiteral("Generazione del Record H..."));
    const RecordLayout layout = loadRecordH(context.folders);
    FieldListWriter writer(context.fields, RecordFamily::H);
    int written = 0;
    for (int position : positions) {
        context.selection.select(position, false);
        RowCursor& rows = context.selection.requireCursor(u"cdsAutSe");
        if (rows.isEmpty())
            continue;
        context.log(QStringLiteral("Autonomo: ") + personName(context.data));
        writer.setSubject(recipient(context.data));
        ++written;
        const int certificate = position + 1;
        for (rows.first(); !rows.eof(); rows.next()) {
            const int rowNumber = rows.index() + 1;
            const auto valueOf = [&](const LayoutField& campo) -> QString {
                if (std::optional<QString> head =
                        headValue(writer, campo, rowNumber, context.limits.numberInSupply(certificate)))
                    return *head;
                return getCampoValue(RecordFamily::H, campo, [&](const LayoutField& f) {
                    return fetchFromCursor(context.selection, f);
                });
            };
            for (const LayoutSection& section : layout.sections()) {
                writer.setCertificateNumber(certificate);
                for (const LayoutField& campo : section.fields)
                    writer.writeCampo(valueOf(campo), campo, 0);
            }
        }
    }
    return written;
}

void writeRecordsC(RecordWriterContext& context)
{
    context.log(QStringLiteral("Generazione del Record C..."));
    const RecordLayout layout = loadRecordC(context.folders);
    FieldListWriter writer(context.fields, RecordFamily::CD);
    writer.setSubject(QStringLiteral("quadro CT"));
    Dataset& ct = context.data.quadroCT();
    int ctRow = 1;
    for (ct.first(); !ct.eof(); ct.next(), ++ctRow) {
        writer.setCertificateNumber(ctRow);
        const auto valueOf = [&](const LayoutField& campo) -> QString {
            if (std::optional<QString> head = headValue(writer, campo, ctRow, std::nullopt))
                return *head;
            return getCampoValue(RecordFamily::CD, campo, [&](const LayoutField& f) {
                const int field = ct.fieldIndex(f.field);
                if (field < 0)
                    throw EZfError(
                        QStringLiteral("Il tracciato nomina la colonna %1, assente dai dati").arg(f.field));
                return ct.value(field);
            });
        };
        for (const LayoutSection& section : layout.sections())
            for (const LayoutField& campo : section.fields)
                writer.writeCampo(valueOf(campo), campo, 0);
    }
}

} // namespace cu
