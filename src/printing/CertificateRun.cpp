// The page maps of the synthetic and ordinary certificate prints.
#include "printing/CertificateRun.h"

#include "certificates/CertificateKey.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "foundation/text/ValueText.h"
#include "printing/CertificateSections.h"
#include "printing/PrintFont.h"
#include "printing/PrintTables.h"
#include "printing/PrintValues.h"

#include <QDir>
#include <QFileInfo>

namespace cu {

namespace {

const QString NoSpacing = QStringLiteral("no");
const QString Left = QStringLiteral("taLeftJustify");
const QString SignatureNote =
    QStringLiteral("LA FIRMA E' OMESSA AI SENSI DELL'ART.3, DEL DECR. LEGISLATIVO 12/02/1993");
const QString SocialSecurityOperation = QStringLiteral("Copia pagina dati previdenziali");
const QString SelfEmploymentOperation = QStringLiteral("Copia pagina dati autonomo");
const QString AnnotationOperation = QStringLiteral("Copia pagina annotazioni");
const QString ChoiceOperation = QStringLiteral("Creazione pagina CINQUE PER MILLE");
const QString AnnotationPageOperation = QStringLiteral("Creazione pagina firma");
const QString FiscalOperation = QStringLiteral("Copia pagina dati fiscali");
const QString TfrOperation = QStringLiteral("Copia pagina TFR");
constexpr int CodesPerAnnotationRow = 57;
constexpr double AnnotationWidth = 156; // millimetres from x 44

QString dateText(const QVariant& value)
{
    return printvalues::requireDate(value).toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

// One section table feeding a repeated page: the layout section its rows
// use and where their "Rigo:" numbers go.
struct CertificateRun::Feed
{
    Dataset* dataset;
    int section;
    double rigoX;
    QVector<double> rigoY;
    bool filtered = false;  // already filtered to the certificate
    QVector<int> rows = {}; // positions of the certificate's rows
    int next = 0;
};

CertificateRun::CertificateRun(CertificateRunSettings settings, CertificateSections& sections,
                               PrintTables& tables, Operator& op)
    : m_settings(std::move(settings)), m_sections(sections), m_tables(tables), m_op(op),
      m_drawing(m_pdf, m_settings.duplex)
{
    m_pdf.SetLastOperation(QStringLiteral("Caricamento modello base"));
    m_pdf.LoadFromFile(m_settings.templatePath);
    m_templateId = m_pdf.SelectedDocument();
    m_pdf.SetLastOperation(QStringLiteral("Creazione nuovo documento"));
    m_pdf.NewDocument();
    m_pdf.SetOrigin(1);
}

bool CertificateRun::hasFiscalData(const Dataset& certificate)
{
    const QVector<FieldDef>& fields = certificate.fields();
    for (int i = 0; i < fields.size(); ++i) {
        if (certificate::identityColumns().contains(fields[i].name.toUpper()))
            continue;
        const QString text = text::valueText(certificate.value(i), text::ValueTextForm::Print).trimmed();
        if (!text.isEmpty() && text != u"0")
            return true;
    }
    return false;
}

void CertificateRun::printCertificate(const Dataset& certificate)
{
    m_certificate = &certificate;
    m_codFis = certificate.asString(u"SCUDCODFIS");
    m_mese = certificate.asString(u"SCUDMESE");
    m_afiId = certificate.hasField(u"IAFIID") ? certificate.asInteger(u"IAFIID") : 0;
    m_annotations = certificate.asString(u"SCUDANNOTAZIONI");
    if (m_printed > 0)
        m_drawing.AddBlankPageForDuplex();
    try {
        firstPage(certificate);
        if (m_settings.ordinary)
            printOrdinary(certificate);
        else
            printSynthetic(certificate);
    } catch (const UndrawableCharacter& e) {
        throw e.ofPerson(printfont::personOf(certificate));
    }
    ++m_printed;
}

void CertificateRun::save(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_pdf.SetLastOperation(QStringLiteral("Controllare che il documento non sia già aperto."));
    m_pdf.SaveToFile(path);
}

void CertificateRun::copyPage(int modelPage, const QString& operation)
{
    m_pdf.SetLastOperation(operation);
    m_pdf.CopyPageRanges(m_templateId, QString::number(modelPage));
    m_pdf.SelectPage(m_pdf.PageCount());
}

void CertificateRun::firstPage(const Dataset& certificate)
{
    const QString operation = QStringLiteral("Copia I pagina");
    m_pdf.SetMeasurementUnits(1);
    m_pdf.SetLastOperation(operation);
    m_pdf.CopyPageRanges(m_templateId, m_settings.ordinary ? QStringLiteral("3") : QStringLiteral("1"));
    if (m_printed == 0)
        m_pdf.DeletePages(1, 1);
    m_pdf.SelectPage(m_pdf.PageCount());

    m_sections.altriSost.setFilter(QStringLiteral("SSOSCODFIS = ") +
                                   Dataset::quoted(certificate.asString(u"SCUDALTROSOSCODFIS")));
    m_sections.altriSost.first();
    m_otherAgent = !m_sections.altriSost.isEmpty();
    m_agent = m_otherAgent ? &m_sections.altriSost : &m_sections.pdfSost;
    m_sections.pdfSost.first();

    m_drawing.DrawValue(QString::number(m_settings.workingYear), 169, 29, 12, Left, NoSpacing);
    if (!m_agent->isEmpty()) {
        for (const EliUXml::XMLEditType edit : m_settings.layout.Sos().Section().Edit()) {
            const EliUXml::XMLPrintRectType rect = edit.PrintRect();
            m_drawing.DrawValue(printvalues::columnText(*m_agent, edit.Name()), rect.Left(), rect.Top(),
                                rect.Height(), edit.Alignment(), NoSpacing);
        }
    }
    certificatePage(m_settings.layout.Pag1(), certificate, true);
    m_drawing.DrawMakerLine();
    m_pageNumber = 1;
}

void CertificateRun::certificatePage(const EliUXml::XMLPagType& page, const Dataset& certificate,
                                     bool signaturePage)
{
    for (const EliUXml::XMLSectionType section : page.Section())
        certificateSection(section, certificate, signaturePage);
}

void CertificateRun::certificateSection(const EliUXml::XMLSectionType& section, const Dataset& certificate,
                                        bool signaturePage)
{
    for (const EliUXml::XMLEditType edit : section.Edit()) {
        const EliUXml::XMLPrintRectType rect = edit.PrintRect();
        const double x = rect.Left();
        const double y = rect.Top();
        const double size = rect.Height();
        const QString name = edit.Name();
        const QVariant value = certificate.value(name);
        const QString text = text::valueText(value, text::ValueTextForm::Print);
        if (signaturePage && m_settings.signatureOmitted &&
            name.compare(u"SCUDDATIANAFIRMA", Qt::CaseInsensitive) == 0) {
            m_drawing.DrawValue(text, x, y - 2, 8, edit.Alignment(), edit.Space());
            m_drawing.DrawValue(SignatureNote, x, y + 1, 6, edit.Alignment(), edit.Space());
            continue;
        }
        if (text == u"0" || text.isEmpty())
            continue;
        const QString alignment = edit.Alignment();
        if (alignment == u"taRightJustify") {
            const QString formatted = printvalues::amount(printvalues::requireNumber(value));
            if (formatted != u"0,00")
                m_drawing.DrawValue(formatted, x, y, size, alignment, edit.Space());
        } else if (alignment == u"taData") {
            m_drawing.DrawDate(dateText(value), x, y, size, 4, 4);
        } else {
            m_drawing.DrawValue(text, x, y, size, alignment, edit.Space());
        }
    }
}

// The rows of a section table whose SCUDCODFIS+SCUDMESE is the
// certificate's, in the table's order. The table is indexed once per run, so
// that a print of thousands of certificates does not scan every table for
// every certificate.
const QVector<int>& CertificateRun::certificateRows(Dataset& dataset)
{
    auto index = m_rowIndex.find(&dataset);
    if (index == m_rowIndex.end()) {
        QHash<QString, QVector<int>> rows;
        dataset.setFilter(QString());
        for (int i = 0; i < dataset.recordCount(); ++i) {
            dataset.setRecNo(i);
            rows[dataset.asString(u"SCUDCODFIS") + dataset.asString(u"SCUDMESE")].append(i);
        }
        index = m_rowIndex.emplace(&dataset, std::move(rows)).first;
    }
    static const QVector<int> none;
    const auto found = index->second.constFind(m_codFis + m_mese);
    return found == index->second.constEnd() ? none : *found;
}

bool CertificateRun::hasRows(Dataset& dataset)
{
    return !certificateRows(dataset).isEmpty();
}

void CertificateRun::continuationHeader()
{
    m_drawing.DrawValue(m_codFis, 46, 12, 10, Left, NoSpacing);
    m_drawing.DrawPageNumber(m_pageNumber);
}

void CertificateRun::drawRigo(double x, const QVector<double>& ys, int number)
{
    for (double y : ys)
        m_drawing.DrawValue(QStringLiteral("Rigo: %1").arg(number), x, y, 6, Left, NoSpacing);
}

namespace {

// True when the row holds a value in any column the section prints.
bool rowHasValues(const Dataset& data, const QVector<EliUXml::XMLSectionType>& sections)
{
    for (const EliUXml::XMLSectionType& section : sections)
        for (const EliUXml::XMLEditType edit : section.Edit())
            if (!data.value(edit.Name()).isNull())
                return true;
    return false;
}

} // namespace

// A page kind holding one row of each of its section tables, copied again
// while any table still has rows. The first copy keeps the page number it
// finds; every further copy counts on by one.
void CertificateRun::repeatedPage(int modelPage, const EliUXml::XMLPagType& page, int certificateSectionIndex,
                                  QVector<Feed> feeds, const QString& operation, bool furtherCopyNeedsValues)
{
    const auto sections = page.Section();
    for (Feed& feed : feeds) {
        if (feed.filtered) {
            for (int i = 0; i < feed.dataset->recordCount(); ++i)
                feed.rows.append(i);
        } else {
            feed.rows = certificateRows(*feed.dataset);
        }
        feed.next = 0;
    }
    copyPage(modelPage, operation);
    m_drawing.DrawPageNumber(m_pageNumber);
    // The certificate row of the page kind is printed once, on its first copy.
    if (certificateSectionIndex >= 0 && certificateSectionIndex < sections.Count())
        certificateSection(sections.Item(certificateSectionIndex), *m_certificate, false);
    for (;;) {
        bool remaining = false;
        for (Feed& feed : feeds) {
            if (feed.next >= feed.rows.size())
                continue;
            feed.dataset->setRecNo(feed.rows[feed.next]);
            if (feed.section < sections.Count())
                m_drawing.PrintLayoutSection(sections.Item(feed.section), *feed.dataset);
            drawRigo(feed.rigoX, feed.rigoY, feed.next + 1);
            ++feed.next;
            remaining = remaining || feed.next < feed.rows.size();
        }
        if (!remaining)
            break;
        if (furtherCopyNeedsValues) {
            bool values = false;
            for (Feed& feed : feeds) {
                if (feed.next >= feed.rows.size() || feed.section >= sections.Count())
                    continue;
                feed.dataset->setRecNo(feed.rows[feed.next]);
                values = values || rowHasValues(*feed.dataset, {sections.Item(feed.section)});
            }
            if (!values)
                break;
        }
        copyPage(modelPage, operation);
        ++m_pageNumber;
        continuationHeader();
    }
}

// The ordinary severance-pay pages 11 and 12, one pair per row, both pages
// of a pair with the same number.
void CertificateRun::tfrPair(const QString& operation)
{
    Dataset& tfr = m_sections.tfr;
    const auto first = m_settings.layout.Pag9().Section();
    const auto second = m_settings.layout.Pag10().Section();
    QVector<EliUXml::XMLSectionType> printed;
    if (first.Count() > 0)
        printed.append(first.Item(0));
    if (second.Count() > 0)
        printed.append(second.Item(0));
    const QVector<int> rows = certificateRows(tfr);
    for (int row = 0; row < rows.size(); ++row) {
        if (row > 0) {
            tfr.setRecNo(rows[row]);
            if (!rowHasValues(tfr, printed))
                break;
            ++m_pageNumber;
        }
        for (int half = 0; half < 2; ++half) {
            copyPage(11 + half, operation);
            continuationHeader();
            tfr.setRecNo(rows[row]);
            const auto sections = half == 0 ? first : second;
            if (sections.Count() > 0)
                m_drawing.PrintLayoutSection(sections.Item(0), tfr);
            drawRigo(1, {44}, row + 1);
        }
    }
}

// Spouse and first child from the first dependants row, then one line for
// every row that marks a child, a disabled child or another family member.
void CertificateRun::dependantsBlock(double startY)
{
    Dataset& family = m_sections.conFamCar;
    const QVector<int> rows = certificateRows(family);
    const bool ordinary = m_settings.ordinary;
    auto flag = [&](const char* column, double x, double y) {
        if (family.asString(QString::fromLatin1(column)) == u"1")
            m_drawing.DrawValue(QStringLiteral("X"), x, y, 8, Left, NoSpacing);
    };
    auto text = [&](const char* column, double x, double y) {
        m_drawing.DrawValue(printvalues::columnText(family, QString::fromLatin1(column)), x, y, 8, Left,
                            NoSpacing);
    };
    auto deduction = [&](const char* column, double y) {
        const QVariant value = family.value(QString::fromLatin1(column));
        const QString raw = text::valueText(value, text::ValueTextForm::Print);
        if (raw.isEmpty())
            return;
        const auto number = Currency::fromVariant(value);
        const QString shown = number ? printvalues::amount(*number) : raw;
        if (shown != u"0,00")
            m_drawing.DrawValue(shown, 172, y, 8, QStringLiteral("taRightJustify"), NoSpacing);
    };
    double y = startY;
    for (int n = 1; n <= rows.size(); ++n) {
        family.setRecNo(rows[n - 1]);
        if (n == 1) {
            flag("LCUDRELPARCON", 49, y);
            text("SCUDCODFISCON", 85, y);
            text("SCUDMESICARCON", 153, y);
            y += ordinary ? 5 : 4;
            flag("LCUDRELPARPRIFIGL", 49, y);
            flag("LCUDRELPARPRIFIGLDIS", 75, y);
            text("SCUDCODFISPRIFIGL", 85, y);
            text("SCUDMESICARPRIFIGL", 153, y);
            deduction("SCUDDETRSPETTPRIFIGL", y);
            flag("LCUDDET100X100PRIFIGL", 178, y);
            text("SCUDMESIDETRM21PRIFIGL", 191, y);
        }
        if (family.asString(u"LCUDRELPARFIGL") != u"1" && family.asString(u"LCUDRELPARFIGLALTRFAM") != u"1" &&
            family.asString(u"LCUDRELPARFIGLDIS") != u"1")
            continue;
        y += n == 2 ? 5 : 4;
        flag("LCUDRELPARFIGL", 49, y);
        flag("LCUDRELPARFIGLALTRFAM", ordinary ? 62 : 61, y);
        flag("LCUDRELPARFIGLDIS", 75, y);
        text("SCUDCODFISFIGL", 85, y);
        text("SCUDMESICARFIGL", 153, y);
        deduction("FCUDDETRSPETTFIGL", y);
        flag("LCUDDET100X100FIGL", 178, y);
        text("SCUDMESIDETRM21FIGL", 191, y);
    }
}

// The synthetic annotation page: the text broken into lines at the width of
// the box, 3 millimetres apart, until the bottom of the box.
void CertificateRun::annotationPage()
{
    copyPage(7, AnnotationPageOperation);
    m_drawing.DrawPageNumber(m_pageNumber);
    m_drawing.DrawValue(m_codFis, 46, 12, 10, Left, NoSpacing);
    m_pdf.SetTextSize(8);
    QStringList lines;
    for (const QString& paragraph :
         QString(m_annotations).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n')) {
        QString current;
        for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
            const QString candidate = current.isEmpty() ? word : current + u' ' + word;
            if (!current.isEmpty() && m_pdf.textWidth(candidate) > AnnotationWidth) {
                lines.append(current);
                current = word;
            } else {
                current = candidate;
            }
        }
        lines.append(current);
    }
    double y = !lines.isEmpty() && !lines.first().trimmed().isEmpty() ? 26 : 23;
    for (const QString& line : lines) {
        if (y + 3 >= 280)
            break;
        y += 3;
        m_drawing.DrawValue(line, 44, y, 8, Left, NoSpacing);
    }
}

// The ordinary annotation rows rebuilt from the annotation text: the codes
// of the notes table found before ")" at the start of a line, 57 a row.
void CertificateRun::rebuildAnnotationRows()
{
    Dataset& rows = m_sections.annotazioni;
    const QString personFilter = QStringLiteral("IAFIID = ") + QString::number(m_afiId);
    rows.setFilter(personFilter);
    while (!rows.isEmpty()) {
        rows.first();
        rows.remove();
    }
    try {
        if (!m_settings.noteCodesLoaded)
            throw EZfError(QStringLiteral("Tabella delle note non disponibile"));
        if (!m_annotations.isEmpty()) {
            auto newRow = [&] {
                rows.append();
                rows.setValue(u"IAFIID", m_afiId);
                rows.setValue(u"SCUDCODFIS", m_codFis);
                if (rows.hasField(u"SCUDMESE"))
                    rows.setValue(u"SCUDMESE", m_mese);
            };
            newRow();
            int n = 1;
            bool received = false;
            for (const QString& line : QString(m_annotations).remove(u'\r').split(u'\n')) {
                const int bracket = line.indexOf(u')');
                if (bracket <= 0 || line == u"BO)")
                    continue;
                const QString code = line.left(bracket).toUpper();
                if (!m_settings.noteCodes.contains(code))
                    continue;
                if (n > CodesPerAnnotationRow) {
                    rows.post();
                    newRow();
                    n = 1;
                }
                rows.setValue(QString::asprintf("SANN7%.2d", n), code);
                ++n;
                received = true;
            }
            if (received)
                rows.post();
            else
                rows.cancel();
        }
    } catch (const Error&) {
        if (rows.state() != Dataset::State::Browse)
            rows.cancel();
        m_op.error(QStringLiteral("Controllare le annotazioni nel Modello CU: ") + m_codFis);
    }
    m_tables.save(rows, QStringLiteral("TCUDA_ANNOTAZIONI"), certificateMonth(m_mese));
    rows.setFilter(personFilter);
    rows.first();
}

// Pages 10 and 11: the choice of destination of the tax share.
void CertificateRun::choicePage(const Dataset& certificate)
{
    m_drawing.AddBlankPageForDuplex();
    m_pdf.SetLastOperation(ChoiceOperation);
    m_pdf.CopyPageRanges(m_templateId, QStringLiteral("10,11"));
    m_pdf.SelectPage(m_pdf.PageCount() - 1);
    if (m_otherAgent)
        m_drawing.DrawValue(QString::number(m_settings.workingYear), 192, 16, 8, Left, NoSpacing);
    for (const EliUXml::XMLSectionType section : m_settings.layout.Pag8().Section()) {
        const bool agentSection = section.Name() == u"cdsPdfSost";
        if (agentSection && m_agent->isEmpty())
            continue;
        const Dataset& data = agentSection ? *m_agent : certificate;
        for (const EliUXml::XMLEditType edit : section.Edit()) {
            const EliUXml::XMLPrintRectType rect = edit.PrintRect();
            const QVariant value = data.value(edit.Name());
            const QString text = text::valueText(value, text::ValueTextForm::Print);
            if (text == u"0" || text.isEmpty())
                continue;
            if (edit.Alignment() == u"taRightJustify") {
                const QString formatted = printvalues::amount(printvalues::requireNumber(value));
                if (formatted != u"0,00")
                    m_drawing.DrawValue(formatted, rect.Left(), rect.Top(), rect.Height(), edit.Alignment(),
                                        NoSpacing);
            } else if (edit.Alignment() == u"taData") {
                m_drawing.DrawDate(dateText(value), rect.Left(), rect.Top(), rect.Height(), 6, 8);
            } else {
                m_drawing.DrawValue(text, rect.Left(), rect.Top(), rect.Height(), edit.Alignment(),
                                    NoSpacing);
            }
        }
    }
    m_drawing.DrawMakerLine();
    m_pdf.SelectPage(m_pdf.PageCount());
    m_drawing.DrawValue(m_codFis, 32, 13, 10, Left, QStringLiteral("5"));
    m_drawing.DrawMakerLine();
    m_drawing.AddBlankPageForDuplex();
}

void CertificateRun::printSynthetic(const Dataset& certificate)
{
    const EliUXml::XMLCudType& layout = m_settings.layout;
    const bool fiscal =
        hasFiscalData(certificate) || hasRows(m_sections.conFamCar) || hasRows(m_sections.tfr);
    if (fiscal && certificate.asString(u"LCUDCPOSCNACFC") != u"X") {
        for (int page = 2; page <= 4; ++page) {
            copyPage(page, FiscalOperation);
            m_drawing.DrawPageNumber(m_pageNumber);
            certificatePage(layout.Pag(page), certificate, false);
        }
        dependantsBlock(139);
    }
    const bool socialSecurity = hasRows(m_sections.inps) || hasRows(m_sections.inpdap) ||
                                hasRows(m_sections.inail) || hasRows(m_sections.coopArt) ||
                                hasRows(m_sections.altriEnti) || hasRows(m_sections.tfr);
    if (socialSecurity) {
        m_pageNumber = 1;
        repeatedPage(5, layout.Pag5(), 2,
                     {{&m_sections.inps, 0, 5, {40, 173, 205, 236}}, {&m_sections.inpdap, 1, 5, {72}}},
                     SocialSecurityOperation);
        repeatedPage(6, layout.Pag6(), 2,
                     {{&m_sections.altriEnti, 0, 5, {50}},
                      {&m_sections.inail, 1, 5, {74}},
                      {&m_sections.tfr, 4, 5, {110}},
                      {&m_sections.coopArt, 3, 5, {32}}},
                     SocialSecurityOperation);
    }
    if (!m_annotations.trimmed().isEmpty())
        annotationPage();
    if (hasRows(m_sections.autonomo)) {
        m_pageNumber = 1;
        repeatedPage(8, layout.Pag7(), 1, {{&m_sections.autonomo, 0, 1, {45}}}, SelfEmploymentOperation);
    }
    choicePage(certificate);
}

void CertificateRun::printOrdinary(const Dataset& certificate)
{
    const EliUXml::XMLCudType& layout = m_settings.layout;
    if (hasFiscalData(certificate) || hasRows(m_sections.conFamCar)) {
        for (int page = 4; page <= 8; ++page) {
            copyPage(page, FiscalOperation);
            m_drawing.DrawPageNumber(m_pageNumber);
            certificatePage(layout.Pag(page - 2), certificate, false);
        }
        dependantsBlock(28);
    }
    const bool socialSecurity = hasRows(m_sections.inps) || hasRows(m_sections.inpdap) ||
                                hasRows(m_sections.inail) || hasRows(m_sections.coopArt) ||
                                hasRows(m_sections.altriEnti);
    if (socialSecurity) {
        m_pageNumber = 1;
        repeatedPage(9, layout.Pag7(), 2,
                     {{&m_sections.inps, 0, 5, {40, 173, 205, 236}}, {&m_sections.inpdap, 1, 5, {84}}},
                     SocialSecurityOperation);
        repeatedPage(10, layout.Pag8(), 2,
                     {{&m_sections.altriEnti, 0, 5, {50}},
                      {&m_sections.inail, 1, 5, {74}},
                      {&m_sections.coopArt, 3, 5, {32}}},
                     SocialSecurityOperation);
    }
    if (hasRows(m_sections.tfr)) {
        m_pageNumber = 1;
        tfrPair(TfrOperation);
    }
    rebuildAnnotationRows();
    if (!m_sections.annotazioni.isEmpty()) {
        m_pageNumber = 1;
        Feed annotations{&m_sections.annotazioni, 0, 1, {34}};
        annotations.filtered = true;
        repeatedPage(13, layout.Pag11(), -1, {annotations}, AnnotationOperation, true);
    }
    if (hasRows(m_sections.autonomo)) {
        m_pageNumber = 1;
        repeatedPage(14, layout.Pag12(), 1, {{&m_sections.autonomo, 0, 1, {45}}}, SelfEmploymentOperation);
    }
}

} // namespace cu
