// The positions of a print layout checked when it is loaded: every rectangle
// of every edit lies on the page it prints on, with a text size a reader can
// see and whole numbers where numbers belong. A layout that would put a
// value off the page (a negative, too large or unreadable coordinate) is
// refused naming the file, the line and the column, before anything is
// printed.
#pragma once

#include "printing/XmlBinding.h"

namespace cu::layoutgeometry {

struct Page
{
    int width;
    int height;
    const char* unit;
};

// The certificate layouts (Cud) measure in millimetres, the print
// configuration (PdfConf) in points; both print on A4.
inline constexpr Page A4Millimetres{210, 297, "mm"};
inline constexpr Page A4Points{595, 842, "pt"};

// Certificate layout: each Edit has one PrintRect (Top, Left, Height) and a
// Space that is "no" or a number of millimetres.
void requireCudOnPage(const xmlbinding::Source& source);
// Print configuration: each PrintRect (Top, Left, Height, Space, offsets and
// repeat indexes) on the page, also at its last bounded repeat index.
void requirePdfConfOnPage(const xmlbinding::Source& source);

} // namespace cu::layoutgeometry
