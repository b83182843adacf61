// The PDF document object of one print: open documents identified by integer
// ids, one of them selected, and the few operations the prints need (copy
// template pages, draw text and boxes, save). Coordinates are measured from
// the chosen origin in points or millimetres. A failing operation raises
// EZfError carrying the operation under way (SetLastOperation) and the
// library's message.
#pragma once

#include <QString>
#include <memory>

namespace cu {

class HlkPdf
{
public:
    enum class Alignment
    {
        Left,
        Right,
        Centre
    };

    HlkPdf();
    ~HlkPdf();
    HlkPdf(const HlkPdf&) = delete;
    HlkPdf& operator=(const HlkPdf&) = delete;

    // Loads a PDF file as a new document and selects it.
    void LoadFromFile(const QString& path);
    // Id of the selected document, 0 when none.
    int SelectedDocument() const;
    // An empty A4 document holding one blank page, selected; returns its id.
    int NewDocument();
    // 1: coordinates from the top-left corner, y downwards; 0: bottom-left.
    void SetOrigin(int origin);
    // 0: points, 1: millimetres.
    void SetMeasurementUnits(int units);
    // Appends copies of the source document's pages ("3" or "10,11") to the
    // end of the selected document. Each source page is placed once in the
    // target as a reusable form and drawn on every page that copies it.
    void CopyPageRanges(int sourceDocument, const QString& ranges);
    // Removes count pages of the selected document from page first (from 1).
    void DeletePages(int first, int count);
    int PageCount() const;
    // Later drawing goes to this page (from 1) of the selected document.
    void SelectPage(int page);
    // Appends a blank page of the size of the document's last page.
    void NewPage();
    void SetTextSize(double size);
    // Draws text at (x, y), the baseline at y, aligned with respect to x. A
    // positive spacing is a fixed pitch: each character is centred in its
    // own cell of that width, the cells starting at x (left), ending at x
    // (right) or centred on x. Text holding a character the print font
    // cannot draw is refused (UndrawableCharacter) before anything is drawn.
    void ZfDrawText(double x, double y, const QString& text, double spacing, Alignment alignment);
    // Text turned counter-clockwise by angle degrees about (left, top).
    void DrawRotatedText(double left, double top, double angle, const QString& text);
    // The outline of a rectangle whose top-left corner is (left, top).
    void DrawBox(double left, double top, double width, double height, int options);
    // Writes the selected document; nothing is left behind on failure.
    void SaveToFile(const QString& path);

    // Records the operation under way; a failure raised afterwards names it
    // ("Caricamento modello base", "Scrivi testo: ..."), followed by the
    // library's message.
    void SetLastOperation(const QString& text);

    // Width of text at the current size, in the current units.
    double textWidth(const QString& text) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace cu
