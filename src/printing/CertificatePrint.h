// The certificate print (no window): prints the chosen certificates of the
// list, in list order, into one PDF on the synthetic or the ordinary model,
// or one PDF per recipient, and marks the printed certificates (iCudStato 1)
// together, in one transaction, once their PDFs have been saved. On the
// store, the run holds the year's job lock and draws from one read snapshot.
#pragma once

#include "foundation/installation/Folders.h"
#include "printing/CertificateSections.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace cu {

class Dataset;
class Operator;
class PrintTables;

struct CertificatePrintOptions
{
    bool ordinary = false;
    bool duplex = false;           // "Predisporre il documento per la stampa fronte/retro"
    bool signatureOmitted = false; // "Firma omessa ai sensi di legge"
    bool all = true;               // "Tutti"; false: "Selezionati"
    QVector<int> selectedRows;     // positions in the list's order, for "Selezionati"
    QString outputName;            // without ".pdf"; empty or a path is refused (OutputName.h)
};

class CertificatePrint
{
public:
    CertificatePrint(const Folders& folders, PrintTables& tables, Operator& op, int workingYear);

    // The default output name: "CU_Ordinario-2025" or "CU-2025".
    static QString defaultOutputName(bool ordinary);

    // The list's order when the operator orders it by a column: SCUDNOME,
    // SCUDMESE and SCUDCODFIS each lead; any other column gives the
    // starting order SCUDCOGNOME;SCUDNOME;SCUDMESE.
    static QString listOrder(const QString& column);
    // The columns that lead an order of their own (for the command line).
    static const QStringList& orderColumns();

    // Prints into USR/FJ2024/Stp/<name>.pdf and returns that path. A
    // cancel of the operator (EAbort) saves no file and marks nothing.
    QString print(Dataset& list, const CertificatePrintOptions& options);
    // One file per recipient (surname, name, tax code), marked together at
    // the end; a cancel or an error keeps the recipients' files saved before
    // it and marks their certificates.
    QStringList printPerRecipient(Dataset& list, const CertificatePrintOptions& options);

    // Every "File generato: ..." line goes here.
    std::function<void(const QString&)> message;

    CertificateSections& sections() { return m_sections; }

private:
    class Progress;
    struct Output
    {
        QVector<int> rows;
        QString name;
    };

    QStringList printOutputs(Dataset& list, const QVector<Output>& outputs, int certificates,
                             const CertificatePrintOptions& options);
    QString printRows(Dataset& list, const QVector<int>& rows, const CertificatePrintOptions& options,
                      const QString& outputName, Progress& progress);
    void markPrinted(Dataset& list, const QVector<int>& rows);
    QVector<int> selection(const Dataset& list, const CertificatePrintOptions& options) const;

    Folders m_folders;
    PrintTables& m_tables;
    Operator& m_op;
    int m_workingYear;
    CertificateSections m_sections;
};

} // namespace cu
