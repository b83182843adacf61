// Certificate-layout drawing on the PDF document object.
#include "printing/LayoutDrawing.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/text/ValueText.h"
#include "printing/PrintFont.h"
#include "printing/PrintValues.h"

namespace cu {

namespace {

const QString MakerPointForm = QStringLiteral("Stampato con Modello CU 2025");
const QString MakerMillimetreForm = QStringLiteral(
    "Stampato con Modello CU 2025 - Conforme al modello approvato con provvedimento del Direttore "
    "dell'Agenzia delle Entrate");
const QString EmptyDate = QStringLiteral("0.00.00");

// A date value as "dd/mm/yyyy" (the conversion error when it is not a date).
QString dateText(const QVariant& value)
{
    return printvalues::requireDate(value).toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

void DrawMakerLine(HlkPdf& pdf, MakerLineForm form)
{
    const bool points = form == MakerLineForm::Points;
    const QString& text = points ? MakerPointForm : MakerMillimetreForm;
    pdf.SetLastOperation(QStringLiteral("Scrivi testo: ") + text);
    pdf.SetTextSize(7);
    pdf.DrawRotatedText(points ? 15 : 4, points ? 800 : 279, 90, text);
}

LayoutDrawing::LayoutDrawing(HlkPdf& pdf, bool duplex) : m_pdf(pdf), m_duplex(duplex) {}

HlkPdf::Alignment LayoutDrawing::alignmentOf(const QString& name)
{
    if (name.compare(u"taRightJustify", Qt::CaseInsensitive) == 0)
        return HlkPdf::Alignment::Right;
    if (name.compare(u"taCenter", Qt::CaseInsensitive) == 0)
        return HlkPdf::Alignment::Centre;
    return HlkPdf::Alignment::Left;
}

double LayoutDrawing::spacingOf(const QString& text)
{
    bool ok = false;
    const double value = QString(text).replace(u',', u'.').toDouble(&ok);
    return ok ? value : 0.0;
}

void LayoutDrawing::DrawValue(const QString& text, double x, double y, double size,
                              const QString& alignmentName, const QString& spacingText)
{
    m_pdf.SetLastOperation(QStringLiteral("Scrivi testo: ") + text);
    m_pdf.SetTextSize(size);
    m_pdf.ZfDrawText(x, y, text, spacingOf(spacingText), alignmentOf(alignmentName));
}

void LayoutDrawing::DrawDate(const QString& date, double x, double y, double size, int gap1, int gap2,
                             HlkPdf::Alignment alignment)
{
    const QString text = printvalues::spacedDate(date, gap1, gap2);
    m_pdf.SetLastOperation(QStringLiteral("Scrivi testo: ") + text);
    m_pdf.SetTextSize(size);
    m_pdf.ZfDrawText(x, y, text, 0, alignment);
}

void LayoutDrawing::DrawDayMonth(const QString& date, double x, double y, double size, int gap)
{
    DrawValue(printvalues::spacedDayMonth(date, gap), x, y, size, QStringLiteral("taLeftJustify"),
              QStringLiteral("no"));
}

void LayoutDrawing::PrintLayoutSection(const EliUXml::XMLSectionType& section, const Dataset& data)
{
    for (const EliUXml::XMLEditType edit : section.Edit()) {
        try {
            DrawLayoutEdit(edit, data);
        } catch (const UndrawableCharacter& e) {
            throw e.inField(edit.Name());
        }
    }
}

void LayoutDrawing::DrawLayoutEdit(const EliUXml::XMLEditType& edit, const Dataset& data)
{
    const QVariant value = data.value(edit.Name());
    if (value.isNull())
        return;
    const EliUXml::XMLPrintRectType rect = edit.PrintRect();
    const double x = rect.Left();
    const double y = rect.Top();
    const double size = rect.Height();
    const QString text = text::valueText(value, text::ValueTextForm::Print);
    const QString alignment = edit.Alignment();
    if (alignment == u"taRightJustify") {
        Currency amount;
        if (rect.Format() == u"Round")
            amount = Currency::fromVariant(value).value_or(Currency()).rounded(0);
        else
            amount = printvalues::requireNumber(value);
        const QString formatted = printvalues::amount(amount);
        if (formatted != u"0,00")
            DrawValue(formatted, x, y, size, QStringLiteral("taRightJustify"), QStringLiteral("no"));
    } else if (alignment == u"taData") {
        if (text != EmptyDate && !text.isEmpty())
            DrawDate(dateText(value), x, y, size, 4, 4);
    } else if (alignment == u"taDataggmm") {
        if (text != EmptyDate && !text.isEmpty())
            DrawDayMonth(dateText(value), x, y, size, 4);
    } else if (alignment == u"tacheckbox") {
        if (text == u"1")
            DrawValue(QStringLiteral("X"), x, y, size, QStringLiteral("taLeftJustify"), edit.Space());
    } else if (text != u"0") {
        DrawValue(text, x, y, size, alignment, edit.Space());
    }
}

void LayoutDrawing::DrawPageNumber(int number)
{
    DrawValue(QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')), 192, 12, 8,
              QStringLiteral("taLeftJustify"), QStringLiteral("5"));
    DrawMakerLine();
}

void LayoutDrawing::DrawMakerLine()
{
    cu::DrawMakerLine(m_pdf, MakerLineForm::Millimetres);
}

void LayoutDrawing::AddBlankPageForDuplex()
{
    if (!m_duplex || m_pdf.PageCount() % 2 == 0)
        return;
    const QString operation = QStringLiteral("Inserimento \"Pagina vuota\"");
    m_pdf.SetLastOperation(operation);
    m_pdf.NewPage();
    m_pdf.SelectPage(m_pdf.PageCount());
}

} // namespace cu
