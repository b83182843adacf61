// The print engine of the print-configuration prints (points): opens a
// template and the configuration "stpStampe.xml", copies template pages into
// a new document, writes the edits of a configuration section from the
// current row of the data set the section names, and saves.
#pragma once

#include "printing/EliUXmlPdfConfig.h"
#include "printing/HlkPdf.h"

#include <QMap>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace cu {

class Dataset;

class EliPDF
{
public:
    EliPDF();
    virtual ~EliPDF();
    EliPDF(const EliPDF&) = delete;
    EliPDF& operator=(const EliPDF&) = delete;

    // False, doing nothing, when either file is missing; otherwise loads the
    // configuration, replaces the PDF document object, loads the template and
    // makes a new document (points, origin top-left).
    bool OpenTemplate(const QString& templatePath, const QString& configPath);
    // Appends a copy of template page n and selects it; deleteFirst removes
    // the new document's blank first page.
    void CopyTemplatePage(int pageNumber, bool deleteFirst, bool drawMakerLine);
    // Writes the first section named sectionName of the first page named
    // pageName (both ignoring case) for the repeat index; true when found.
    bool PrintConfigSection(const QString& pageName, const QString& sectionName, int index);
    void PrintEdit(const EliUXmlPdfConfig::XMLEditType& edit, int index);
    // Formats the value by its type code ("TR", "TA", "DT", "DA", "SP",
    // "CD", "CB") and draws it.
    void DrawField(const QVariant& value, double x, double y, double size, double spacing,
                   const QString& alignment, const QString& type);
    void SaveDocument(const QString& path, bool openFile, bool openFolder);

    // The data set that configuration sections of that name print from.
    void setDataset(const QString& name, Dataset* dataset);
    HlkPdf* pdf() const { return m_pdf.get(); }

    // How a saved document or its folder is shown; unset, nothing is opened.
    std::function<void(const QString& path)> openDocument;
    std::function<void(const QString& folder)> openFolder;

    // The text a type code turns the value into (empty: nothing drawn).
    static QString formatField(const QVariant& value, const QString& type);

private:
    std::unique_ptr<HlkPdf> m_pdf;
    int m_templateId = 0;
    int m_newId = 0;
    std::shared_ptr<xmlbinding::Source> m_config; // set while the configuration is active
    QMap<QString, Dataset*> m_datasets;           // by lower-case name
};

} // namespace cu
