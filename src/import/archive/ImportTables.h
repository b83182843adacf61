// The fixed codes of the payroll archive that the import relies on:
// withholding codes, compensation items, legal positions, social-security
// codes; read from the data file "import-tables.json" (compiled in as a
// resource), and the 730 item map of the installation's configuration, so
// that a change of the payroll's coding is a data change.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVector>

namespace cu {

struct ImportTables
{
    // Withholding codes.
    QVector<int> irpef;          // {7, 11}
    int irpefOrdinaria = 7;      // RICE_COD_IRPEF
    int irpefAltriMesi = 11;     // RICE_COD_IRPEF_AM
    int tassazioneSeparata = 12; // RICE_COD_IRPEF_TS
    int addComunale = 8;
    int addRegionale = 10;
    QVector<int> previdenzaComplementare; // {14, 15, 16}
    int accontoAddComunaleRitv = 4;       // IRITVID of the municipal advance
    // Compensation items.
    QVector<int> trattamentoIntegrativo; // {10069, 11069}
    int irpefSospesa = 10054;
    int gruppo730 = 4; // ICOMRGRUPPO
    // Item -> certificate column of the 730 assistance, from the
    // installation's table "TV730_VOCI730.cds" (ICOMRID, SCOLONNA): load730.
    QList<QPair<int, QString>> voci730;
    // Legal positions.
    int tnoCococo = 11;
    int tnoBorsista = 17;
    int tnoLiberoProfessionista = 14;
    QVector<int> tnoIndeterminato; // {1, 2}
    QVector<int> tnoCategoriaE;    // {5, 14, 29}
    QVector<int> tnoCategoriaD;    // {7, 8, 9, 12}
    QVector<int> tnoEsclusi;       // {10, 14, 15, 9, 12, 13}
    QVector<int> tnoInclusi;       // {10, 14, 15}
    // Social security.
    QVector<int> inpsContributi; // the four INPS contribution codes
    int cosFondamentali = 1;     // ICOSID of basic pay
    int gestioneSeparata = 0;    // code of the separate management
    int pensioneInpdap = 0;      // code of the public-sector pension contribution
    int enpals = 0;              // RICE_COD_ENPALS
    int comrAccRitPrev = 0;      // COMR_ACC_RIT_PREV
    // Pension fund.
    int tfrFondoPercentoCentesimi = 691; // 6.91 per cent, in hundredths
    QString dataMinimaAdesione;          // "2007-01-01"

    // The tables of the installation (the compiled-in data file). A damaged
    // file is an EAssertion naming it.
    static const ImportTables& standard();
    static ImportTables fromJson(const QByteArray& json, const QString& sourceName);
    // Reads the 730 item map from the table file (EZfError naming a damaged file).
    void load730(const QString& path);
};

// "7,11": a list of codes as the statements take it.
QString joinCodes(const QVector<int>& codes);

} // namespace cu
