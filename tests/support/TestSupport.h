// Small helpers shared by the tests: where the build's installation and the
// sources are, exact amounts from text, rows appended from value maps, files
// written and read, statements run on a connection, the certificate schema
// of the sources, stored rows as comparable text lines, and the query
// catalogue built from XML (a test's own or the project's).
#pragma once

#include "foundation/dataset/Dataset.h"
#include "foundation/text/Currency.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>

namespace cu {
class CertificateSchema;
class Connection;
class HlmDBCds;
class HlmQueryText;
} // namespace cu

namespace cu::test {

inline QString buildRoot()
{
    return QStringLiteral(MODELLOCU_BUILD_ROOT);
}
inline QString sourceRoot()
{
    return QStringLiteral(MODELLOCU_SOURCE_ROOT);
}

// An amount written in the test ("1234.56"); a text that is no amount stops the run.
Currency money(const char* text);
QVariant amount(const char* text);

// Appends and posts one row.
void appendRow(Dataset& dataset, const QVariantMap& values);

// Writes bytes to path, creating its folders; reads a whole file (empty when missing).
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// The lines of a Latin-1 text file, without their CR LF.
QStringList fileLines(const QString& path);
// Overwrites the signature of a query catalogue with a well-formed wrong one.
void corruptSignature(const QString& signaturePath);

// Runs a statement; the first column of the first row of a query (-1 when none).
void execute(Connection& connection, const QString& sql);
qint64 scalar(Connection& connection, const QString& sql);

// The certificate schema file of the sources, loaded once.
QString schemaPath();
const CertificateSchema& certificateSchema();
// Sets a store to programme "eli", year 2024, every month.
void setStoreYear(HlmDBCds& store);

// One line per row, "NAME=value|..." with the non-empty values only (names in
// upper case, amounts with four decimals and a zero amount as empty, dates in
// ISO form, line breaks as "\n"); the left-out fields are skipped and a
// non-empty prefix starts every line.
QStringList rowLines(Dataset& rows, const QStringList& leftOut, const QString& prefix = QString());

// Writes a catalogue source file named fileName into folder and returns its
// path; body goes inside <catalogue>...</catalogue>.
QString writeCatalogueSource(const QString& folder, const QString& fileName, const QString& body);
// Builds catalogue from one source body into folder/kbr_QueryText.cds (with
// its signature) and returns the ".cds" path.
QString buildCatalogue(HlmQueryText& catalogue, const QString& folder, const QString& body);
// The project's catalogue sources, db/catalogue/*.xml, sorted.
QStringList projectCatalogueSources();
// The project's catalogue, built into folder and loaded with its signature
// check on, for the connection's engine.
std::unique_ptr<HlmQueryText> projectCatalogue(const QString& folder, const Connection& connection);
// Creates the store's tables and the payroll archive (tables and coded rows,
// from the build tree's installation) on an open, empty database.
void createArchive(Connection& connection);

} // namespace cu::test
