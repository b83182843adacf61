// What the prints show is what the file sends: every column that the
// certificate layouts print under a point of the form (the schema's point,
// or the one the print geometry gives a column without one) has, in the
// telematic layouts, the code of its family and that point.
#include "certificates/CertificateSchema.h"
#include "support/TestPaths.h"
#include "telematic/layouts/RecordLayout.h"

#include <QDomDocument>
#include <QFile>
#include <QTest>

using namespace cu;

namespace {

QDomDocument readXml(const QString& path)
{
    QDomDocument document;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
        qFatal("cannot read %s", qPrintable(path));
    return document;
}

// Every column name that a print layout fills.
QSet<QString> printedColumns(const QString& layout)
{
    QSet<QString> columns;
    const QDomNodeList edits = readXml(layout).elementsByTagName(QStringLiteral("Edit"));
    for (int i = 0; i < edits.size(); ++i)
        columns.insert(edits.at(i).toElement().attribute(QStringLiteral("Name")).toUpper());
    return columns;
}

// The points the print geometry gives to columns without a point in the schema.
QHash<QString, QString> geometryPoints()
{
    QHash<QString, QString> points;
    const QDomNodeList captions =
        readXml(test::sourceRoot() + QStringLiteral("/tools/print-models/geometry.xml"))
            .elementsByTagName(QStringLiteral("caption"));
    for (int i = 0; i < captions.size(); ++i) {
        const QDomElement c = captions.at(i).toElement();
        if (c.hasAttribute(QStringLiteral("column")) && c.hasAttribute(QStringLiteral("point")))
            points.insert(c.attribute(QStringLiteral("column")).toUpper(),
                          c.attribute(QStringLiteral("point")));
    }
    return points;
}

// Code of every coded field of a layout, by its column.
QMultiHash<QString, QString> codesByColumn(const RecordLayout& layout)
{
    QMultiHash<QString, QString> codes;
    for (const LayoutSection& s : layout.sections())
        for (const LayoutField& f : s.fields)
            if (f.isCoded())
                codes.insert(f.field.toUpper(), f.code());
    return codes;
}

} // namespace

class TestPrintedPoints : public QObject
{
    Q_OBJECT

private slots:
    void printedPointsAreSent_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("record");
        QTest::newRow("fiscal data") << "TCUD_DATICUD"
                                     << "fiscali"
                                     << "DB001"
                                     << "Record_G.xml";
        QTest::newRow("INPS") << "TCUDI_INPS"
                              << "inps"
                              << "DC001"
                              << "Record_G.xml";
        QTest::newRow("public-sector INPS") << "TCUDN_INPDAP"
                                            << "inpdap"
                                            << "DC001"
                                            << "Record_G.xml";
        QTest::newRow("INAIL") << "TCUIN_INAIL"
                               << "inail"
                               << "DC001"
                               << "Record_G.xml";
        QTest::newRow("severance pay") << "TCUDT_TFR"
                                       << "tfr"
                                       << "DD001"
                                       << "Record_G.xml";
        QTest::newRow("self-employment") << "TASE_AUTSOMMEEROGATE"
                                         << "autonomi"
                                         << "AU001"
                                         << "Record_H.xml";
    }
    void printedPointsAreSent()
    {
        QFETCH(QString, table);
        QFETCH(QString, part);
        QFETCH(QString, family);
        QFETCH(QString, record);
        const QString res = test::sourceRoot() + QStringLiteral("/resources/USR/FJ2024/Res/");
        const CertificateSchema schema = CertificateSchema::load(res + QStringLiteral("Schema/eli.xml"));
        const QSet<QString> printed = printedColumns(res + QStringLiteral("StpCUD.xml")) +
                                      printedColumns(res + QStringLiteral("StpCUD_Ord.xml"));
        const QHash<QString, QString> givenPoints = geometryPoints();
        const QMultiHash<QString, QString> codes = codesByColumn(
            RecordLayout::load(res + QStringLiteral("filetel/") + record,
                               record == u"Record_H.xml" ? LayoutBinding::H : LayoutBinding::G));
        int checked = 0;
        for (const ColumnSchema& column : schema.table(table)->columns) {
            const QString name = column.name.toUpper();
            const QString point = column.point.isEmpty() ? givenPoints.value(name) : column.point;
            if (column.part != part || point.isEmpty() || !printed.contains(name))
                continue;
            const QString code = family + QStringLiteral("%1").arg(point.toInt(), 3, 10, QLatin1Char('0'));
            QVERIFY2(codes.values(name).contains(code),
                     qPrintable(QStringLiteral("%1 stampato al punto %2 ma inviato come %3")
                                    .arg(column.name, point, codes.values(name).join(u',') + u' ')));
            ++checked;
        }
        QVERIFY(checked > 0);
    }
};

QTEST_GUILESS_MAIN(TestPrintedPoints)
#include "test_printed_points.moc"
