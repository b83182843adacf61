// The print data module: the certificate list, the heading record and the
// year record that the signature sheet prints through the configuration
// "stpStampe.xml", the agent and CT tables of the frontispiece and Quadro CT
// prints, the signature sheet itself and the extraction of the recipient's
// information notice from the instructions.
#pragma once

#include "foundation/dataset/Dataset.h"
#include "foundation/installation/Folders.h"
#include "printing/AgentPrint.h"
#include "printing/EliPDF.h"

#include <QStringList>

namespace cu {

class PrintTables;

class EliStampePDF : public EliPDF
{
public:
    EliStampePDF(const Folders& folders, PrintTables& tables, int workingYear);

    Dataset cdsDipendenti;   // TCUD_DATICUD, ordered by surname and name
    Dataset cdsAnnoFin;      // the financial-year record (SCUAANNOFIN)
    Dataset cdsIntestazione; // the heading record
    Dataset cdsSost;         // TCUS_DATISOST, loaded on demand
    Dataset cdsQuadroCT;     // TCUCT_DATICT, loaded on demand
    bool ordinario = false;  // the certificate print uses the ordinary model

    // Creates the heading record from the withholding agent's row.
    void openIntestazione();
    // One row per tax code, 23 recipients a sheet; returns the saved file.
    QString PrintSignatureSheet(const QStringList& taxCodes);
    // Pages first..last of the instructions into "informativa.pdf".
    QString ExtractInformativa(int firstPage, int lastPage);
    // Loads cdsSost or cdsQuadroCT when still empty.
    void loadIfEmpty(Dataset& dataset, const QString& tableName);
    // The frontispiece (from cdsSost, its CT box from cdsQuadroCT) or the
    // Quadro CT page, each table loaded when still empty; returns the saved file.
    QString PrintAgentPage(AgentPrint& print, AgentPrintKind kind, const QString& outputName);

    const Folders& folders() const { return m_folders; }

private:
    void openAnnoFin();
    void closeSheetData();

    Folders m_folders;
    PrintTables& m_tables;
    int m_workingYear;
};

} // namespace cu
