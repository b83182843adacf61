// The drawing operations of the certificate-layout prints (millimetres): a
// value with its alignment and spacing, dates by parts, every edit of a
// layout section from a data set's current row, the page number, the
// maker's name line and the blank page that keeps each certificate on a
// front side when printing on both sides.
#pragma once

#include "printing/EliUXml.h"
#include "printing/HlkPdf.h"

namespace cu {

class Dataset;

enum class MakerLineForm
{
    Points,
    Millimetres
};

// The maker's name line, written vertically near the left edge.
void DrawMakerLine(HlkPdf& pdf, MakerLineForm form);

class LayoutDrawing
{
public:
    LayoutDrawing(HlkPdf& pdf, bool duplex);

    // "taRightJustify" right, "taCenter" centre (ignoring case), else left.
    static HlkPdf::Alignment alignmentOf(const QString& name);
    // Decimal text; anything that is not a number ("no") is 0.
    static double spacingOf(const QString& text);

    void DrawValue(const QString& text, double x, double y, double size, const QString& alignmentName,
                   const QString& spacingText);
    void DrawDate(const QString& date, double x, double y, double size, int gap1, int gap2,
                  HlkPdf::Alignment alignment = HlkPdf::Alignment::Left);
    void DrawDayMonth(const QString& date, double x, double y, double size, int gap);
    // A character the font cannot draw is refused naming the edit's column.
    void PrintLayoutSection(const EliUXml::XMLSectionType& section, const Dataset& data);
    void DrawPageNumber(int number);
    void DrawMakerLine();
    void AddBlankPageForDuplex();

    HlkPdf& pdf() { return m_pdf; }

private:
    void DrawLayoutEdit(const EliUXml::XMLEditType& edit, const Dataset& data);

    HlkPdf& m_pdf;
    bool m_duplex;
};

} // namespace cu
