// The certificate tables over the field-value store: the year's certificates,
// a person's section rows, new rows with their starting flags and links, and
// saving each under the certificate's month. The import, the editor, the
// telematic file and the prints all go through it.
#pragma once

#include "certificates/CertificateSchema.h"

namespace cu {

class Connection;
class Dataset;
class HlmDBCds;

class CertificateStore
{
public:
    CertificateStore(HlmDBCds& store, const CertificateSchema& schema);

    HlmDBCds& store() const { return m_store; }
    // The store's connection, for a transaction around several saves.
    Connection& connection() const;
    const CertificateSchema& schema() const { return m_schema; }
    // A table of the schema file; an unknown name is an EAssertion.
    const TableSchema& table(const QString& tableName) const;

    // Every row of a table for the working year, all months and persons.
    void openTable(Dataset& dataset, const QString& tableName);
    // The year's certificates, ordered by surname, name and month.
    void openCertificates(Dataset& certificates);
    // One person's rows of a section table, all months of the year.
    void openSection(Dataset& section, const QString& tableName, qint64 person);

    // Appends a certificate in Insert state: every check-box flag "0",
    // LCUDCOMPRENSIVO "X", LCUDCONGUAGLIO "X" or "0", SCUDMESE monthText.
    void appendCertificate(Dataset& certificates, const QString& monthText, bool adjustment);
    // Appends a section row in Insert state with every check-box flag "0".
    void appendSectionRow(Dataset& section, const QString& tableName);
    // Gives the section's current row (in Edit or Insert) the certificate's
    // iAfiID, SCUDCODFIS and SCUDMESE.
    static void linkToCertificate(Dataset& section, const Dataset& certificates);

    // Saves the certificates' changes under the current certificate's month.
    void saveCertificate(Dataset& certificates);
    // Deletes the current certificate and saves under its month.
    void removeCertificate(Dataset& certificates);
    // Saves a section's changes under the current certificate's month.
    void saveSection(Dataset& section, const QString& tableName, const Dataset& certificates);

    // iCudStato greater than 0.
    static bool isPrinted(const Dataset& certificates);
    // Sets iCudStato of the current certificate (1 printed, 0 editable again)
    // and saves it.
    void setPrintedState(Dataset& certificates, int state);
    // Gives every certificate whose SCUDDATIANAFIRMA differs from signature
    // that signature (iCudStato unchanged) and saves each; returns how many
    // changed. The cursor goes back to the first certificate.
    int updateSignatures(Dataset& certificates, const QString& signature);

private:
    HlmDBCds& m_store;
    const CertificateSchema& m_schema;
};

} // namespace cu
