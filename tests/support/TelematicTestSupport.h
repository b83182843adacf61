// Helpers of the telematic-file tests: a temporary installation with the
// shipped layouts and a notes table, the production datasets defined from
// the schema file, rows appended from value maps, and an agent, supplier
// and certificates that pass every check.
#pragma once

#include "foundation/installation/Folders.h"
#include "telematic/TelematicData.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

namespace cu::test {

class TelematicInstallation
{
public:
    // Copies the layouts of the source tree into a fresh installation,
    // writes the notes table with the given annotation codes and sets the
    // software producer's fiscal code.
    explicit TelematicInstallation(const QStringList& noteCodes = {QStringLiteral("AA"),
                                                                   QStringLiteral("AB")});

    const Folders& folders() const { return m_folders; }
    QString root() const { return m_dir.path(); }
    QString layoutPath(const QString& fileName) const;

private:
    QTemporaryDir m_dir;
    Folders m_folders;
};

// Defines every dataset of the production with the fields of its table in
// the schema file, and opens it empty.
void defineTables(TelematicData& data);
// Appends and posts one row.
void appendRow(Dataset& dataset, const QVariantMap& values);
// An agent, a supplier and no CT form that pass every check.
void fillAgentAndSupplier(TelematicData& data);
// A certificate row with the recipient's data (valid fiscal code built from
// the number) and the given extra columns; returns its person id.
qint64 appendCertificate(TelematicData& data, int number, const QVariantMap& extra = {});
// A valid personal fiscal code, different for every number.
QString personalCode(int number);

} // namespace cu::test
