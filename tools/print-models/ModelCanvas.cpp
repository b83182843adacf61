// PoDoFo drawing of the model pages.
#include "ModelCanvas.h"

#include <QDir>
#include <QFileInfo>
#include <podofo/podofo.h>
#include <stdexcept>

using namespace PoDoFo;

namespace cu::models {

namespace {

PdfString pdfText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return PdfString(reinterpret_cast<const pdf_utf8*>(utf8.constData()));
}

} // namespace

struct ModelCanvas::Impl
{
    double unit;
    PdfMemDocument document;
    PdfPainter painter;
    PdfPage* page = nullptr;
    PdfFont* regular = nullptr;
    PdfFont* bold = nullptr;

    PdfFont* font(bool isBold, double size) const
    {
        PdfFont* f = isBold ? bold : regular;
        f->SetFontSize(static_cast<float>(size));
        return f;
    }
    double px(double x) const { return x * unit; }
    double py(double y) const { return page->GetMediaBox().GetHeight() - y * unit; }
};

ModelCanvas::ModelCanvas(double unit) : d(std::make_unique<Impl>())
{
    PdfError::EnableDebug(false);
    PdfError::EnableLogging(false);
    d->unit = unit;
    const PdfEncoding* encoding = PdfEncodingFactory::GlobalWinAnsiEncodingInstance();
    d->regular = d->document.CreateFont("Helvetica", false, false, false, encoding,
                                        PdfFontCache::eFontCreationFlags_AutoSelectBase14, false);
    d->bold = d->document.CreateFont("Helvetica", true, false, false, encoding,
                                     PdfFontCache::eFontCreationFlags_AutoSelectBase14, false);
}

ModelCanvas::~ModelCanvas()
{
    if (d->page)
        d->painter.FinishPage();
}

void ModelCanvas::newPage()
{
    if (d->page)
        d->painter.FinishPage();
    d->page = d->document.CreatePage(PdfPage::CreateStandardPageSize(ePdfPageSize_A4));
    d->painter.SetPage(d->page);
}

void ModelCanvas::text(double x, double y, double size, const QString& text, bool bold)
{
    d->painter.SetFont(d->font(bold, size));
    d->painter.SetColor(0, 0, 0);
    d->painter.DrawText(d->px(x), d->py(y), pdfText(text));
}

void ModelCanvas::fittedText(double x, double y, double size, const QString& text, double maxWidth, bool bold)
{
    QString shown = text;
    while (!shown.isEmpty() && textWidth(shown, size, bold) > maxWidth)
        shown = shown.left(shown.size() - 2) + QStringLiteral("…");
    if (shown != QStringLiteral("…"))
        this->text(x, y, size, shown, bold);
}

void ModelCanvas::rectangle(double x, double y, double w, double h, double lineWidth)
{
    d->painter.SetStrokeWidth(lineWidth);
    d->painter.SetStrokingColor(0.35, 0.35, 0.35);
    d->painter.Rectangle(d->px(x), d->py(y + h), w * d->unit, h * d->unit);
    d->painter.Stroke();
}

void ModelCanvas::filledRectangle(double x, double y, double w, double h, double grey)
{
    d->painter.SetColor(grey, grey, grey);
    d->painter.Rectangle(d->px(x), d->py(y + h), w * d->unit, h * d->unit);
    d->painter.Fill();
    d->painter.SetColor(0, 0, 0);
}

void ModelCanvas::line(double x1, double y1, double x2, double y2, double lineWidth)
{
    d->painter.SetStrokeWidth(lineWidth);
    d->painter.SetStrokingColor(0.35, 0.35, 0.35);
    d->painter.DrawLine(d->px(x1), d->py(y1), d->px(x2), d->py(y2));
}

double ModelCanvas::textWidth(const QString& text, double size, bool bold) const
{
    return d->font(bold, size)->GetFontMetrics()->StringWidth(pdfText(text)) / d->unit;
}

QStringList ModelCanvas::wrap(const QString& text, double width, double size) const
{
    QStringList lines;
    QString current;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString candidate = current.isEmpty() ? word : current + u' ' + word;
        if (!current.isEmpty() && textWidth(candidate, size) > width) {
            lines.append(current);
            current = word;
        } else {
            current = candidate;
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

double ModelCanvas::paragraph(double x, double y, double width, double size, const QString& text)
{
    const double leading = size * 1.35 / d->unit;
    for (const QString& l : wrap(text, width, size)) {
        y += leading;
        this->text(x, y, size, l);
    }
    return y;
}

void ModelCanvas::save(const QString& path)
{
    if (d->page) {
        d->painter.FinishPage();
        d->page = nullptr;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    d->document.GetInfo()->SetCreator(PdfString("Modello CU print-models"));
    d->document.Write(path.toLocal8Bit().constData());
}

} // namespace cu::models
