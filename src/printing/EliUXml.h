// Typed read access to the certificate layout files ("StpCUD.xml",
// "StpCUD_Ord.xml", "StpSost.xml", "StpQuadroCT.xml"), root element Cud:
// the agent block Sos, the printed pages Pag1 to Pag12, their sections,
// edits and the one rectangle of each edit (millimetres from the top-left
// corner, font size in points).
#pragma once

#include "printing/XmlBinding.h"

namespace cu::EliUXml {

class XMLPrintRectType : public xmlbinding::Node
{
public:
    using Node::Node;
    int Top() const { return integer(QStringLiteral("Top")); }
    int Left() const { return integer(QStringLiteral("Left")); }
    int Height() const { return integer(QStringLiteral("Height")); }
    QString Format() const { return text(QStringLiteral("Format")); }
    void SetTop(int v) { setInteger(QStringLiteral("Top"), v); }
    void SetLeft(int v) { setInteger(QStringLiteral("Left"), v); }
    void SetHeight(int v) { setInteger(QStringLiteral("Height"), v); }
    void SetFormat(const QString& v) { setText(QStringLiteral("Format"), v); }
};

class XMLEditType : public xmlbinding::Node
{
public:
    using Node::Node;
    QString Name() const { return text(QStringLiteral("Name")); }
    QString Alignment() const { return text(QStringLiteral("Alignment")); }
    QString Space() const { return text(QStringLiteral("Space")); }
    QString Type() const { return text(QStringLiteral("Type")); }
    void SetName(const QString& v) { setText(QStringLiteral("Name"), v); }
    void SetAlignment(const QString& v) { setText(QStringLiteral("Alignment"), v); }
    void SetSpace(const QString& v) { setText(QStringLiteral("Space"), v); }
    void SetType(const QString& v) { setText(QStringLiteral("Type"), v); }
    XMLPrintRectType PrintRect() const { return {source(), child(QStringLiteral("PrintRect"))}; }
};

class XMLSectionType : public xmlbinding::Node
{
public:
    using Node::Node;
    QString Name() const { return text(QStringLiteral("Name")); }
    void SetName(const QString& v) { setText(QStringLiteral("Name"), v); }
    xmlbinding::NodeList<XMLEditType> Edit() const { return {source(), element(), QStringLiteral("Edit")}; }
};

// Sos: the agent block, one section.
class XMLSosType : public xmlbinding::Node
{
public:
    using Node::Node;
    XMLSectionType Section() const { return {source(), child(QStringLiteral("Section"))}; }
};

// Pag1 ... Pag12 are alike: a list of sections.
class XMLPagType : public xmlbinding::Node
{
public:
    using Node::Node;
    xmlbinding::NodeList<XMLSectionType> Section() const
    {
        return {source(), element(), QStringLiteral("Section")};
    }
};
using XMLPag1Type = XMLPagType;
using XMLPag2Type = XMLPagType;
using XMLPag3Type = XMLPagType;
using XMLPag4Type = XMLPagType;
using XMLPag5Type = XMLPagType;
using XMLPag6Type = XMLPagType;
using XMLPag7Type = XMLPagType;
using XMLPag8Type = XMLPagType;
using XMLPag9Type = XMLPagType;
using XMLPag10Type = XMLPagType;
using XMLPag11Type = XMLPagType;
using XMLPag12Type = XMLPagType;

class XMLCudType : public xmlbinding::Node
{
public:
    using Node::Node;
    XMLSosType Sos() const { return {source(), child(QStringLiteral("Sos"))}; }
    // Page n (1 to 12); an absent page is created empty.
    XMLPagType Pag(int n) const;
    XMLPagType Pag1() const { return Pag(1); }
    XMLPagType Pag2() const { return Pag(2); }
    XMLPagType Pag3() const { return Pag(3); }
    XMLPagType Pag4() const { return Pag(4); }
    XMLPagType Pag5() const { return Pag(5); }
    XMLPagType Pag6() const { return Pag(6); }
    XMLPagType Pag7() const { return Pag(7); }
    XMLPagType Pag8() const { return Pag(8); }
    XMLPagType Pag9() const { return Pag(9); }
    XMLPagType Pag10() const { return Pag(10); }
    XMLPagType Pag11() const { return Pag(11); }
    XMLPagType Pag12() const { return Pag(12); }
};

// Loads a layout file and returns its typed Cud root; a missing or
// malformed file, a root that is not Cud or a position off the page
// (LayoutGeometry.h) is an EZfError.
XMLCudType LoadCud(const QString& fileName);

} // namespace cu::EliUXml
