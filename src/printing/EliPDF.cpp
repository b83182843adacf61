// Print-configuration engine.
#include "printing/EliPDF.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/ValueText.h"
#include "printing/LayoutDrawing.h"
#include "printing/PrintFont.h"
#include "printing/PrintValues.h"

#include <QDir>
#include <QFileInfo>

namespace cu {

EliPDF::EliPDF() = default;
EliPDF::~EliPDF() = default;

bool EliPDF::OpenTemplate(const QString& templatePath, const QString& configPath)
{
    if (!QFileInfo::exists(templatePath) || !QFileInfo::exists(configPath))
        return false;
    m_config.reset();
    m_config = EliUXmlPdfConfig::LoadPdfConf(configPath);
    m_pdf = std::make_unique<HlkPdf>();
    m_pdf->SetLastOperation(QStringLiteral("Caricamento modello base"));
    m_pdf->LoadFromFile(templatePath);
    m_templateId = m_pdf->SelectedDocument();
    m_pdf->SetLastOperation(QStringLiteral("Creazione nuovo documento"));
    m_newId = m_pdf->NewDocument();
    m_pdf->SetOrigin(1);
    m_pdf->SetMeasurementUnits(0);
    return true;
}

void EliPDF::CopyTemplatePage(int pageNumber, bool deleteFirst, bool drawMakerLine)
{
    if (!m_pdf)
        throw EAssertion(QStringLiteral("Nessun modello aperto"), QStringLiteral("EliPDF"));
    const QString operation = QStringLiteral("Copia pagina") + QString::number(pageNumber);
    m_pdf->SetLastOperation(operation);
    m_pdf->CopyPageRanges(m_templateId, QString::number(pageNumber));
    if (deleteFirst)
        m_pdf->DeletePages(1, 1);
    m_pdf->SelectPage(m_pdf->PageCount());
    if (drawMakerLine)
        DrawMakerLine(*m_pdf, MakerLineForm::Points);
}

bool EliPDF::PrintConfigSection(const QString& pageName, const QString& sectionName, int index)
{
    if (!m_config)
        return false;
    for (const EliUXmlPdfConfig::XMLPageType page : EliUXmlPdfConfig::GetPdfConf(m_config).Page()) {
        if (page.Name().compare(pageName, Qt::CaseInsensitive) != 0)
            continue;
        for (const EliUXmlPdfConfig::XMLSectionType section : page.Section()) {
            if (section.Name().compare(sectionName, Qt::CaseInsensitive) != 0)
                continue;
            for (const EliUXmlPdfConfig::XMLEditType edit : section.Edit())
                PrintEdit(edit, index);
            return true;
        }
    }
    return false;
}

void EliPDF::PrintEdit(const EliUXmlPdfConfig::XMLEditType& edit, int index)
{
    const QString sectionName = edit.element().parentNode().toElement().attribute(QStringLiteral("Name"));
    Dataset* data = m_datasets.value(sectionName.toLower());
    if (!data || !data->isActive() || data->recNo() < 0)
        return;
    const QVariant value = data->value(edit.Name());
    for (const EliUXmlPdfConfig::XMLPrintRectType rect : edit.PrintRect()) {
        const int minIndex = rect.MinIndex();
        const int maxIndex = rect.MaxIndex();
        if (maxIndex != 0 && (index < minIndex || index > maxIndex))
            continue;
        // In double: a configuration's extreme indexes or offsets must not overflow.
        const double k = double(index) - minIndex;
        try {
            DrawField(value, rect.Left() + k * rect.oOffset(), rect.Top() + k * rect.vOffset(), rect.Height(),
                      rect.Space(), edit.Alignment(), edit.Type());
        } catch (const UndrawableCharacter& e) {
            const bool certificate = data->hasField(u"SCUDCODFIS") && data->hasField(u"SCUDCOGNOME");
            throw e.inField(edit.Name()).ofPerson(certificate ? printfont::personOf(*data) : QString());
        }
    }
}

QString EliPDF::formatField(const QVariant& value, const QString& type)
{
    const QString text = text::valueText(value, text::ValueTextForm::Print);
    if (type == u"TR" || type == u"TA") {
        if (text.trimmed().isEmpty())
            return QString();
        const Currency number = printvalues::requireNumber(value);
        return printvalues::wholeAmount(type == u"TA" ? number.rounded(0)
                                                      : Currency::fromUnits(number.units()));
    }
    if (type == u"DT" || type == u"DA") {
        if (text.trimmed().isEmpty())
            return QString();
        return printvalues::requireDate(value).toString(type == u"DT" ? QStringLiteral("dd MM yyyy")
                                                                      : QStringLiteral("dd MM"));
    }
    if (type == u"CD")
        return text.rightJustified(11, u' ');
    if (type == u"CB")
        return text == u"1" ? QStringLiteral("X") : QString();
    return text;
}

void EliPDF::DrawField(const QVariant& value, double x, double y, double size, double spacing,
                       const QString& alignment, const QString& type)
{
    const QString text = formatField(value, type);
    const QString upper = alignment.toUpper();
    const HlkPdf::Alignment align = upper == u"TACENTER"         ? HlkPdf::Alignment::Centre
                                    : upper == u"TARIGHTJUSTIFY" ? HlkPdf::Alignment::Right
                                                                 : HlkPdf::Alignment::Left;
    m_pdf->SetLastOperation(QStringLiteral("Scrivi testo: ") + text);
    m_pdf->SetTextSize(size);
    m_pdf->ZfDrawText(x, y, text, spacing, align);
}

void EliPDF::SaveDocument(const QString& path, bool openFile, bool openFolder)
{
    if (!m_pdf)
        throw EAssertion(QStringLiteral("Nessun documento da salvare"), QStringLiteral("EliPDF"));
    const QString folder = QFileInfo(path).absolutePath();
    QDir().mkpath(folder);
    m_pdf->SetLastOperation(QStringLiteral("Salvataggio stampa"));
    m_pdf->SaveToFile(path);
    if (openFile && openDocument)
        openDocument(path);
    if (openFolder && this->openFolder)
        this->openFolder(folder);
}

void EliPDF::setDataset(const QString& name, Dataset* dataset)
{
    m_datasets.insert(name.toLower(), dataset);
}

} // namespace cu
