// The PDF document object on PoDoFo. Template pages become form XObjects of
// the target document once and are drawn on every page that copies them, so
// a print of thousands of certificates stores each model page only once.
#include "printing/HlkPdf.h"

#include "foundation/operator/Errors.h"
#include "printing/PrintFont.h"

#include <QSaveFile>
#include <QStringList>
#include <cmath>
#include <map>
#include <numbers>
#include <podofo/podofo.h>
#include <vector>

using namespace PoDoFo;

namespace cu {

namespace {

constexpr double PointsPerMillimetre = 72.0 / 25.4;

// A page of a source document placed in a target as a reusable form.
struct PlacedPage
{
    std::unique_ptr<PdfXObject> form;
    PdfRect size;
};

// PoDoFo finds a page by index, and inserts a page, by walking its page
// tree, which would make long prints quadratic. The pages of a new document
// are therefore made outside the tree, kept here in order, and put into the
// tree once, when the document is saved.
struct Document
{
    std::unique_ptr<PdfMemDocument> pdf;
    std::vector<PdfPage*> pages;
    std::vector<std::unique_ptr<PdfPage>> ownPages; // pages of a new document
    bool built = false;                             // a new document, not a loaded one

    PdfPage* addPage(const PdfRect& size)
    {
        ownPages.push_back(std::make_unique<PdfPage>(size, pdf.get()));
        pages.push_back(ownPages.back().get());
        return pages.back();
    }

    // Kids and Count of the root page node from the pages in order.
    void buildPageTree()
    {
        PdfObject* root = pdf->GetPagesTree()->GetObject();
        PdfArray kids;
        kids.reserve(pages.size());
        for (PdfPage* page : pages) {
            kids.push_back(page->GetObject()->Reference());
            page->GetObject()->GetDictionary().AddKey(PdfName("Parent"), root->Reference());
        }
        root->GetDictionary().AddKey(PdfName("Kids"), kids);
        root->GetDictionary().AddKey(PdfName("Count"), PdfVariant(static_cast<pdf_int64>(pages.size())));
    }
    PdfFont* font = nullptr;
    std::map<std::pair<int, int>, PlacedPage> placed; // (source id, page index)
};

// The text as PoDoFo's Unicode string, which the font's identity encoding
// turns into glyph numbers.
PdfString pdfText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return PdfString(reinterpret_cast<const pdf_utf8*>(utf8.constData()));
}

QString describe(const PdfError& e)
{
    QString text = QString::fromUtf8(PdfError::ErrorMessage(e.GetError()));
    const TDequeErrorInfo& info = e.GetCallstack();
    if (!info.empty() && !info.front().GetInformation().empty())
        text += QStringLiteral(": ") + QString::fromStdString(info.front().GetInformation());
    return text;
}

// "3", "10,11", "4-6" as 0-based page indexes.
std::vector<int> parseRanges(const QString& ranges, int pageCount, QString& error)
{
    std::vector<int> pages;
    for (const QString& part : ranges.split(u',', Qt::SkipEmptyParts)) {
        const QStringList bounds = part.trimmed().split(u'-');
        bool okFirst = false;
        bool okLast = false;
        const int first = bounds.first().toInt(&okFirst);
        const int last = bounds.size() == 2 ? bounds.last().toInt(&okLast) : first;
        if (!okFirst || (bounds.size() == 2 && !okLast) || bounds.size() > 2 || first < 1 || last < first ||
            last > pageCount) {
            error =
                QStringLiteral("Pagine non valide: %1 (il modello ha %2 pagine)").arg(ranges).arg(pageCount);
            return {};
        }
        for (int p = first; p <= last; ++p)
            pages.push_back(p - 1);
    }
    if (pages.empty())
        error = QStringLiteral("Nessuna pagina indicata");
    return pages;
}

} // namespace

struct HlkPdf::Impl
{
    std::map<int, Document> documents;
    int nextId = 1;
    int selected = 0;
    int selectedPage = -1; // 0-based
    int origin = 0;
    double unit = 1.0;
    double textSize = 12.0;
    QString lastOperation;
    PdfPainter painter;
    int painterDocument = 0;
    int painterPage = -1;

    ~Impl() { finishPainter(); }

    // Runs body; any failure becomes one EZfError naming the operation under
    // way and the library's message.
    template <class F> void guarded(F&& body)
    {
        try {
            body();
        } catch (const PdfError& e) {
            raise(describe(e));
        } catch (const Error& e) {
            raise(e.message());
        } catch (const std::exception& e) {
            raise(QString::fromUtf8(e.what()));
        }
    }

    [[noreturn]] void raise(const QString& libraryMessage) const
    {
        QString message = lastOperation;
        if (!libraryMessage.isEmpty())
            message += (message.isEmpty() ? QString() : QStringLiteral("\n")) + libraryMessage;
        throw EZfError(message);
    }

    [[noreturn]] void fail(const QString& message) const { throw EZfError(message); }

    Document& selectedDocument()
    {
        auto it = documents.find(selected);
        if (it == documents.end())
            fail(QStringLiteral("Nessun documento selezionato"));
        return it->second;
    }

    PdfPage* currentPage()
    {
        Document& doc = selectedDocument();
        if (selectedPage < 0 || selectedPage >= int(doc.pages.size()))
            fail(QStringLiteral("Nessuna pagina selezionata"));
        return doc.pages[std::size_t(selectedPage)];
    }

    void finishPainter()
    {
        if (painterDocument == 0)
            return;
        painterDocument = 0;
        painterPage = -1;
        try {
            painter.FinishPage();
        } catch (const PdfError&) {
            // The page is gone with its document; nothing left to write.
        }
    }

    void attachPainter(Document& doc, int documentId, int pageIndex)
    {
        if (painterDocument == documentId && painterPage == pageIndex)
            return;
        finishPainter();
        painter.SetPage(doc.pages[std::size_t(pageIndex)]);
        painterDocument = documentId;
        painterPage = pageIndex;
    }

    // The print font, embedded as the subset of the glyphs the document
    // uses (written when the document is saved).
    PdfFont* font(Document& doc)
    {
        if (!doc.font) {
            const QByteArray file = printfont::path().toLocal8Bit();
            doc.font = doc.pdf->CreateFontSubset("LiberationSans", false, false, false,
                                                 PdfEncodingFactory::GlobalIdentityEncodingInstance(),
                                                 file.constData());
            if (!doc.font)
                fail(QStringLiteral("Carattere di stampa %1 non leggibile").arg(printfont::path()));
        }
        doc.font->SetFontSize(static_cast<float>(textSize));
        return doc.font;
    }

    // The painter on the selected page, with the font at the current size.
    PdfPainter& painterOnSelection()
    {
        Document& doc = selectedDocument();
        currentPage();
        attachPainter(doc, selected, selectedPage);
        painter.SetFont(font(doc));
        return painter;
    }

    double toPdfX(double x) const { return x * unit; }
    double toPdfY(PdfPage* page, double y) const
    {
        return origin == 1 ? page->GetMediaBox().GetHeight() - y * unit : y * unit;
    }

    double width(const QString& text)
    {
        PdfFont* f = font(selectedDocument());
        return f->GetFontMetrics()->StringWidth(pdfText(text)) / unit;
    }

    PlacedPage& placedPage(Document& target, int sourceId, int pageIndex)
    {
        PlacedPage& placed = target.placed[{sourceId, pageIndex}];
        if (!placed.form) {
            const Document& sourceDocument = documents.at(sourceId);
            const PdfMemDocument& source = *sourceDocument.pdf;
            placed.size = sourceDocument.pages[std::size_t(pageIndex)]->GetMediaBox();
            placed.form = std::make_unique<PdfXObject>(source, pageIndex, target.pdf.get(), "Mod");
        }
        return placed;
    }
};

HlkPdf::HlkPdf() : d(std::make_unique<Impl>())
{
    PdfError::EnableDebug(false);
    PdfError::EnableLogging(false);
}

HlkPdf::~HlkPdf() = default;

void HlkPdf::LoadFromFile(const QString& path)
{
    d->guarded([&] {
        auto pdf = std::make_unique<PdfMemDocument>();
        pdf->Load(path.toLocal8Bit().constData());
        const int id = d->nextId++;
        Document& doc = d->documents[id];
        doc.pdf = std::move(pdf);
        for (int i = 0; i < doc.pdf->GetPageCount(); ++i)
            doc.pages.push_back(doc.pdf->GetPage(i));
        d->selected = id;
        d->selectedPage = doc.pages.empty() ? -1 : 0;
    });
}

int HlkPdf::SelectedDocument() const
{
    return d->selected;
}

int HlkPdf::NewDocument()
{
    int id = 0;
    d->guarded([&] {
        id = d->nextId++;
        Document& doc = d->documents[id];
        doc.pdf = std::make_unique<PdfMemDocument>();
        doc.built = true;
        doc.addPage(PdfPage::CreateStandardPageSize(ePdfPageSize_A4));
        d->selected = id;
        d->selectedPage = 0;
    });
    return id;
}

void HlkPdf::SetOrigin(int origin)
{
    d->origin = origin;
}

void HlkPdf::SetMeasurementUnits(int units)
{
    d->unit = units == 1 ? PointsPerMillimetre : 1.0;
}

void HlkPdf::CopyPageRanges(int sourceDocument, const QString& ranges)
{
    d->guarded([&] {
        auto source = d->documents.find(sourceDocument);
        if (source == d->documents.end())
            d->fail(QStringLiteral("Documento modello %1 non aperto").arg(sourceDocument));
        Document& target = d->selectedDocument();
        if (&source->second == &target)
            d->fail(QStringLiteral("Il modello non può essere copiato in se stesso"));
        QString error;
        const std::vector<int> pages = parseRanges(ranges, int(source->second.pages.size()), error);
        if (pages.empty())
            d->fail(error);
        for (int pageIndex : pages) {
            PlacedPage& placed = d->placedPage(target, sourceDocument, pageIndex);
            target.addPage(placed.size);
            const int newIndex = int(target.pages.size()) - 1;
            d->attachPainter(target, d->selected, newIndex);
            d->painter.DrawXObject(placed.size.GetLeft(), placed.size.GetBottom(), placed.form.get());
        }
    });
}

void HlkPdf::DeletePages(int first, int count)
{
    d->guarded([&] {
        Document& doc = d->selectedDocument();
        if (first < 1 || count < 1 || first + count - 1 > int(doc.pages.size()))
            d->fail(QStringLiteral("Pagine da eliminare non valide"));
        d->finishPainter();
        if (!doc.built)
            doc.pdf->DeletePages(first - 1, count);
        doc.pages.erase(doc.pages.begin() + (first - 1), doc.pages.begin() + (first - 1 + count));
        d->selectedPage = -1;
    });
}

int HlkPdf::PageCount() const
{
    auto it = d->documents.find(d->selected);
    return it == d->documents.end() ? 0 : int(it->second.pages.size());
}

void HlkPdf::SelectPage(int page)
{
    d->guarded([&] {
        Document& doc = d->selectedDocument();
        if (page < 1 || page > int(doc.pages.size()))
            d->fail(QStringLiteral("La pagina %1 non esiste").arg(page));
        d->selectedPage = page - 1;
    });
}

void HlkPdf::NewPage()
{
    d->guarded([&] {
        Document& doc = d->selectedDocument();
        const PdfRect size = doc.pages.empty() ? PdfPage::CreateStandardPageSize(ePdfPageSize_A4)
                                               : doc.pages.back()->GetMediaBox();
        if (doc.built)
            doc.addPage(size);
        else
            doc.pages.push_back(doc.pdf->CreatePage(size));
    });
}

void HlkPdf::SetTextSize(double size)
{
    if (size <= 0)
        d->raise(QStringLiteral("Dimensione del testo non valida: %1").arg(size));
    d->textSize = size;
}

void HlkPdf::ZfDrawText(double x, double y, const QString& text, double spacing, Alignment alignment)
{
    if (text.isEmpty())
        return;
    printfont::requireDrawable(text);
    d->guarded([&] {
        PdfPainter& painter = d->painterOnSelection();
        PdfPage* page = d->currentPage();
        const double baseline = d->toPdfY(page, y);
        if (spacing <= 0) {
            const double w = d->width(text);
            const double left = alignment == Alignment::Left    ? x
                                : alignment == Alignment::Right ? x - w
                                                                : x - w / 2;
            painter.DrawText(d->toPdfX(left), baseline, pdfText(text));
            return;
        }
        const double total = spacing * text.size();
        const double start = alignment == Alignment::Left    ? x
                             : alignment == Alignment::Right ? x - total
                                                             : x - total / 2;
        for (int i = 0; i < text.size(); ++i) {
            const QString character(text.at(i));
            if (character == u" ")
                continue;
            const double left = start + i * spacing + (spacing - d->width(character)) / 2;
            painter.DrawText(d->toPdfX(left), baseline, pdfText(character));
        }
    });
}

void HlkPdf::DrawRotatedText(double left, double top, double angle, const QString& text)
{
    if (text.isEmpty())
        return;
    printfont::requireDrawable(text);
    d->guarded([&] {
        PdfPainter& painter = d->painterOnSelection();
        PdfPage* page = d->currentPage();
        const double radians = angle * std::numbers::pi / 180.0;
        painter.Save();
        painter.SetTransformationMatrix(std::cos(radians), std::sin(radians), -std::sin(radians),
                                        std::cos(radians), d->toPdfX(left), d->toPdfY(page, top));
        painter.DrawText(0, 0, pdfText(text));
        painter.Restore();
    });
}

void HlkPdf::DrawBox(double left, double top, double width, double height, int options)
{
    Q_UNUSED(options);
    d->guarded([&] {
        PdfPainter& painter = d->painterOnSelection();
        PdfPage* page = d->currentPage();
        const double bottom = d->origin == 1 ? top + height : top;
        painter.SetStrokeWidth(0.5);
        painter.Rectangle(d->toPdfX(left), d->toPdfY(page, bottom), width * d->unit, height * d->unit);
        painter.Stroke();
    });
}

void HlkPdf::SaveToFile(const QString& path)
{
    d->guarded([&] {
        Document& doc = d->selectedDocument();
        d->finishPainter();
        if (doc.built)
            doc.buildPageTree();
        PdfRefCountedBuffer buffer;
        PdfOutputDevice device(&buffer);
        doc.pdf->Write(&device);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            d->fail(file.errorString());
        const qint64 length = static_cast<qint64>(device.GetLength());
        if (file.write(buffer.GetBuffer(), length) != length || !file.commit())
            d->fail(file.errorString());
    });
}

void HlkPdf::SetLastOperation(const QString& text)
{
    d->lastOperation = text;
}

double HlkPdf::textWidth(const QString& text) const
{
    return d->width(text);
}

} // namespace cu
