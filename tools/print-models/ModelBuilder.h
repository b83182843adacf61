// Reads the geometry description and the schema of the certificate tables
// and writes the model PDFs and their layout files into one folder.
#pragma once

#include "certificates/CertificateSchema.h"

#include <QDomElement>
#include <QMap>
#include <QString>

namespace cu::models {

class ModelCanvas;
class CudLayout;

class ModelBuilder
{
public:
    ModelBuilder(CertificateSchema schema, QDomElement geometry, QString outputFolder);
    // Writes every model and layout; throws std::runtime_error naming the
    // geometry element that does not fit.
    void buildAll();

private:
    struct Box;
    struct Area;
    struct Context;

    void buildCertificate(const QDomElement& model);
    void buildInstructions(const QDomElement& instructions);
    void buildSheet(const QDomElement& sheet);

    void drawPage(Context& context, const QDomElement& page);
    void drawElement(Context& context, const QDomElement& element);
    void drawHeader(Context& context, const QString& title);
    void placeGrid(Context& context, const QDomElement& grid);
    void placeFlow(Context& context, const QDomElement& flow);
    void placeBox(Context& context, const QDomElement& box);
    void addEdit(Context& context, const QDomElement& edit);
    void drawDependantsTable(Context& context, const QDomElement& table);
    void drawChoices(Context& context, const QDomElement& choices);
    void drawCells(Context& context, const QDomElement& cells);
    void emitBox(Context& context, const Box& box);

    // A box's label: the point of the form (drawn bold) and its text.
    struct Caption
    {
        QString point;
        QString text;
        bool isEmpty() const { return point.isEmpty() && text.isEmpty(); }
    };

    QVector<const ColumnSchema*> selectColumns(const QDomElement& e, const Context& context) const;
    Caption captionOf(const TableSchema& table, const ColumnSchema& column) const;
    bool isCodeColumn(const TableSchema& table, const ColumnSchema& column) const;
    int spanOf(const ColumnSchema& column, double unitWidth, int units) const;

    CertificateSchema m_schema;
    QDomElement m_geometry;
    QString m_output;
    QStringList m_unlabelled; // boxes without a caption, as "COLUMN (layout element)"
};

} // namespace cu::models
