// The layout bindings and the shipped layout files: refusals with the file,
// line and attribute, absent children created empty, and every shipped
// layout naming existing columns at positions on the page.
#include "certificates/CertificateSchema.h"
#include "foundation/operator/Errors.h"
#include "printing/EliUXml.h"
#include "printing/EliUXmlPdfConfig.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace cu;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return file.fileName();
}

QString resource(const QString& name)
{
    return test::sourceRoot() + QStringLiteral("/resources/USR/FJ2024/Res/") + name;
}

} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT

private slots:
    void missingFileIsRefusedWithItsName()
    {
        try {
            EliUXml::LoadCud(m_dir.filePath(QStringLiteral("assente.xml")));
            QFAIL("a missing layout must be refused");
        } catch (const EZfError& e) {
            QVERIFY(e.message().contains(QStringLiteral("assente.xml")));
        }
    }

    void malformedFileIsRefusedWithLineAndColumn()
    {
        const QString path = writeFile(m_dir, QStringLiteral("rotto.xml"), "<Cud>\n<Pag1>\n</Cud>\n");
        try {
            EliUXml::LoadCud(path);
            QFAIL("a malformed layout must be refused");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("riga 3")), qPrintable(e.message()));
            QVERIFY(e.message().contains(QStringLiteral("colonna")));
        }
    }

    void integerAttributesAreConvertedWhenRead()
    {
        const QString path = writeFile(m_dir, QStringLiteral("numeri.xml"),
                                       "<Cud><Pag1><Section Name=\"s\">"
                                       "<Edit Name=\"A\" Alignment=\"taCenter\" Space=\"no\">"
                                       "<PrintRect Top=\"dieci\" Left=\"12\" Height=\"8\"/></Edit>"
                                       "<Edit Name=\"B\"/></Section></Pag1></Cud>");
        const EliUXml::XMLCudType root = EliUXml::LoadCud(path); // loading does not read the numbers
        const auto edits = root.Pag1().Section().Item(0).Edit();
        QCOMPARE(edits.Item(0).PrintRect().Left(), 12);
        try {
            edits.Item(0).PrintRect().Top();
            QFAIL("a Top that is not a number must be refused");
        } catch (const EZfError& e) {
            QVERIFY(e.message().contains(QStringLiteral("numeri.xml")));
            QVERIFY(e.message().contains(QStringLiteral("Top")));
            QVERIFY(e.message().contains(QStringLiteral("PrintRect")));
        }
        // An absent PrintRect is created empty; its numbers are then missing.
        const EliUXml::XMLPrintRectType absent = edits.Item(1).PrintRect();
        QVERIFY(!absent.isNull());
        QVERIFY_THROWS_EXCEPTION(EZfError, absent.Height());
        QCOMPARE(root.Pag12().Section().Count(), 0);
        QCOMPARE(root.Sos().Section().Edit().Count(), 0);
    }

    void configurationVocabulary()
    {
        const QString path =
            writeFile(m_dir, QStringLiteral("conf.xml"),
                      "<PdfConf><Page Name=\"firmedipendenti\" Template=\"1\">"
                      "<Section Name=\"cdsDipendenti\" Repeat=\"1\"><Edit Name=\"X\">"
                      "<PrintRect Top=\"1\" Left=\"2\" Height=\"3\" Space=\"0\" vOffset=\"28\" "
                      "oOffset=\"0\" MinIndex=\"0\" MaxIndex=\"0\"/>"
                      "<PrintRect Top=\"1\" Left=\"2\" Height=\"3\" Space=\"0\" vOffset=\"x\" "
                      "oOffset=\"0\" MinIndex=\"0\" MaxIndex=\"0\"/>"
                      "</Edit></Section></Page></PdfConf>");
        const auto root = EliUXmlPdfConfig::GetPdfConf(xmlbinding::loadFile(path));
        const auto page = root.Page().Item(0);
        QCOMPARE(page.Template(), 1);
        const auto rects = page.Section().Item(0).Edit().Item(0).PrintRect();
        QCOMPARE(rects.Count(), 2);
        QCOMPARE(rects.Item(0).vOffset(), 28);
        QVERIFY_THROWS_EXCEPTION(EZfError, rects.Item(1).vOffset());
        // Add and insert keep the list in order.
        auto sections = page.Section();
        sections.Insert(0).SetName(QStringLiteral("primo"));
        QCOMPARE(sections.Count(), 2);
        QCOMPARE(page.Section().Item(0).Name(), QStringLiteral("primo"));
    }

    // Every edit of the shipped layouts names a column of the schema and lies
    // on an A4 page; the certificate layouts hold the pages the prints use.
    void shippedLayouts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("tables");
        QTest::addColumn<int>("pages");
        QTest::newRow("synthetic")
            << "StpCUD.xml"
            << "TCUD_DATICUD TCUS_DATISOST TCUDI_INPS TCUDN_INPDAP TCUIN_INAIL TCUDAE_ALTRIENTI "
               "TCUDT_TFR TASE_AUTSOMMEEROGATE TCUDCA_COOPART"
            << 8;
        QTest::newRow("ordinary")
            << "StpCUD_Ord.xml"
            << "TCUD_DATICUD TCUS_DATISOST TCUDI_INPS TCUDN_INPDAP TCUIN_INAIL TCUDAE_ALTRIENTI "
               "TCUDT_TFR TASE_AUTSOMMEEROGATE TCUDCA_COOPART TCUDA_ANNOTAZIONI"
            << 12;
        QTest::newRow("frontispiece") << "StpSost.xml"
                                      << "TCUS_DATISOST" << 0;
        QTest::newRow("quadro CT") << "StpQuadroCT.xml"
                                   << "TCUCT_DATICT" << 0;
    }
    void shippedLayouts()
    {
        QFETCH(QString, file);
        QFETCH(QString, tables);
        QFETCH(int, pages);
        const CertificateSchema schema = CertificateSchema::load(resource(QStringLiteral("Schema/eli.xml")));
        auto known = [&](const QString& column) {
            for (const QString& t : tables.split(u' '))
                if (schema.table(t)->column(column))
                    return true;
            return false;
        };
        const EliUXml::XMLCudType root = EliUXml::LoadCud(resource(file));
        QVector<EliUXml::XMLSectionType> sections{root.Sos().Section()};
        for (int p = 1; p <= 12; ++p) {
            const auto list = root.Pag(p).Section();
            if (p <= pages)
                QVERIFY2(list.Count() > 0, qPrintable(QStringLiteral("Pag%1 is empty").arg(p)));
            for (const auto s : list)
                sections.append(s);
        }
        int edits = 0;
        for (const auto& section : sections) {
            for (const auto edit : section.Edit()) {
                ++edits;
                QVERIFY2(known(edit.Name()), qPrintable(edit.Name()));
                const auto rect = edit.PrintRect();
                QVERIFY(rect.Left() >= 0 && rect.Left() <= 210);
                QVERIFY(rect.Top() >= 0 && rect.Top() <= 297);
                QVERIFY(rect.Height() >= 6 && rect.Height() <= 12);
            }
        }
        QVERIFY(edits > 5);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestLayouts)
#include "test_layouts.moc"
