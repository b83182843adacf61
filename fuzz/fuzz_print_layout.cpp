// The print layouts: the input is read as a certificate layout (root Cud,
// as "StpCUD.xml") or as the print configuration (root PdfConf, as
// "stpStampe.xml"), whichever its first byte chooses, and every page,
// section, edit and rectangle is read the way the prints read them.
#include "FuzzInput.h"

#include "printing/EliUXml.h"
#include "printing/EliUXmlPdfConfig.h"
#include "printing/LayoutDrawing.h"

namespace {

void readEdit(const cu::EliUXml::XMLEditType& edit)
{
    const cu::EliUXml::XMLPrintRectType rect = edit.PrintRect();
    (void)edit.Name();
    (void)cu::LayoutDrawing::alignmentOf(edit.Alignment());
    (void)cu::LayoutDrawing::spacingOf(edit.Space());
    (void)edit.Type();
    (void)rect.Format();
    (void)(rect.Left() + rect.Top() + rect.Height());
}

void readCertificateLayout(const QString& path)
{
    const cu::EliUXml::XMLCudType layout = cu::EliUXml::LoadCud(path);
    for (const cu::EliUXml::XMLEditType edit : layout.Sos().Section().Edit())
        cu::fuzz::refuseCleanly([&] { readEdit(edit); });
    for (int page = 1; page <= 12; ++page)
        for (const cu::EliUXml::XMLSectionType section : layout.Pag(page).Section())
            for (const cu::EliUXml::XMLEditType edit : section.Edit())
                cu::fuzz::refuseCleanly([&] { readEdit(edit); });
}

void readRect(const cu::EliUXmlPdfConfig::XMLPrintRectType& rect)
{
    (void)rect.Top();
    (void)rect.Left();
    (void)rect.Height();
    (void)rect.Space();
    (void)rect.vOffset();
    (void)rect.oOffset();
    (void)rect.MinIndex();
    (void)rect.MaxIndex();
}

void readPrintConfiguration(const QString& path)
{
    const auto document = cu::xmlbinding::loadFile(path);
    for (const cu::EliUXmlPdfConfig::XMLPageType page : cu::EliUXmlPdfConfig::GetPdfConf(document).Page()) {
        (void)page.Name();
        cu::fuzz::refuseCleanly([&] { (void)page.Template(); });
        for (const cu::EliUXmlPdfConfig::XMLSectionType section : page.Section()) {
            (void)section.Name();
            (void)section.Repeat();
            for (const cu::EliUXmlPdfConfig::XMLEditType edit : section.Edit()) {
                (void)cu::LayoutDrawing::alignmentOf(edit.Alignment());
                for (const cu::EliUXmlPdfConfig::XMLPrintRectType rect : edit.PrintRect())
                    cu::fuzz::refuseCleanly([&] { readRect(rect); });
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QString path = cu::fuzz::inputFile(data + 1, size - 1, QStringLiteral(".xml"));
    if (data[0] & 1)
        cu::fuzz::refuseCleanly([&] { readPrintConfiguration(path); });
    else
        cu::fuzz::refuseCleanly([&] { readCertificateLayout(path); });
    return 0;
}
