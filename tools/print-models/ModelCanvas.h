// Drawing of the model PDFs in millimetres from the top-left corner (or in
// points, for the signature sheet): captioned boxes, grey bands, texts in
// Helvetica and Helvetica-Bold, paragraphs wrapped to a width.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace cu::models {

class ModelCanvas
{
public:
    // unit: points per unit of the coordinates (72 / 25.4 for millimetres).
    explicit ModelCanvas(double unit);
    ~ModelCanvas();

    void newPage();
    void text(double x, double y, double size, const QString& text, bool bold = false);
    // Text cut with "…" so that it fits maxWidth.
    void fittedText(double x, double y, double size, const QString& text, double maxWidth, bool bold = false);
    void rectangle(double x, double y, double w, double h, double lineWidth = 0.4);
    void filledRectangle(double x, double y, double w, double h, double grey);
    void line(double x1, double y1, double x2, double y2, double lineWidth = 0.3);
    // Lines of text broken at spaces within width; returns the y below the last line.
    double paragraph(double x, double y, double width, double size, const QString& text);
    double textWidth(const QString& text, double size, bool bold = false) const;
    QStringList wrap(const QString& text, double width, double size) const;
    void save(const QString& path);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace cu::models
