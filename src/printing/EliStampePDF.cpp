// Signature sheet, heading record and information notice.
#include "printing/EliStampePDF.h"

#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/Errors.h"
#include "printing/PrintTables.h"

#include <QFileInfo>

namespace cu {

namespace {

constexpr int RecipientsPerSheet = 23;
constexpr double FirstRule = 168;
constexpr double RowPitch = 28;

} // namespace

EliStampePDF::EliStampePDF(const Folders& folders, PrintTables& tables, int workingYear)
    : m_folders(folders), m_tables(tables), m_workingYear(workingYear)
{
    setDataset(QStringLiteral("cdsDipendenti"), &cdsDipendenti);
    setDataset(QStringLiteral("cdsAnnoFin"), &cdsAnnoFin);
    setDataset(QStringLiteral("cdsIntestazione"), &cdsIntestazione);
}

void EliStampePDF::openIntestazione()
{
    cdsIntestazione.setFields({{QStringLiteral("sDenominazione"), FieldType::String, 100},
                               {QStringLiteral("sIndirizzo"), FieldType::String, 100},
                               {QStringLiteral("sTelefonoMail"), FieldType::String, 100},
                               {QStringLiteral("sAnnoFin"), FieldType::String, 4}});
    cdsIntestazione.open();
    Dataset agent;
    m_tables.open(agent, QStringLiteral("TCUS_DATISOST"));
    agent.first();
    auto field = [&agent](const char* name) {
        return agent.isEmpty() ? QString() : agent.asString(QString::fromLatin1(name));
    };
    cdsIntestazione.append();
    cdsIntestazione.setValue(u"sDenominazione", field("SSOSDENOM"));
    cdsIntestazione.setValue(u"sIndirizzo", QStringLiteral("%1 %2 (%3) CAP. %4")
                                                .arg(field("SSOSINDIRIZZO"), field("SSOSCOMUNE"),
                                                     field("SSOSPROV"), field("SSOSCAP")));
    cdsIntestazione.setValue(u"sTelefonoMail",
                             QStringLiteral("%1 E-Mail %2").arg(field("SSOSTELFAX"), field("SSOSEMAIL")));
    cdsIntestazione.setValue(u"sAnnoFin", QString::number(WorkingYear::Income));
    cdsIntestazione.post();
}

// The financial-year record from "TCUA_ANNOFIN.cds"; without that file, a
// record of the working year.
void EliStampePDF::openAnnoFin()
{
    const QString path = Folders::resolve(m_folders.res(), QStringLiteral("TCUA_ANNOFIN.cds"));
    if (QFileInfo::exists(path)) {
        cdsAnnoFin.loadFromFile(path);
        for (cdsAnnoFin.first(); !cdsAnnoFin.eof(); cdsAnnoFin.next())
            if (cdsAnnoFin.asString(u"SCUAANNOFIN").trimmed() == QString::number(m_workingYear))
                return;
    }
    cdsAnnoFin.setFields({{QStringLiteral("SCUAANNOFIN"), FieldType::String, 4}});
    cdsAnnoFin.open();
    cdsAnnoFin.append();
    cdsAnnoFin.setValue(u"SCUAANNOFIN", QString::number(m_workingYear));
    cdsAnnoFin.post();
}

void EliStampePDF::loadIfEmpty(Dataset& dataset, const QString& tableName)
{
    if (!dataset.isActive() || dataset.isEmpty())
        m_tables.open(dataset, tableName);
    dataset.first();
}

QString EliStampePDF::PrintSignatureSheet(const QStringList& taxCodes)
{
    openIntestazione();
    cdsIntestazione.first();
    m_tables.open(cdsDipendenti, QStringLiteral("TCUD_DATICUD"));
    openAnnoFin();
    cdsDipendenti.setIndexFieldNames(QStringLiteral("SCUDCOGNOME;SCUDNOME"));
    const QString templatePath = m_folders.res() + QStringLiteral("firme.pdf");
    const QString configPath = m_folders.res() + QStringLiteral("stpStampe.xml");
    if (!OpenTemplate(templatePath, configPath)) {
        closeSheetData();
        throw EZfError(
            QStringLiteral("Modello \"%1\" o configurazione \"%2\" mancante").arg(templatePath, configPath));
    }
    auto heading = [this] {
        PrintConfigSection(QStringLiteral("FirmeDipendenti"), QStringLiteral("cdsIntestazione"), 1);
        PrintConfigSection(QStringLiteral("FirmeDipendenti"), QStringLiteral("cdsAnnoFin"), 1);
    };
    CopyTemplatePage(1, true, true);
    heading();
    int row = 0;
    for (const QString& taxCode : taxCodes) {
        cdsDipendenti.setFilter(QStringLiteral("SCUDCODFIS=") + Dataset::quoted(taxCode));
        cdsDipendenti.first();
        if (!cdsDipendenti.isEmpty()) {
            // A sheet is full after 23 rows, including rows left empty for
            // tax codes without a certificate.
            if (row >= RecipientsPerSheet) {
                CopyTemplatePage(1, false, true);
                heading();
                row = 0;
            }
            PrintConfigSection(QStringLiteral("FirmeDipendenti"), QStringLiteral("cdsDipendenti"), row);
            const double y = FirstRule + RowPitch * row;
            pdf()->SetLastOperation(QStringLiteral("Disegno riga"));
            pdf()->DrawBox(258, y, 84, 0.05, 0);
            pdf()->DrawBox(346, y, 193, 0.05, 0);
        }
        ++row;
    }
    cdsDipendenti.setFilter(QString());
    const QString output = m_folders.stp() + QStringLiteral("Firme.pdf");
    SaveDocument(output, true, false);
    closeSheetData();
    return output;
}

void EliStampePDF::closeSheetData()
{
    cdsDipendenti.close();
    cdsIntestazione.close();
    cdsAnnoFin.close();
}

QString EliStampePDF::ExtractInformativa(int firstPage, int lastPage)
{
    const QString templatePath = m_folders.res() + QStringLiteral("CU_2025_istruz.pdf");
    const QString configPath = m_folders.res() + QStringLiteral("stpStampe.xml");
    if (!OpenTemplate(templatePath, configPath))
        throw EZfError(
            QStringLiteral("Modello \"%1\" o configurazione \"%2\" mancante").arg(templatePath, configPath));
    CopyTemplatePage(firstPage, true, false);
    for (int p = firstPage + 1; p <= lastPage; ++p)
        CopyTemplatePage(p, false, false);
    const QString output = m_folders.stp() + QStringLiteral("informativa.pdf");
    SaveDocument(output, true, false);
    return output;
}

} // namespace cu
