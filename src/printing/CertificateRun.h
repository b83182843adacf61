// One run of the certificate print: a new document built from the synthetic
// or the ordinary model, one certificate after another, each following the
// page map of its model (agent block and personal data, fiscal pages and
// dependants, social-security pages repeated while section rows remain,
// annotations, self-employment, choice of the tax share).
#pragma once

#include "foundation/installation/WorkingYear.h"
#include "printing/EliUXml.h"
#include "printing/HlkPdf.h"
#include "printing/LayoutDrawing.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>
#include <map>

namespace cu {

class Dataset;
class Operator;
class PrintTables;
struct CertificateSections;

struct CertificateRunSettings
{
    bool ordinary = false;
    bool duplex = false;
    bool signatureOmitted = false;
    int workingYear = WorkingYear::Default;
    QString templatePath;
    EliUXml::XMLCudType layout;
    QSet<QString> noteCodes; // codes of "TNOT_NOTE.cds" (ordinary annotation rows)
    bool noteCodesLoaded = false;
};

class CertificateRun
{
public:
    CertificateRun(CertificateRunSettings settings, CertificateSections& sections, PrintTables& tables,
                   Operator& op);

    // Prints the certificate of the list's current row.
    void printCertificate(const Dataset& certificate);
    // Saves the new document; a failure names the file that may be open.
    void save(const QString& path);

    // The fiscal-data test of the page maps.
    static bool hasFiscalData(const Dataset& certificate);

private:
    struct Feed;

    void copyPage(int modelPage, const QString& operation);
    void firstPage(const Dataset& certificate);
    void certificatePage(const EliUXml::XMLPagType& page, const Dataset& certificate, bool signaturePage);
    void certificateSection(const EliUXml::XMLSectionType& section, const Dataset& certificate,
                            bool signaturePage);
    void repeatedPage(int modelPage, const EliUXml::XMLPagType& page, int certificateSectionIndex,
                      QVector<Feed> feeds, const QString& operation, bool furtherCopyNeedsValues = false);
    void tfrPair(const QString& operation);
    void dependantsBlock(double startY);
    void annotationPage();
    void rebuildAnnotationRows();
    void choicePage(const Dataset& certificate);
    void continuationHeader();
    void drawRigo(double x, const QVector<double>& ys, int number);
    const QVector<int>& certificateRows(Dataset& dataset);
    bool hasRows(Dataset& dataset);

    void printSynthetic(const Dataset& certificate);
    void printOrdinary(const Dataset& certificate);

    CertificateRunSettings m_settings;
    CertificateSections& m_sections;
    PrintTables& m_tables;
    Operator& m_op;
    HlkPdf m_pdf;
    LayoutDrawing m_drawing;
    int m_templateId = 0;
    int m_printed = 0;
    int m_pageNumber = 1;
    // The current certificate.
    const Dataset* m_certificate = nullptr;
    QString m_codFis;
    QString m_mese;
    qint64 m_afiId = 0;
    QString m_annotations;
    Dataset* m_agent = nullptr; // the agent whose data the certificate carries
    std::map<const Dataset*, QHash<QString, QVector<int>>> m_rowIndex;
    bool m_otherAgent = false;
};

} // namespace cu
