// Builds a working field-value store on a database: the store's tables and
// function, the framework's id counters, and the schemas of the certificate
// tables from the schema file in TCDS_STRUTTURA. Running it again changes
// nothing; a changed schema file updates the stored schemas of its year.
#pragma once

#include <QString>

namespace cu {

class CertificateSchema;
class Connection;

class StoreInstaller
{
public:
    struct Outcome
    {
        int created = 0;   // schemas stored for the first time
        int updated = 0;   // schemas replaced because the file changed
        int unchanged = 0; // schemas already as the file says
    };

    // Tables, function and schemas, in one go.
    static Outcome install(Connection& connection, const CertificateSchema& schema);

    // The store's tables and indexes (and phlm_getcrofiscale on PostgreSQL)
    // and the framework's tables, created where missing.
    static void createTables(Connection& connection);

    // One TCDS_STRUTTURA row per table of the schema file for its programme
    // and year (month none), inside one transaction.
    static Outcome installSchemas(Connection& connection, const CertificateSchema& schema);

    // The resource path of the engine's script ("sqlite", "postgresql").
    static QString scriptPath(const QString& engine);
};

} // namespace cu
