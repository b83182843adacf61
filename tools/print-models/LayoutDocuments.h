// The layout files written beside the models: certificate layouts (root Cud,
// millimetres) and the print configuration (root PdfConf, points).
#pragma once

#include <QDomDocument>
#include <QMap>
#include <QString>

namespace cu::models {

struct EditSpec
{
    QString name;
    QString alignment;
    QString space = QStringLiteral("no");
    QString type;
    int left = 0;
    int top = 0;
    int height = 8;
};

class CudLayout
{
public:
    CudLayout();
    // target: "Sos" or "Pag1" ... "Pag12"; sections before index are created empty.
    void addEdit(const QString& target, int section, const QString& sectionName, const EditSpec& edit);
    void save(const QString& path) const;

private:
    QDomElement section(const QString& target, int index, const QString& name);
    QDomDocument m_document;
    QMap<QString, QDomElement> m_targets;
};

struct ConfigEditSpec
{
    QString name;
    int left = 0;
    int top = 0;
    int height = 8;
    int vOffset = 0;
};

class PdfConfLayout
{
public:
    PdfConfLayout(const QString& pageName, int templatePage);
    void addEdit(const QString& sectionName, const ConfigEditSpec& edit);
    void save(const QString& path) const;

private:
    QDomDocument m_document;
    QDomElement m_page;
    QMap<QString, QDomElement> m_sections;
};

void saveDocument(const QDomDocument& document, const QString& path);

} // namespace cu::models
