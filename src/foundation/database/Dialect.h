// The few differences between the database engines, kept in one place: DDL
// types, the locked read, the start of a write or of a reading transaction.
#pragma once

#include <QString>
#include <memory>

namespace cu {

class Dialect
{
public:
    virtual ~Dialect() = default;
    virtual QString name() const = 0; // "sqlite", "postgresql"
    // SQL to begin a transaction that holds a write lock from the start.
    virtual QString beginWriteTransaction() const = 0;
    // SQL to begin a transaction whose reads all see one state of the
    // database, whatever other sessions commit meanwhile.
    virtual QString beginReadSnapshot() const = 0;
    // Suffix of a SELECT that locks the rows it reads until commit
    // (" FOR UPDATE" or empty where the transaction already holds the lock).
    virtual QString lockSuffix() const = 0;
    // The column type of binary data ("BLOB", "BYTEA").
    virtual QString blobType() const = 0;

    static std::unique_ptr<Dialect> forDriver(const QString& driver);
};

} // namespace cu
