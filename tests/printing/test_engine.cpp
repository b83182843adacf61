// The PDF filling engine: type codes, amounts and rounding, repeat indexes of
// the print configuration, page copies, the blank page of two-sided prints,
// Italian letters, failures that carry the operation and the size of a
// document that copies the same template page many times.
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "printing/EliPDF.h"
#include "printing/EliUXml.h"
#include "printing/HlkPdf.h"
#include "printing/LayoutDrawing.h"
#include "support/PrintingFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace cu;
using cu::test::PdfPageText;
using cu::test::readPdf;

namespace {

constexpr double MmPerPoint = 25.4 / 72.0;

// A template of n pages, each saying "Modello <n>".
QString makeTemplate(const QString& folder, int pages)
{
    HlkPdf pdf;
    pdf.NewDocument();
    pdf.SetOrigin(1);
    for (int p = 1; p <= pages; ++p) {
        if (p > 1)
            pdf.NewPage();
        pdf.SelectPage(p);
        pdf.SetTextSize(12);
        pdf.ZfDrawText(40, 40, QStringLiteral("Modello %1").arg(p), 0, HlkPdf::Alignment::Left);
    }
    const QString path = folder + QStringLiteral("/template.pdf");
    pdf.SetLastOperation(QStringLiteral("template"));
    pdf.SaveToFile(path);
    return path;
}

QString writeFile(const QString& folder, const QString& name, const QString& text)
{
    QFile file(folder + u'/' + name);
    file.open(QIODevice::WriteOnly);
    file.write(text.toUtf8());
    return file.fileName();
}

// A word's left edge and baseline band, in points.
bool near(const cu::test::PdfWord* w, double xPoints, double yPoints)
{
    return w && std::abs(w->left / MmPerPoint - xPoints) < 1.5 && w->top / MmPerPoint < yPoints &&
           w->bottom / MmPerPoint > yPoints - 1;
}

} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void typeCodes_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("expected");
        QTest::newRow("TR truncates") << QVariant::fromValue(Currency::parse(u"1234.9").value()) << "TR"
                                      << "1.234";
        QTest::newRow("TR negative") << QVariant(QStringLiteral("-1234,9")) << "TR"
                                     << "-1.234";
        QTest::newRow("TA rounds half up") << QVariant(QStringLiteral("1234,5")) << "TA"
                                           << "1.235";
        QTest::newRow("TA rounds half away") << QVariant(QStringLiteral("-0,5")) << "TA"
                                             << "-1";
        QTest::newRow("TA millions") << QVariant(QStringLiteral("1234567,49")) << "TA"
                                     << "1.234.567";
        QTest::newRow("CD short") << QVariant(QStringLiteral("12345")) << "CD"
                                  << "      12345";
        QTest::newRow("CD tax code") << QVariant(QStringLiteral("RSSMRA80A01H501U")) << "CD"
                                     << "RSSMRA80A01H501U";
        QTest::newRow("CB set") << QVariant(QStringLiteral("1")) << "CB"
                                << "X";
        QTest::newRow("CB unset") << QVariant(QStringLiteral("0")) << "CB"
                                  << "";
        QTest::newRow("CB empty") << QVariant(QString()) << "CB"
                                  << "";
        QTest::newRow("DT date") << QVariant(QDate(2024, 3, 5)) << "DT"
                                 << "05 03 2024";
        QTest::newRow("DA text") << QVariant(QStringLiteral("05/03/2024")) << "DA"
                                 << "05 03";
        QTest::newRow("SP unchanged") << QVariant(QStringLiteral(" a  b ")) << "SP"
                                      << " a  b ";
        QTest::newRow("other unchanged") << QVariant(QStringLiteral("0")) << "XX"
                                         << "0";
    }
    void typeCodes()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, type);
        QFETCH(QString, expected);
        QCOMPARE(EliPDF::formatField(value, type), expected);
    }

    void typeCodesRefuseWhatTheyCannotRead()
    {
        QVERIFY_THROWS_EXCEPTION(EZfError,
                                 EliPDF::formatField(QStringLiteral("dodici"), QStringLiteral("TR")));
        QVERIFY_THROWS_EXCEPTION(EZfError,
                                 EliPDF::formatField(QStringLiteral("31/02/2024"), QStringLiteral("DT")));
    }

    // MinIndex/MaxIndex bound the repeat indexes; MaxIndex 0 means every index;
    // offsets grow per step from MinIndex; page and section names ignore case.
    void repeatIndexes()
    {
        const QString templatePath = makeTemplate(m_dir.path(), 1);
        const QString config = writeFile(m_dir.path(), QStringLiteral("conf.xml"), QStringLiteral(R"(
<PdfConf><Page Name="FirmeDipendenti" Template="1"><Section Name="cdsProva" Repeat="1">
  <Edit Name="A" Alignment="taLeftJustify" Type="SP">
    <PrintRect Top="100" Left="100" Height="10" Space="0" vOffset="20" oOffset="10" MinIndex="2" MaxIndex="4"/>
  </Edit>
  <Edit Name="B" Alignment="taLeftJustify" Type="SP">
    <PrintRect Top="300" Left="300" Height="10" Space="0" vOffset="0" oOffset="0" MinIndex="5" MaxIndex="0"/>
  </Edit>
</Section></Page></PdfConf>)"));
        Dataset data;
        data.setFields(
            {{QStringLiteral("A"), FieldType::String, 10}, {QStringLiteral("B"), FieldType::String, 10}});
        data.open();
        data.append();
        data.setValue(u"A", QStringLiteral("alfa"));
        data.setValue(u"B", QStringLiteral("beta"));
        data.post();

        EliPDF engine;
        engine.setDataset(QStringLiteral("cdsProva"), &data);
        QVERIFY(engine.OpenTemplate(templatePath, config));
        const QList<int> indexes{1, 3, 4, 5};
        for (int i = 0; i < indexes.size(); ++i) {
            engine.CopyTemplatePage(1, i == 0, false);
            QVERIFY(engine.PrintConfigSection(QStringLiteral("firmedipendenti"), QStringLiteral("CDSPROVA"),
                                              indexes[i]));
        }
        QVERIFY(!engine.PrintConfigSection(QStringLiteral("FirmeDipendenti"), QStringLiteral("cdsAltro"), 1));
        const QString output = m_dir.path() + QStringLiteral("/indexes.pdf");
        engine.SaveDocument(output, false, false);

        const QVector<PdfPageText> pages = readPdf(output);
        QCOMPARE(pages.size(), 4);
        QVERIFY(!pages[0].contains(QStringLiteral("alfa")));            // index 1 < MinIndex 2
        QVERIFY(near(pages[1].find(QStringLiteral("alfa")), 110, 120)); // index 3: one step
        QVERIFY(near(pages[2].find(QStringLiteral("alfa")), 120, 140)); // index 4: two steps
        QVERIFY(!pages[3].contains(QStringLiteral("alfa")));            // index 5 > MaxIndex 4
        for (const PdfPageText& page : pages)
            QVERIFY(near(page.find(QStringLiteral("beta")), 300, 300)); // MaxIndex 0: always
    }

    void copiedPagesWithoutTheBlankFirstPage()
    {
        const QString templatePath = makeTemplate(m_dir.path(), 2);
        const QString config =
            writeFile(m_dir.path(), QStringLiteral("empty.xml"), QStringLiteral("<PdfConf/>"));
        EliPDF engine;
        QVERIFY(engine.OpenTemplate(templatePath, config));
        engine.CopyTemplatePage(1, true, false);
        engine.CopyTemplatePage(2, false, true);
        engine.CopyTemplatePage(1, false, false);
        QCOMPARE(engine.pdf()->PageCount(), 3);
        const QString output = m_dir.path() + QStringLiteral("/copies.pdf");
        engine.SaveDocument(output, false, false);
        const QVector<PdfPageText> pages = readPdf(output);
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages[0].text().contains(QStringLiteral("Modello 1")));
        QVERIFY(pages[1].text().contains(QStringLiteral("Modello 2")));
        QVERIFY(pages[1].text().contains(QStringLiteral("Modello CU 2025"))); // the maker's line
        QVERIFY(pages[2].text().contains(QStringLiteral("Modello 1")));
    }

    void openTemplateWithoutItsFilesDoesNothing()
    {
        EliPDF engine;
        QVERIFY(!engine.OpenTemplate(m_dir.path() + QStringLiteral("/none.pdf"), m_dir.path() + "/none.xml"));
        QVERIFY(engine.pdf() == nullptr);
    }

    void blankPageForTwoSidedPrinting_data()
    {
        QTest::addColumn<bool>("duplex");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("expected");
        QTest::newRow("odd, two-sided") << true << 3 << 4;
        QTest::newRow("even, two-sided") << true << 4 << 4;
        QTest::newRow("odd, one side") << false << 3 << 3;
    }
    void blankPageForTwoSidedPrinting()
    {
        QFETCH(bool, duplex);
        QFETCH(int, pages);
        QFETCH(int, expected);
        HlkPdf pdf;
        pdf.NewDocument();
        for (int p = 1; p < pages; ++p)
            pdf.NewPage();
        LayoutDrawing drawing(pdf, duplex);
        drawing.AddBlankPageForDuplex();
        QCOMPARE(pdf.PageCount(), expected);
    }

    // Amounts "#,##0.00" right-aligned, zero and rounded-away amounts not
    // drawn, "Round" to whole units, check boxes, dates by parts, "0" not drawn.
    void layoutSection()
    {
        const QString layoutPath = writeFile(m_dir.path(), QStringLiteral("cud.xml"), QStringLiteral(R"(
<Cud><Pag1><Section Name="prova">
  <Edit Name="F1" Alignment="taRightJustify" Space="no"><PrintRect Top="20" Left="100" Height="8"/></Edit>
  <Edit Name="F2" Alignment="taRightJustify" Space="no"><PrintRect Top="30" Left="100" Height="8" Format="Round"/></Edit>
  <Edit Name="F3" Alignment="taRightJustify" Space="no"><PrintRect Top="40" Left="100" Height="8" Format="Round"/></Edit>
  <Edit Name="F4" Alignment="taRightJustify" Space="no"><PrintRect Top="50" Left="100" Height="8"/></Edit>
  <Edit Name="L1" Alignment="tacheckbox" Space="no"><PrintRect Top="60" Left="20" Height="8"/></Edit>
  <Edit Name="L2" Alignment="tacheckbox" Space="no"><PrintRect Top="70" Left="20" Height="8"/></Edit>
  <Edit Name="D1" Alignment="taData" Space="no"><PrintRect Top="80" Left="20" Height="8"/></Edit>
  <Edit Name="S1" Alignment="taLeftJustify" Space="no"><PrintRect Top="90" Left="20" Height="8"/></Edit>
  <Edit Name="S2" Alignment="taLeftJustify" Space="no"><PrintRect Top="100" Left="20" Height="8"/></Edit>
</Section></Pag1></Cud>)"));
        const EliUXml::XMLCudType layout = EliUXml::LoadCud(layoutPath);
        QVERIFY(layout.Pag9().Section().Count() == 0); // an absent page is empty
        Dataset data;
        data.setFields({{"F1", FieldType::Currency, 0},
                        {"F2", FieldType::Currency, 0},
                        {"F3", FieldType::Currency, 0},
                        {"F4", FieldType::Currency, 0},
                        {"L1", FieldType::String, 1},
                        {"L2", FieldType::String, 1},
                        {"D1", FieldType::Date, 0},
                        {"S1", FieldType::String, 20},
                        {"S2", FieldType::String, 20}});
        data.open();
        data.append();
        data.setValue(u"F1", QVariant::fromValue(Currency()));
        data.setValue(u"F2", QVariant::fromValue(Currency::parse(u"0.004").value()));
        data.setValue(u"F3", QVariant::fromValue(Currency::parse(u"0.5").value()));
        data.setValue(u"F4", QVariant::fromValue(Currency::parse(u"1234567.891").value()));
        data.setValue(u"L1", QStringLiteral("0"));
        data.setValue(u"L2", QStringLiteral("1"));
        data.setValue(u"D1", QDate(2024, 3, 5));
        data.setValue(u"S1", QStringLiteral("0"));
        data.setValue(u"S2", QStringLiteral("Città"));
        data.post();

        HlkPdf pdf;
        pdf.NewDocument();
        pdf.SetOrigin(1);
        pdf.SetMeasurementUnits(1);
        LayoutDrawing drawing(pdf, false);
        drawing.PrintLayoutSection(layout.Pag1().Section().Item(0), data);
        const QString output = m_dir.path() + QStringLiteral("/section.pdf");
        pdf.SaveToFile(output);

        const PdfPageText page = readPdf(output).value(0);
        QStringList drawn;
        for (const cu::test::PdfWord& w : page.words)
            drawn.append(w.text);
        drawn.sort();
        QCOMPARE(drawn, (QStringList{"03", "05", "1,00", "1.234.567,89", "2024", "Città", "X"}));
        const cu::test::PdfWord* amount = page.find(QStringLiteral("1.234.567,89"));
        QVERIFY(std::abs(amount->right - 100) < 0.5); // right-aligned at Left
        const cu::test::PdfWord* day = page.find(QStringLiteral("05"));
        const cu::test::PdfWord* month = page.find(QStringLiteral("03"));
        QVERIFY(std::abs(day->left - 20) < 0.5);
        QVERIFY(month->left - day->right > 2.5); // four spaces between the parts
    }

    // Letters the font's encoding lacks are printed as their nearest form,
    // or as "?", never left out; what WinAnsi holds (’) stays.
    void lettersOutsideTheEncoding()
    {
        HlkPdf pdf;
        pdf.NewDocument();
        pdf.SetOrigin(1);
        pdf.SetMeasurementUnits(1);
        LayoutDrawing drawing(pdf, false);
        drawing.DrawValue(QStringLiteral("ȘTEFAN D’ANGELO X王Y"), 20, 50, 10, QStringLiteral("taLeftJustify"),
                          QStringLiteral("no"));
        const QString output = m_dir.path() + QStringLiteral("/letters.pdf");
        pdf.SaveToFile(output);
        const PdfPageText page = readPdf(output).value(0);
        QVERIFY(page.contains(QStringLiteral("STEFAN")));
        QVERIFY(page.contains(QStringLiteral("D’ANGELO")));
        QVERIFY(page.contains(QStringLiteral("X?Y")));
    }

    void spacingPutsEachCharacterInItsCell()
    {
        HlkPdf pdf;
        pdf.NewDocument();
        pdf.SetOrigin(1);
        pdf.SetMeasurementUnits(1);
        LayoutDrawing drawing(pdf, false);
        drawing.DrawPageNumber(7);
        drawing.DrawValue(QStringLiteral("AB"), 50, 50, 10, QStringLiteral("taLeftJustify"),
                          QStringLiteral("no"));
        const QString output = m_dir.path() + QStringLiteral("/spacing.pdf");
        pdf.SaveToFile(output);
        const PdfPageText page = readPdf(output).value(0);
        const cu::test::PdfWord* zero = page.find(QStringLiteral("0"));
        const cu::test::PdfWord* seven = page.find(QStringLiteral("7"));
        QVERIFY(zero && seven);
        QVERIFY(zero->left > 192 && zero->right < 197);   // cell 192..197
        QVERIFY(seven->left > 197 && seven->right < 202); // cell 197..202
        QVERIFY(page.contains(QStringLiteral("AB")));     // "no" spacing: ordinary text
    }

    void failuresCarryTheOperation()
    {
        HlkPdf pdf;
        pdf.NewDocument();
        QDir().mkpath(m_dir.path() + QStringLiteral("/occupied.pdf"));
        try {
            pdf.SetLastOperation(QStringLiteral("Salvataggio stampa"));
            pdf.SaveToFile(m_dir.path() + QStringLiteral("/occupied.pdf"));
            QFAIL("saving onto a folder must fail");
        } catch (const EZfError& e) {
            QVERIFY(e.message().startsWith(QStringLiteral("Salvataggio stampa")));
        }
        pdf.SetLastOperation(QStringLiteral("Copia pagina annotazioni"));
        try {
            pdf.CopyPageRanges(99, QStringLiteral("1"));
            QFAIL("copying from a document that is not open must fail");
        } catch (const EZfError& e) {
            QVERIFY(e.message().startsWith(QStringLiteral("Copia pagina annotazioni")));
        }
        QVERIFY_THROWS_EXCEPTION(EZfError, pdf.CopyPageRanges(1, QStringLiteral("1"))); // not into itself
    }

    // A template page copied many times is stored once.
    void repeatedTemplatePageIsStoredOnce()
    {
        const QString templatePath = makeTemplate(m_dir.path(), 1);
        HlkPdf pdf;
        pdf.LoadFromFile(templatePath);
        const int templateId = pdf.SelectedDocument();
        pdf.NewDocument();
        pdf.SetOrigin(1);
        constexpr int Copies = 300;
        for (int i = 0; i < Copies; ++i) {
            pdf.CopyPageRanges(templateId, QStringLiteral("1"));
            pdf.SelectPage(pdf.PageCount());
            pdf.SetTextSize(8);
            pdf.ZfDrawText(100, 100, QStringLiteral("Pagina %1").arg(i), 0, HlkPdf::Alignment::Left);
        }
        const QString output = m_dir.path() + QStringLiteral("/many.pdf");
        pdf.SaveToFile(output);
        QCOMPARE(readPdf(output).size(), Copies + 1);
        QVERIFY2(QFileInfo(output).size() < QFileInfo(templatePath).size() + Copies * 1000,
                 qPrintable(QString::number(QFileInfo(output).size())));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
