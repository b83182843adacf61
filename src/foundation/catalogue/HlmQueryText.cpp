// The query catalogue: loading, building, the signature and version check,
// and handing texts out to queries and datasets.
#include "foundation/catalogue/HlmQueryText.h"

#include "foundation/catalogue/HlmCert.h"
#include "foundation/catalogue/HlmQueryTextSource.h"
#include "foundation/catalogue/QueryDataset.h"
#include "foundation/catalogue/VersionNumber.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "foundation/text/HlmString.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>

namespace cu {

namespace {

const QString UnitName = QStringLiteral("hlmCQueryText");
const QString FieldQuery = QStringLiteral("Query");
const QString FieldTipo = QStringLiteral("Tipo");
const QString FieldIndice = QStringLiteral("Indice");
const QString FieldSql = QStringLiteral("SQL");
const QString FieldMotore = QStringLiteral("Motore");

QVector<FieldDef> catalogueFields()
{
    return {{FieldQuery, FieldType::String, 100},
            {FieldTipo, FieldType::String, 20},
            {FieldIndice, FieldType::Integer, 0},
            {FieldSql, FieldType::Memo, 0},
            {FieldMotore, FieldType::String, 10}};
}

} // namespace

ProgramIdentity ProgramIdentity::running()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (name.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return {name, QStringLiteral(MODELLOCU_VERSION), QStringLiteral("Modello CU 2025")};
}

HlmQueryText::HlmQueryText()
{
    m_records.setFields(catalogueFields());
    m_records.open();
}

HlmQueryText::~HlmQueryText() = default;

void HlmQueryText::Load(const QString& path)
{
    m_records.loadFromFile(path);
    for (const QString& field : {FieldQuery, FieldTipo, FieldIndice, FieldSql}) {
        if (!m_records.hasField(field))
            throw EZfError(QStringLiteral("Il file \"%1\" non è un catalogo query: manca il campo %2.")
                               .arg(path, field));
    }
    rebuildIndex();
    if (m_checkCertificate) {
        m_signature = HlmCert::Signature(path);
        m_signaturePath = HlmCert::signaturePath(path);
    }
}

void HlmQueryText::BuildFromSource(const QStringList& sources, const QString& targetCds)
{
    const QVector<CatalogueRow> rows = HlmQueryTextSource::read(sources);
    m_records.setFields(catalogueFields());
    m_records.open();
    for (const CatalogueRow& row : rows) {
        m_records.append();
        m_records.setValue(FieldQuery, row.query);
        m_records.setValue(FieldTipo, row.tipo);
        m_records.setValue(FieldIndice, row.indice);
        m_records.setValue(FieldSql, row.sql);
        m_records.setValue(FieldMotore, row.motore);
        m_records.post();
    }
    m_records.mergeChangeLog();
    rebuildIndex();

    const QFileInfo target(targetCds);
    // A read-only catalogue (no write permission for its owner, whoever runs
    // the build) is left as it is.
    if (target.exists() && !target.permissions().testFlag(QFileDevice::WriteOwner))
        return;
    if (!QDir().mkpath(target.absolutePath()))
        throw EZfError(QStringLiteral("Impossibile creare la cartella \"%1\".").arg(target.absolutePath()));
    m_records.saveToFile(targetCds);
    HlmCert::writeSignatureFile(targetCds);
}

void HlmQueryText::rebuildIndex()
{
    m_statements.clear();
    m_firstTipo.clear();
    const bool hasEngine = m_records.hasField(FieldMotore);
    for (int row = 0; row < m_records.recordCount(); ++row) {
        m_records.setRecNo(row);
        const QString query = m_records.asString(FieldQuery);
        const QString tipo = m_records.asString(FieldTipo);
        const QString engine = hasEngine ? m_records.asString(FieldMotore) : QString();
        m_firstTipo.insert(query, m_firstTipo.value(query, tipo));
        Variants& variants = m_statements[Key{query, tipo, int(m_records.asInteger(FieldIndice))}];
        if (!variants.contains(engine)) // the first row of a key wins, as a search would find it
            variants.insert(engine, m_records.asString(FieldSql));
    }
}

const QString* HlmQueryText::variantFor(const Variants& variants) const
{
    if (!m_engine.isEmpty()) {
        const auto own = variants.constFind(m_engine);
        if (own != variants.cend())
            return &own.value();
    }
    const auto generic = variants.constFind(QString());
    return generic != variants.cend() ? &generic.value() : nullptr;
}

std::optional<QString> HlmQueryText::find(const QString& name, const QString& type, int index) const
{
    const auto it = m_statements.find(Key{name, type, index});
    if (it == m_statements.end())
        return std::nullopt;
    const QString* text = variantFor(it->second);
    return text ? std::optional<QString>(*text) : std::nullopt;
}

std::optional<QString> HlmQueryText::findFirstIndex(const QString& name, const QString& type) const
{
    for (auto it = m_statements.lower_bound(Key{name, type, INT_MIN});
         it != m_statements.end() && it->first.query == name && it->first.tipo == type; ++it) {
        if (const QString* text = variantFor(it->second))
            return *text;
    }
    return std::nullopt;
}

void HlmQueryText::handOut(const QString& name, const QString& text)
{
    m_lastOperation = name;
    if (text.isEmpty())
        throw EAssertion(QStringLiteral("Query: ") + name, UnitName);
}

void HlmQueryText::GetQuery(const QString& name, SqlQuery& query, int index, const QString& type)
{
    query.setSql(QString());
    query.clearParams();
    const QString upperName = name.toUpper();
    const QString text =
        find(upperName, type.isEmpty() ? QStringLiteral("EXECUTE") : type, index).value_or(QString());
    query.setSql(text);
    handOut(upperName, text);
}

void HlmQueryText::GetCommandText(const QString& name, QueryDataset& dataSet, const QString& type)
{
    const QString upperName = name.toUpper();
    const QString text = findFirstIndex(upperName, type).value_or(QString());
    dataSet.setCommandText(text);
    handOut(upperName, text);
}

void HlmQueryText::PrepareUpdatable(const QString& name, QueryDataset& dataSet)
{
    GetCommandText(name, dataSet, QStringLiteral("SELECT"));
    const QString upperName = name.toUpper();
    QueryDataset::UpdateStatements& updates = dataSet.updateStatements();
    const std::pair<QString, QStringList*> collections[] = {{QStringLiteral("INSERT"), &updates.insert},
                                                            {QStringLiteral("UPDATE"), &updates.update},
                                                            {QStringLiteral("DELETE"), &updates.remove}};
    for (const auto& [type, texts] : collections) {
        texts->clear();
        for (int index = 0;; ++index) {
            const std::optional<QString> text = find(upperName, type, index);
            if (!text)
                break;
            texts->append(*text);
        }
    }
}

QString HlmQueryText::GetSQLText(const QString& name, const QString& type)
{
    const QString upperName = name.toUpper();
    m_lastOperation = upperName;
    const std::optional<QString> text = findFirstIndex(upperName, type);
    if (!text)
        throw EAssertion(QStringLiteral("Query : ") + upperName, UnitName);
    return *text;
}

void HlmQueryText::FormatQuery(QueryDataset& dataSet, const QVariantList& args)
{
    dataSet.setCommandText(HlmString::Format(dataSet.commandText(), args));
}

bool HlmQueryText::signatureIsValid() const
{
    if (!m_checkCertificate)
        return true;
    if (m_signature.isEmpty() || m_signaturePath.isEmpty())
        return false;
    QFile file(m_signaturePath);
    const QByteArray stored = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return stored == HlmCert::signatureFileContents(m_signature);
}

bool HlmQueryText::CheckVersion(const QString& programName, Operator& op)
{
    return CheckVersion(programName, op, ProgramIdentity::running());
}

bool HlmQueryText::CheckVersion(const QString& programName, Operator& op, const ProgramIdentity& program)
{
    if (!signatureIsValid()) {
        QString message = QStringLiteral("Certificato query non trovato od errato.");
        if (!programName.isEmpty())
            message += QStringLiteral(" Aggiornare il programma \"%1\"").arg(programName);
        op.error(message);
        return false;
    }
    const QString key = QStringLiteral("VER_") + program.executableName.toUpper();
    const auto row = m_firstTipo.constFind(key);
    const QString required = row != m_firstTipo.cend() ? row.value() : QString();
    if (row == m_firstTipo.cend() || !VersionNumber::isAcceptable(required, program.version)) {
        op.error(QStringLiteral("AGGIORNARE IL PROGRAMMA \"%1\".%2Versione minima richiesta: %3.")
                     .arg(program.title, QStringLiteral("\r\n"), required));
        return false;
    }
    return true;
}

} // namespace cu
