// Typed read access to the print configuration "stpStampe.xml", root
// element PdfConf: pages by name, their sections (named after the data set
// that supplies the values), edits and any number of rectangles per edit
// (points from the top-left corner, with offsets per repeat index).
#pragma once

#include "printing/XmlBinding.h"

namespace cu::EliUXmlPdfConfig {

class XMLPrintRectType : public xmlbinding::Node
{
public:
    using Node::Node;
    int Top() const { return integer(QStringLiteral("Top")); }
    int Left() const { return integer(QStringLiteral("Left")); }
    int Height() const { return integer(QStringLiteral("Height")); }
    int Space() const { return integer(QStringLiteral("Space")); }
    int vOffset() const { return integer(QStringLiteral("vOffset")); }
    int oOffset() const { return integer(QStringLiteral("oOffset")); }
    int MinIndex() const { return integer(QStringLiteral("MinIndex")); }
    int MaxIndex() const { return integer(QStringLiteral("MaxIndex")); }
    void SetTop(int v) { setInteger(QStringLiteral("Top"), v); }
    void SetLeft(int v) { setInteger(QStringLiteral("Left"), v); }
    void SetHeight(int v) { setInteger(QStringLiteral("Height"), v); }
    void SetSpace(int v) { setInteger(QStringLiteral("Space"), v); }
    void SetvOffset(int v) { setInteger(QStringLiteral("vOffset"), v); }
    void SetoOffset(int v) { setInteger(QStringLiteral("oOffset"), v); }
    void SetMinIndex(int v) { setInteger(QStringLiteral("MinIndex"), v); }
    void SetMaxIndex(int v) { setInteger(QStringLiteral("MaxIndex"), v); }
};

class XMLEditType : public xmlbinding::Node
{
public:
    using Node::Node;
    QString Name() const { return text(QStringLiteral("Name")); }
    QString Alignment() const { return text(QStringLiteral("Alignment")); }
    QString Type() const { return text(QStringLiteral("Type")); }
    void SetName(const QString& v) { setText(QStringLiteral("Name"), v); }
    void SetAlignment(const QString& v) { setText(QStringLiteral("Alignment"), v); }
    void SetType(const QString& v) { setText(QStringLiteral("Type"), v); }
    xmlbinding::NodeList<XMLPrintRectType> PrintRect() const
    {
        return {source(), element(), QStringLiteral("PrintRect")};
    }
};

class XMLSectionType : public xmlbinding::Node
{
public:
    using Node::Node;
    QString Name() const { return text(QStringLiteral("Name")); }
    QString Repeat() const { return text(QStringLiteral("Repeat")); }
    void SetName(const QString& v) { setText(QStringLiteral("Name"), v); }
    void SetRepeat(const QString& v) { setText(QStringLiteral("Repeat"), v); }
    xmlbinding::NodeList<XMLEditType> Edit() const { return {source(), element(), QStringLiteral("Edit")}; }
};

class XMLPageType : public xmlbinding::Node
{
public:
    using Node::Node;
    QString Name() const { return text(QStringLiteral("Name")); }
    int Template() const { return integer(QStringLiteral("Template")); }
    void SetName(const QString& v) { setText(QStringLiteral("Name"), v); }
    void SetTemplate(int v) { setInteger(QStringLiteral("Template"), v); }
    xmlbinding::NodeList<XMLSectionType> Section() const
    {
        return {source(), element(), QStringLiteral("Section")};
    }
};

class XMLPdfConfType : public xmlbinding::Node
{
public:
    using Node::Node;
    xmlbinding::NodeList<XMLPageType> Page() const { return {source(), element(), QStringLiteral("Page")}; }
};

// The typed PdfConf root of a loaded document.
XMLPdfConfType GetPdfConf(const std::shared_ptr<xmlbinding::Source>& document);
// Loads a print configuration: a missing or malformed file, a root that is
// not PdfConf or a position off the page (LayoutGeometry.h) is an EZfError.
std::shared_ptr<xmlbinding::Source> LoadPdfConf(const QString& path);

} // namespace cu::EliUXmlPdfConfig
