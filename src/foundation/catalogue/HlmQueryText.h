// The query catalogue: the program's SQL texts by name, statement type and
// index, loaded from a signed catalogue file ("kbr_QueryText.cds") and handed
// to queries and datasets. A statement may have a variant for one database
// engine; lookups prefer the variant of the catalogue's engine and otherwise
// take the text for every engine.
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <map>
#include <optional>
#include <tuple>

namespace cu {

class Operator;
class QueryDataset;
class SqlQuery;

// What the version check needs to know of the running program.
struct ProgramIdentity
{
    QString executableName; // file name without ".exe": "modellocu"
    QString version;        // "1.0.0"
    QString title;          // shown in the update message

    static ProgramIdentity running();
};

class HlmQueryText
{
public:
    HlmQueryText();
    ~HlmQueryText();
    HlmQueryText(const HlmQueryText&) = delete;
    HlmQueryText& operator=(const HlmQueryText&) = delete;

    // Loads a catalogue file; with the signature check on, also computes the
    // file's signature for CheckVersion. A damaged file or one that is no
    // catalogue is an EZfError naming it.
    void Load(const QString& path);

    // Builds the catalogue from the source files (see HlmQueryTextSource) and,
    // unless targetCds is read-only, saves it there with its signature file.
    void BuildFromSource(const QStringList& sources, const QString& targetCds);

    void SetCheckCertificate(bool on) { m_checkCertificate = on; }

    // Whether the catalogue is the distributed one and the running program is
    // at least the version it requires; on failure tells the operator why and
    // returns false.
    bool CheckVersion(const QString& programName, Operator& op);
    bool CheckVersion(const QString& programName, Operator& op, const ProgramIdentity& program);

    // The Qt driver whose variants lookups prefer ("QSQLITE", "QPSQL"); empty
    // uses only the texts for every engine. Set from the connection.
    void setEngine(const QString& driver) { m_engine = driver; }
    const QString& engine() const { return m_engine; }

    // Clears the query's text and parameters and sets the text of name
    // (upper-cased), type (empty means "EXECUTE", compared exactly) and index.
    // A missing text is an EAssertion "Query: " + name.
    void GetQuery(const QString& name, SqlQuery& query, int index = 0, const QString& type = QString());
    // Sets the dataset's command text from the first index of name and type
    // and rebuilds its parameters. A missing text is an EAssertion.
    void GetCommandText(const QString& name, QueryDataset& dataSet, const QString& type);
    // The SELECT as command text, plus the INSERT, UPDATE and DELETE texts of
    // indexes 0, 1, 2 ... up to the first missing index.
    void PrepareUpdatable(const QString& name, QueryDataset& dataSet);
    // The text of name and type (first index); a missing one is an EAssertion
    // "Query : " + name.
    QString GetSQLText(const QString& name, const QString& type);
    // Formats the dataset's command text with the arguments ("%s", "%d") and
    // rebuilds its parameters.
    static void FormatQuery(QueryDataset& dataSet, const QVariantList& args);

    // The text of name, type and index for the catalogue's engine, if any.
    std::optional<QString> find(const QString& name, const QString& type, int index) const;

    // The name of the last statement handed out, for diagnosis.
    const QString& lastOperation() const { return m_lastOperation; }
    // The rows as loaded: Query, Tipo, Indice, SQL, Motore.
    const Dataset& records() const { return m_records; }

private:
    struct Key
    {
        QString query;
        QString tipo;
        int indice;
        bool operator<(const Key& o) const
        {
            return std::tie(query, tipo, indice) < std::tie(o.query, o.tipo, o.indice);
        }
    };
    using Variants = QHash<QString, QString>; // engine ("" = every engine) -> text

    void rebuildIndex();
    const QString* variantFor(const Variants& variants) const;
    std::optional<QString> findFirstIndex(const QString& name, const QString& type) const;
    void handOut(const QString& name, const QString& text);
    bool signatureIsValid() const;

    Dataset m_records;
    std::map<Key, Variants> m_statements;
    QHash<QString, QString> m_firstTipo; // Query -> Tipo of its first row (version rows)
    QString m_engine;
    bool m_checkCertificate = false;
    QString m_signature;
    QString m_signaturePath;
    QString m_lastOperation;
};

} // namespace cu
