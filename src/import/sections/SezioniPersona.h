// The certificate tables of one person, each opened into its own dataset on
// the rows of the person's certificate: the certificate row and its
// sections. New rows get the certificate's key and every check-box flag at
// "0"; the whole set is saved to the store for the certificate's month.
#pragma once

#include <QString>
#include <array>
#include <memory>

namespace cu {

class CertificateSchema;
class Dataset;
class HlmDBCds;
struct CudContext;

class SezioniPersona
{
public:
    enum Tabella
    {
        Cud,
        Inps,
        Inpdap,
        Inail,
        AltriEnti,
        Familiari,
        Tfr,
        Annotazioni,
        Autonomo,
        Count
    };

    explicit SezioniPersona(const CertificateSchema& schema);
    ~SezioniPersona();
    SezioniPersona(const SezioniPersona&) = delete;
    SezioniPersona& operator=(const SezioniPersona&) = delete;

    static QString tableName(Tabella table);

    Dataset& operator[](Tabella table) { return *m_datasets[table]; }
    const CertificateSchema& schema() const { return m_schema; }

    // Opens every table on the rows of the person (0 = no certificate yet:
    // empty tables with their fields).
    void open(HlmDBCds& store, int person, int year);
    // Deletes every row of every table (the person's certificate).
    void removeAll();
    // Saves the changes of every table, the certificate first.
    void save(HlmDBCds& store, int month, int year);

    // Appends a row in insert state with the certificate's key and its
    // check-box flags at "0".
    void nuovaRiga(Tabella table, const CudContext& owner);

private:
    const CertificateSchema& m_schema;
    std::array<std::unique_ptr<Dataset>, Count> m_datasets;
};

} // namespace cu
