// Frontispiece and Quadro CT prints.
#include "printing/AgentPrint.h"

#include "certificates/CtForm.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/text/ValueText.h"
#include "printing/EliUXml.h"
#include "printing/HlkPdf.h"
#include "printing/LayoutDrawing.h"
#include "printing/OutputName.h"
#include "printing/PrintFont.h"
#include "printing/PrintValues.h"

#include <QDir>

namespace cu {

namespace {

struct KindData
{
    const char* layout;
    const char* page;
    const char* copyOperation;
    const char* defaultName;
};

KindData kindData(AgentPrintKind kind)
{
    if (kind == AgentPrintKind::Frontispiece)
        return {"StpSost.xml", "1", "Copia I pagina", "Frontespizio"};
    return {"StpQuadroCT.xml", "2", "Copia II pagina", "QuadroCT"};
}

// One edit from the row: check boxes as "X", amounts "#,##0.00", dates
// centred by parts, texts as they are (also "0").
void drawAgentEdit(LayoutDrawing& drawing, const EliUXml::XMLEditType& edit, const Dataset& data,
                   const QVariantMap& computed)
{
    const EliUXml::XMLPrintRectType rect = edit.PrintRect();
    const double x = rect.Left();
    const double y = rect.Top();
    const double size = rect.Height();
    const QVariant value =
        computed.contains(edit.Name()) ? computed.value(edit.Name()) : data.value(edit.Name());
    const QString text = text::valueText(value, text::ValueTextForm::Print);
    if (edit.Type() == u"CB") {
        if (text == u"1")
            drawing.DrawValue(QStringLiteral("X"), x, y, size, edit.Alignment(), edit.Space());
    } else if (edit.Alignment() == u"taRightJustify") {
        if (text.isEmpty())
            return;
        const QString formatted = printvalues::amount(printvalues::requireNumber(value));
        if (formatted != u"0,00")
            drawing.DrawValue(formatted, x, y, size, edit.Alignment(), edit.Space());
    } else if (edit.Alignment() == u"taData") {
        if (!text.isEmpty())
            drawing.DrawDate(printvalues::requireDate(value).toString(QStringLiteral("dd/MM/yyyy")), x, y,
                             size, 4, 4, HlkPdf::Alignment::Centre);
    } else {
        drawing.DrawValue(text, x, y, size, edit.Alignment(), edit.Space());
    }
}

// Every edit of the section; a character the font cannot draw is refused
// naming the column and the withholding agent.
void drawAgentSection(LayoutDrawing& drawing, const EliUXml::XMLSectionType& section, const Dataset& data,
                      const QVariantMap& computed)
{
    for (const EliUXml::XMLEditType edit : section.Edit()) {
        try {
            drawAgentEdit(drawing, edit, data, computed);
        } catch (const UndrawableCharacter& e) {
            throw e.inField(edit.Name()).ofPerson(QStringLiteral("sostituto d'imposta"));
        }
    }
}

} // namespace

AgentPrint::AgentPrint(const Folders& folders) : m_folders(folders) {}

QString AgentPrint::defaultOutputName(AgentPrintKind kind)
{
    return QString::fromLatin1(kindData(kind).defaultName);
}

QString AgentPrint::printFrontispiece(const Dataset& agent, const Dataset& ctForm, const QString& outputName)
{
    const QVariantMap computed{
        {QStringLiteral("LSOSCT"), isCtFormPresent(ctForm) ? QStringLiteral("1") : QStringLiteral("0")}};
    return print(AgentPrintKind::Frontispiece, agent, computed, outputName);
}

QString AgentPrint::printQuadroCT(const Dataset& ctForm, const QString& outputName)
{
    return print(AgentPrintKind::QuadroCT, ctForm, {}, outputName);
}

QString AgentPrint::print(AgentPrintKind kind, const Dataset& data, const QVariantMap& computed,
                          const QString& outputName)
{
    requireOutputName(outputName);
    const KindData k = kindData(kind);
    const EliUXml::XMLCudType layout = EliUXml::LoadCud(m_folders.res() + QString::fromLatin1(k.layout));
    HlkPdf pdf;
    pdf.SetLastOperation(QStringLiteral("Caricamento modello base"));
    pdf.LoadFromFile(m_folders.res() + QStringLiteral("CU2025_mod_ord.pdf"));
    const int templateId = pdf.SelectedDocument();
    pdf.SetLastOperation(QStringLiteral("Creazione nuovo documento"));
    pdf.NewDocument();
    pdf.SetOrigin(1);
    pdf.SetMeasurementUnits(1);
    const QString copyOperation = QString::fromLatin1(k.copyOperation);
    pdf.SetLastOperation(copyOperation);
    pdf.CopyPageRanges(templateId, QString::fromLatin1(k.page));
    pdf.DeletePages(1, 1);
    pdf.SetLastOperation(QStringLiteral("Selezione Pagina"));
    pdf.SelectPage(1);

    LayoutDrawing drawing(pdf, false);
    if (data.isActive() && !data.isEmpty()) {
        drawAgentSection(drawing, layout.Sos().Section(), data, computed);
        if (kind == AgentPrintKind::Frontispiece) {
            if (data.asString(u"LSOSANNULLAMENTO") == u"1")
                drawing.DrawValue(QStringLiteral("X"), 65, 53, 9, QStringLiteral("taCenter"),
                                  QStringLiteral("no"));
            if (data.asString(u"LSOSSOSTITUZIONE") == u"1")
                drawing.DrawValue(QStringLiteral("X"), 126, 53, 9, QStringLiteral("taCenter"),
                                  QStringLiteral("no"));
        }
    }
    QDir().mkpath(m_folders.stp());
    const QString path = m_folders.stp() + outputName + QStringLiteral(".pdf");
    pdf.SetLastOperation(QStringLiteral("Controllare che il documento non sia già aperto."));
    pdf.SaveToFile(path);
    if (message)
        message(QStringLiteral("File generato: ") + path);
    return path;
}

} // namespace cu
