// The demo archive on a test database, imported by the real run: the store,
// the payroll archive and the synthetic year are written into the database,
// the installed query catalogue and tables of the build are used, and the
// resulting certificates are read back as sorted text lines (one per table
// row, every column but the store's own ids) for comparison.
#pragma once

#include "certificates/CertificateSchema.h"
#include "certificates/StoreInstaller.h"
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/installation/AppContext.h"
#include "foundation/operator/ScriptedOperator.h"
#include "import/demo/DemoArchive.h"
#include "import/demo/PayrollArchiveSchema.h"
#include "import/run/ImportRun.h"
#include "store/HlmDBCds.h"
#include "support/TestSupport.h"

#include <QDir>
#include <memory>

namespace cu::test {

class DemoImport
{
public:
    explicit DemoImport(Connection& connection) : m_connection(connection), m_folders(buildRoot())
    {
        m_catalogue.Load(QDir(m_folders.etcKbr()).filePath(QStringLiteral("kbr_QueryText.cds")));
        m_catalogue.setEngine(connection.params().driver);
        m_store = std::make_unique<HlmDBCds>(connection);
        setStoreYear(*m_store);
        m_store->setShowWait(false);
    }

    const CertificateSchema& schema()
    {
        if (!m_schema)
            m_schema = std::make_unique<CertificateSchema>(
                CertificateSchema::load(QDir(m_folders.res()).filePath(QStringLiteral("Schema/eli.xml"))));
        return *m_schema;
    }

    void createArchive(qint64 people, quint64 seed = 2024)
    {
        StoreInstaller::install(m_connection, schema());
        demo::PayrollArchiveSchema::createTables(m_connection, m_folders);
        demo::PayrollArchiveSchema::insertBaseData(m_connection, m_folders);
        demo::DemoOptions options;
        options.people = people;
        options.seed = seed;
        demo::DemoArchive::write(m_connection, m_folders, m_catalogue, options, m_op);
    }

    ImportOutcome import(ImportParameters params)
    {
        AppContext ctx;
        ctx.folders = m_folders;
        ctx.connection = &m_connection;
        ctx.catalogue = &m_catalogue;
        ctx.store = m_store.get();
        ctx.op = &m_op;
        ctx.workingYear = 2024;
        ImportRunOptions options;
        options.siteId = 1;
        options.today = QDate(2025, 2, 15);
        options.showClosing = false;
        return runImport(ctx, params, m_op, options);
    }

    // Every row of every certificate table, as "TABLE|COLUMN=value|..." with
    // the non-empty values, sorted.
    QStringList dump()
    {
        QStringList lines;
        for (const TableSchema& table : schema().tables()) {
            Dataset rows;
            m_store->open(rows, table.name);
            lines += rowLines(rows, {QStringLiteral("iAfiID"), QStringLiteral("iFisRigo")}, table.name);
        }
        lines.sort();
        return lines;
    }

    ScriptedOperator& op() { return m_op; }
    HlmDBCds& store() { return *m_store; }
    HlmQueryText& catalogue() { return m_catalogue; }
    const Folders& folders() const { return m_folders; }

private:
    Connection& m_connection;
    Folders m_folders;
    HlmQueryText m_catalogue;
    ScriptedOperator m_op;
    std::unique_ptr<HlmDBCds> m_store;
    std::unique_ptr<CertificateSchema> m_schema;
};

} // namespace cu::test
