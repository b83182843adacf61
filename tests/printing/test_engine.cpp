// The PDF filling engine: type codes, amounts and rounding, repeat indexes of
// the print configuration, page copies, the blank page of two-sided prints,
// the letters of the archive in the embedded subset of the print font and the
// refusal of a character it cannot draw, failures that carry the operation
// and the size of a document that copies the same template page many times;
// the layout bindings (malformed files and positions off the page refused
// when loaded, with the file, line and column; absent children created
// empty) and every shipped layout naming existing columns at positions on
// the page.
#include "certificates/CertificateSchema.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "printing/EliPDF.h"
#include "printing/EliUXml.h"
#include "printing/EliUXmlPdfConfig.h"
#include "printing/HlkPdf.h"
#include "printing/LayoutDrawing.h"
#include "printing/PrintFont.h"
#include "support/PrintingFixture.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

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
        pdf.ZfDrawText(40, 40, u"Modello %1"_s.arg(p), 0, HlkPdf::Alignment::Left);
    }
    const QString path = folder + u"/template.pdf"_s;
    pdf.SetLastOperation(u"template"_s);
    pdf.SaveToFile(path);
    return path;
}

QString writeFile(const QString& folder, const QString& name, const QString& text)
{
    cu::test::writeFile(folder + u'/' + name, text.toUtf8());
    return folder + u'/' + name;
}

// A word's left edge and baseline band, in points.
bool near(const cu::test::PdfWord* w, double xPoints, double yPoints)
{
    return w && std::abs(w->left / MmPerPoint - xPoints) < 1.5 && w->top / MmPerPoint < yPoints &&
           w->bottom / MmPerPoint > yPoints - 1;
}

// What a program of poppler-utils prints.
QString toolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString resource(const QString& name)
{
    return test::sourceRoot() + u"/resources/USR/FJ2024/Res/"_s + name;
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
        // clang-format off
        QTest::newRow("TR truncates") << QVariant::fromValue(Currency::parse(u"1234.9").value()) << "TR" << "1.234";
        QTest::newRow("TR negative") << QVariant(u"-1234,9"_s) << "TR" << "-1.234";
        QTest::newRow("TA rounds half up") << QVariant(u"1234,5"_s) << "TA" << "1.235";
        QTest::newRow("TA rounds half away") << QVariant(u"-0,5"_s) << "TA" << "-1";
        QTest::newRow("TA millions") << QVariant(u"1234567,49"_s) << "TA" << "1.234.567";
        QTest::newRow("CD short") << QVariant(u"12345"_s) << "CD" << "      12345";
        QTest::newRow("CD tax code") << QVariant(u"RSSMRA80A01H501U"_s) << "CD" << "RSSMRA80A01H501U";
        QTest::newRow("CB set") << QVariant(u"1"_s) << "CB" << "X";
        QTest::newRow("CB unset") << QVariant(u"0"_s) << "CB" << "";
        QTest::newRow("CB empty") << QVariant(QString()) << "CB" << "";
        QTest::newRow("DT date") << QVariant(QDate(2024, 3, 5)) << "DT" << "05 03 2024";
        QTest::newRow("DA text") << QVariant(u"05/03/2024"_s) << "DA" << "05 03";
        QTest::newRow("SP unchanged") << QVariant(u" a  b "_s) << "SP" << " a  b ";
        QTest::newRow("other unchanged") << QVariant(u"0"_s) << "XX" << "0";
        // clang-format on
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
        QVERIFY_THROWS_EXCEPTION(EZfError, EliPDF::formatField(u"dodici"_s, u"TR"_s));
        QVERIFY_THROWS_EXCEPTION(EZfError, EliPDF::formatField(u"31/02/2024"_s, u"DT"_s));
    }

    // MinIndex/MaxIndex bound the repeat indexes; MaxIndex 0 means every index;
    // offsets grow per step from MinIndex; page and section names ignore case.
    void repeatIndexes()
    {
        const QString templatePath = makeTemplate(m_dir.path(), 1);
        const QString config = writeFile(m_dir.path(), u"conf.xml"_s, QStringLiteral(R"(
<PdfConf><Page Name="FirmeDipendenti" Template="1"><Section Name="cdsProva" Repeat="1">
  <Edit Name="A" Alignment="taLeftJustify" Type="SP">
    <PrintRect Top="100" Left="100" Height="10" Space="0" vOffset="20" oOffset="10" MinIndex="2" MaxIndex="4"/>
  </Edit>
  <Edit Name="B" Alignment="taLeftJustify" Type="SP">
    <PrintRect Top="300" Left="300" Height="10" Space="0" vOffset="0" oOffset="0" MinIndex="5" MaxIndex="0"/>
  </Edit>
</Section></Page></PdfConf>)"));
        Dataset data;
        data.setFields({{u"A"_s, FieldType::String, 10}, {u"B"_s, FieldType::String, 10}});
        data.open();
        cu::test::appendRow(data, {{u"A"_s, u"alfa"_s}, {u"B"_s, u"beta"_s}});

        EliPDF engine;
        engine.setDataset(u"cdsProva"_s, &data);
        QVERIFY(engine.OpenTemplate(templatePath, config));
        const QList<int> indexes{1, 3, 4, 5};
        for (int i = 0; i < indexes.size(); ++i) {
            engine.CopyTemplatePage(1, i == 0, false);
            QVERIFY(engine.PrintConfigSection(u"firmedipendenti"_s, u"CDSPROVA"_s, indexes[i]));
        }
        QVERIFY(!engine.PrintConfigSection(u"FirmeDipendenti"_s, u"cdsAltro"_s, 1));
        const QString output = m_dir.path() + u"/indexes.pdf"_s;
        engine.SaveDocument(output, false, false);

        const QVector<PdfPageText> pages = readPdf(output);
        QCOMPARE(pages.size(), 4);
        QVERIFY(!pages[0].contains(u"alfa"_s));            // index 1 < MinIndex 2
        QVERIFY(near(pages[1].find(u"alfa"_s), 110, 120)); // index 3: one step
        QVERIFY(near(pages[2].find(u"alfa"_s), 120, 140)); // index 4: two steps
        QVERIFY(!pages[3].contains(u"alfa"_s));            // index 5 > MaxIndex 4
        for (const PdfPageText& page : pages)
            QVERIFY(near(page.find(u"beta"_s), 300, 300)); // MaxIndex 0: always
    }

    void copiedPagesWithoutTheBlankFirstPage()
    {
        const QString templatePath = makeTemplate(m_dir.path(), 2);
        const QString config = writeFile(m_dir.path(), u"empty.xml"_s, u"<PdfConf/>"_s);
        EliPDF engine;
        QVERIFY(engine.OpenTemplate(templatePath, config));
        engine.CopyTemplatePage(1, true, false);
        engine.CopyTemplatePage(2, false, true);
        engine.CopyTemplatePage(1, false, false);
        const QString output = m_dir.path() + u"/copies.pdf"_s;
        engine.SaveDocument(output, false, false);
        const QVector<PdfPageText> pages = readPdf(output);
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages[0].text().contains(u"Modello 1"_s));
        QVERIFY(pages[1].text().contains(u"Modello 2"_s));
        QVERIFY(pages[1].text().contains(u"Modello CU 2025"_s)); // the maker's line
        QVERIFY(pages[2].text().contains(u"Modello 1"_s));
    }

    void openTemplateWithoutItsFilesDoesNothing()
    {
        EliPDF engine;
        QVERIFY(!engine.OpenTemplate(m_dir.path() + u"/none.pdf"_s, m_dir.path() + "/none.xml"));
        QVERIFY(engine.pdf() == nullptr);
    }

    void blankPageForTwoSidedPrinting_data()
    {
        QTest::addColumn<bool>("duplex");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("expected");
        // clang-format off
        QTest::newRow("odd, two-sided") << true << 3 << 4;
        QTest::newRow("even, two-sided") << true << 4 << 4;
        QTest::newRow("odd, one side") << false << 3 << 3;
        // clang-format on
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
        const QString layoutPath = writeFile(m_dir.path(), u"cud.xml"_s, QStringLiteral(R"(
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
        cu::test::appendRow(data, {{u"F1"_s, cu::test::amount("0")},
                                   {u"F2"_s, cu::test::amount("0.004")},
                                   {u"F3"_s, cu::test::amount("0.5")},
                                   {u"F4"_s, cu::test::amount("1234567.891")},
                                   {u"L1"_s, u"0"_s},
                                   {u"L2"_s, u"1"_s},
                                   {u"D1"_s, QDate(2024, 3, 5)},
                                   {u"S1"_s, u"0"_s},
                                   {u"S2"_s, u"Città"_s}});

        HlkPdf pdf;
        pdf.NewDocument();
        pdf.SetOrigin(1);
        pdf.SetMeasurementUnits(1);
        LayoutDrawing drawing(pdf, false);
        drawing.PrintLayoutSection(layout.Pag1().Section().Item(0), data);
        const QString output = m_dir.path() + u"/section.pdf"_s;
        pdf.SaveToFile(output);

        const PdfPageText page = readPdf(output).value(0);
        QStringList drawn;
        for (const cu::test::PdfWord& w : page.words)
            drawn.append(w.text);
        drawn.sort();
        QCOMPARE(drawn, (QStringList{"03", "05", "1,00", "1.234.567,89", "2024", "Città", "X"}));
        const cu::test::PdfWord* amount = page.find(u"1.234.567,89"_s);
        QVERIFY(std::abs(amount->right - 100) < 0.5); // right-aligned at Left
        const cu::test::PdfWord* day = page.find(u"05"_s);
        const cu::test::PdfWord* month = page.find(u"03"_s);
        QVERIFY(std::abs(day->left - 20) < 0.5);
        QVERIFY(month->left - day->right > 2.5); // four spaces between the parts
    }

    // Page numbers one character a cell; every letter that can reach the
    // archive printed as itself, in a subset of the print font embedded in
    // the PDF, which stays small.
    void pageNumberCellsAndLettersOfTheArchive()
    {
        HlkPdf pdf;
        pdf.NewDocument();
        pdf.SetOrigin(1);
        pdf.SetMeasurementUnits(1);
        LayoutDrawing drawing(pdf, false);
        drawing.DrawPageNumber(7);
        drawing.DrawValue(u"AB"_s, 50, 50, 10, u"taLeftJustify"_s, u"no"_s);
        const QStringList letters{u"àèéìòù"_s,   u"ÀÈÉÌÒÙ"_s,  u"Straße"_s, u"Łódź"_s,
                                  u"Erdős"_s,    u"Žižek"_s,   u"Œuvre"_s,  u"€"_s,
                                  u"D’ANGELO"_s, u"“Città”"_s, u"ȘTEFAN"_s};
        drawing.DrawValue(letters.join(u' '), 20, 80, 10, u"taLeftJustify"_s, u"no"_s);
        drawing.DrawValue(u"ĂÂÎ"_s, 20, 90, 10, u"taLeftJustify"_s, u"5"_s); // one cell each
        const QString output = m_dir.path() + u"/letters.pdf"_s;
        pdf.SaveToFile(output);
        const PdfPageText page = readPdf(output).value(0);
        const cu::test::PdfWord* zero = page.find(u"0"_s);
        const cu::test::PdfWord* seven = page.find(u"7"_s);
        QVERIFY(zero && seven);
        QVERIFY(zero->left > 192 && zero->right < 197);   // cell 192..197
        QVERIFY(seven->left > 197 && seven->right < 202); // cell 197..202
        QVERIFY(page.contains(u"AB"_s));                  // "no" spacing: ordinary text
        QCOMPARE(cu::test::missingWords({page}, letters + QStringList{u"Ă"_s, u"Â"_s, u"Î"_s}),
                 QStringList());
        const QString fonts = toolOutput(u"pdffonts"_s, {output});
        QVERIFY2(QRegularExpression(u"[A-Z]{6}\\+LiberationSans +CID TrueType +Identity-H +yes +yes +yes"_s)
                     .match(fonts)
                     .hasMatch(),
                 qPrintable(fonts));
        QVERIFY2(QFileInfo(output).size() < 40000, qPrintable(QString::number(QFileInfo(output).size())));
    }

    // A character the print font has no glyph for is refused before
    // anything of its text is drawn, naming the character; a layout section
    // names the column too.
    void charactersWithoutAGlyphAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("ideograph") << u"X王Y"_s << u"\"王\" (U+738B)"_s;
        QTest::newRow("emoji") << u"OK 😀"_s << u"(U+1F600)"_s;
        QTest::newRow("tab") << u"VIA\tROMA"_s << u"(U+0009)"_s;
    }
    void charactersWithoutAGlyphAreRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, named);
        HlkPdf pdf;
        pdf.NewDocument();
        pdf.SetMeasurementUnits(1);
        try {
            pdf.ZfDrawText(20, 20, text, 0, HlkPdf::Alignment::Left);
            QFAIL("an undrawable character must be refused");
        } catch (const UndrawableCharacter& e) {
            QVERIFY2(e.message().contains(named), qPrintable(e.message()));
        }
        const QString layoutPath = writeFile(m_dir.path(), u"glyph.xml"_s, QStringLiteral(R"(
<Cud><Pag1><Section Name="s">
  <Edit Name="SCUDCOGNOME" Alignment="taLeftJustify" Space="no"><PrintRect Top="20" Left="20" Height="8"/></Edit>
</Section></Pag1></Cud>)"));
        Dataset data;
        data.setFields({{u"SCUDCOGNOME"_s, FieldType::String, 40}});
        data.open();
        cu::test::appendRow(data, {{u"SCUDCOGNOME"_s, text}});
        LayoutDrawing drawing(pdf, false);
        try {
            drawing.PrintLayoutSection(EliUXml::LoadCud(layoutPath).Pag1().Section().Item(0), data);
            QFAIL("an undrawable character must be refused");
        } catch (const UndrawableCharacter& e) {
            QVERIFY2(e.message().contains(u"campo SCUDCOGNOME"_s), qPrintable(e.message()));
        }
        const QString output = m_dir.path() + u"/nothing.pdf"_s;
        pdf.SaveToFile(output);
        QCOMPARE(readPdf(output).value(0).words.size(), 0);
    }

    void missingFontNamesThePackage()
    {
        try {
            printfont::locate({m_dir.filePath(u"assente.ttf"_s)});
            QFAIL("a missing font must be refused");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(u"Liberation Sans non trovato"_s), qPrintable(e.message()));
            QVERIFY(e.message().contains(u"fonts-liberation2"_s));
        }
    }

    void failuresCarryTheOperation()
    {
        HlkPdf pdf;
        pdf.NewDocument();
        QDir().mkpath(m_dir.path() + u"/occupied.pdf"_s);
        try {
            pdf.SetLastOperation(u"Salvataggio stampa"_s);
            pdf.SaveToFile(m_dir.path() + u"/occupied.pdf"_s);
            QFAIL("saving onto a folder must fail");
        } catch (const EZfError& e) {
            QVERIFY(e.message().startsWith(u"Salvataggio stampa"_s));
        }
        pdf.SetLastOperation(u"Copia pagina annotazioni"_s);
        try {
            pdf.CopyPageRanges(99, u"1"_s);
            QFAIL("copying from a document that is not open must fail");
        } catch (const EZfError& e) {
            QVERIFY(e.message().startsWith(u"Copia pagina annotazioni"_s));
        }
        QVERIFY_THROWS_EXCEPTION(EZfError, pdf.CopyPageRanges(1, u"1"_s)); // not into itself
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
            pdf.CopyPageRanges(templateId, u"1"_s);
            pdf.SelectPage(pdf.PageCount());
            pdf.SetTextSize(8);
            pdf.ZfDrawText(100, 100, u"Pagina %1"_s.arg(i), 0, HlkPdf::Alignment::Left);
        }
        const QString output = m_dir.path() + u"/many.pdf"_s;
        pdf.SaveToFile(output);
        QCOMPARE(readPdf(output).size(), Copies + 1);
        QVERIFY2(QFileInfo(output).size() < QFileInfo(templatePath).size() + Copies * 1000,
                 qPrintable(QString::number(QFileInfo(output).size())));
    }

    void missingOrMalformedFileIsRefused()
    {
        try {
            EliUXml::LoadCud(m_dir.filePath(u"assente.xml"_s));
            QFAIL("a missing layout must be refused");
        } catch (const EZfError& e) {
            QVERIFY(e.message().contains(u"assente.xml"_s));
        }
        const QString path = writeFile(m_dir.path(), u"rotto.xml"_s, "<Cud>\n<Pag1>\n</Cud>\n");
        try {
            EliUXml::LoadCud(path);
            QFAIL("a malformed layout must be refused");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(u"riga 3"_s), qPrintable(e.message()));
            QVERIFY(e.message().contains(u"colonna"_s));
        }
    }

    // A position off the page, a number that is not a whole number, an
    // unreadable text size or spacing, an edit without position: the layout
    // is refused when loaded, naming the file, the line and the column.
    void layoutsOffThePageAreRefusedWhenLoaded_data()
    {
        QTest::addColumn<QString>("rect"); // a certificate layout's PrintRect, or a configuration's
        QTest::addColumn<bool>("configuration");
        QTest::addColumn<QString>("problem");
        const QString conf = u"Height=\"9\" Space=\"0\" vOffset=\"0\" oOffset=\"0\" "_s;
        // clang-format off
        QTest::newRow("negative left") << u"Top=\"20\" Left=\"-1\" Height=\"8\""_s << false << u"Left -1, Top 20"_s;
        QTest::newRow("beyond the width") << u"Top=\"20\" Left=\"211\" Height=\"8\""_s << false << u"fuori dalla pagina"_s;
        QTest::newRow("beyond the height") << u"Top=\"298\" Left=\"20\" Height=\"8\""_s << false << u"fuori dalla pagina"_s;
        QTest::newRow("NaN") << u"Top=\"NaN\" Left=\"20\" Height=\"8\""_s << false << u"Top dell'elemento PrintRect"_s;
        QTest::newRow("garbage") << u"Top=\"dieci\" Left=\"20\" Height=\"8\""_s << false << u"non è un numero intero"_s;
        QTest::newRow("no size") << u"Top=\"20\" Left=\"20\" Height=\"0\""_s << false << u"Height 0"_s;
        QTest::newRow("spacing NaN") << u"Top=\"20\" Left=\"20\" Height=\"8\"/></Edit><Edit Name=\"CAMPO\" Space=\"nan\"><PrintRect Top=\"1\" Left=\"1\" Height=\"8\""_s << false << u"Space \"nan\""_s;
        QTest::newRow("no position") << u"Top=\"20\" Left=\"20\" Height=\"8\"/></Edit><Edit Name=\"CAMPO\"><Nulla"_s << false << u"manca la posizione"_s;
        QTest::newRow("points beyond A4") << conf + u"Top=\"10\" Left=\"600\" MinIndex=\"0\" MaxIndex=\"0\""_s << true << u"Left 600"_s;
        QTest::newRow("last repeat off the page") << u"Height=\"9\" Space=\"0\" oOffset=\"0\" Top=\"150\" Left=\"40\" vOffset=\"40\" MinIndex=\"0\" MaxIndex=\"22\""_s << true << u"Top 1030"_s;
        QTest::newRow("repeat indexes") << conf + u"Top=\"10\" Left=\"10\" MinIndex=\"5\" MaxIndex=\"2\""_s << true << u"MinIndex 5, MaxIndex 2"_s;
        QTest::newRow("extreme repeat") << conf + u"Top=\"10\" Left=\"10\" MinIndex=\"-2147483648\" MaxIndex=\"0\""_s << true << u"MinIndex -2147483648, MaxIndex 0"_s;
        // clang-format on
    }
    void layoutsOffThePageAreRefusedWhenLoaded()
    {
        QFETCH(QString, rect);
        QFETCH(bool, configuration);
        QFETCH(QString, problem);
        const QString text =
            configuration
                ? u"<PdfConf><Page Name=\"P\" Template=\"1\"><Section Name=\"s\">\n"
                  "<Edit Name=\"CAMPO\" Alignment=\"taLeftJustify\" Type=\"SP\"><PrintRect %1/></Edit>"
                  "</Section></Page></PdfConf>"_s.arg(rect)
                : u"<Cud><Pag1><Section Name=\"s\">\n"
                  "<Edit Name=\"CAMPO\" Alignment=\"taLeftJustify\" Space=\"no\"><PrintRect %1/></Edit>"
                  "</Section></Pag1></Cud>"_s.arg(rect);
        const QString path = writeFile(m_dir.path(), u"fuori.xml"_s, text);
        try {
            if (configuration)
                EliUXmlPdfConfig::LoadPdfConf(path);
            else
                EliUXml::LoadCud(path);
            QFAIL("the layout must be refused");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(problem), qPrintable(e.message()));
            QVERIFY2(e.message().contains(u"fuori.xml, riga 2"_s), qPrintable(e.message()));
            QVERIFY2(e.message().contains(u"CAMPO"_s), qPrintable(e.message()));
        }
    }

    void absentChildrenAreCreatedEmpty()
    {
        const QString path = writeFile(m_dir.path(), u"vuoto.xml"_s, u"<Cud><Pag1/></Cud>"_s);
        const EliUXml::XMLCudType root = EliUXml::LoadCud(path);
        QCOMPARE(root.Pag1().Section().Count(), 0);
        QCOMPARE(root.Pag12().Section().Count(), 0);
        QCOMPARE(root.Sos().Section().Edit().Count(), 0);
    }

    // Every edit of the shipped layouts names a column of the schema and lies
    // on an A4 page; the certificate layouts hold the pages the prints use.
    void shippedLayouts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("tables");
        QTest::addColumn<int>("pages");
        // clang-format off
        QTest::newRow("synthetic") << "StpCUD.xml" << "TCUD_DATICUD TCUS_DATISOST TCUDI_INPS TCUDN_INPDAP TCUIN_INAIL TCUDAE_ALTRIENTI "  "TCUDT_TFR TASE_AUTSOMMEEROGATE TCUDCA_COOPART" << 8;
        QTest::newRow("ordinary") << "StpCUD_Ord.xml" << "TCUD_DATICUD TCUS_DATISOST TCUDI_INPS TCUDN_INPDAP TCUIN_INAIL TCUDAE_ALTRIENTI "  "TCUDT_TFR TASE_AUTSOMMEEROGATE TCUDCA_COOPART TCUDA_ANNOTAZIONI" << 12;
        QTest::newRow("frontispiece") << "StpSost.xml" << "TCUS_DATISOST" << 0;
        QTest::newRow("quadro CT") << "StpQuadroCT.xml" << "TCUCT_DATICT" << 0;
        // clang-format on
    }
    void shippedLayouts()
    {
        QFETCH(QString, file);
        QFETCH(QString, tables);
        QFETCH(int, pages);
        const CertificateSchema& schema = cu::test::certificateSchema();
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
                QVERIFY2(list.Count() > 0, qPrintable(u"Pag%1 is empty"_s.arg(p)));
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

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
