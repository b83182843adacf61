// The command line as its tests run it: bin/modellocu of the build on an
// installation root, and a demo installation whose archive and store live in
// a test database (SQLite or PostgreSQL), with its rows read and emptied
// through the store.
#pragma once

#include "foundation/database/Connection.h"
#include "foundation/operator/ScriptedOperator.h"
#include "import/DemoImport.h"
#include "import/demo/DemoInstallation.h"
#include "store/HlmDBCds.h"
#include "support/TestSupport.h"
#include "telematic/ProducerSetting.h"

#include <QProcess>
#include <QTemporaryDir>

namespace cu::test {

struct Run
{
    int status = -1; // -1: crashed or timed out
    QString out;
    QString err;
};

inline QString modellocuProgram()
{
    return buildRoot() + QStringLiteral("/bin/modellocu");
}

// Runs the command on the installation root; input goes to its standard input.
inline Run runModellocu(const QString& root, const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.start(modellocuProgram(), QStringList{QStringLiteral("--root"), root} + args);
    process.write(input);
    process.closeWriteChannel();
    Run run;
    if (!process.waitForFinished(600000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A demo installation of the given persons whose archive and store are in
// the database of params (the same archive for the same count).
class DemoOnDatabase
{
public:
    DemoOnDatabase(const ConnectionParams& params, qint64 people) : m_params(params)
    {
        demo::DemoOptions options;
        options.people = people;
        demo::DemoInstallation files(buildRoot(), m_root.path(), options, m_op);
        files.prepareFolders();
        files.copyProgramFiles();
        files.writeSettings();
        setProducerFiscalCode(files.folders(), QStringLiteral("01234567897")); // as the demo sets it
        withConnection([people](Connection& connection) { DemoImport(connection).createArchive(people); });
    }

    const ConnectionParams& params() const { return m_params; }
    QString root() const { return m_root.path(); }

    // The command's arguments: the subcommand, the database options, the rest.
    QStringList arguments(const QStringList& args) const
    {
        QStringList all{args.first(), QStringLiteral("--db-driver"), m_params.driver,
                        QStringLiteral("--db-name"), m_params.database};
        if (!m_params.host.isEmpty())
            all << QStringLiteral("--db-host") << m_params.host << QStringLiteral("--db-port")
                << QString::number(m_params.port) << QStringLiteral("--db-user") << m_params.user;
        return all + args.mid(1);
    }
    Run modellocu(const QStringList& args, const QByteArray& input = {}) const
    {
        return runModellocu(m_root.path(), arguments(args), input);
    }
    QProcess* start(const QStringList& args, QObject* parent) const
    {
        auto* process = new QProcess(parent);
        process->start(modellocuProgram(),
                       QStringList{QStringLiteral("--root"), m_root.path()} + arguments(args));
        return process;
    }

    // Every row of the tables (all when none is named), as "TABLE|COLUMN=value|..." lines.
    QStringList rows(const QStringList& tables = {}) const
    {
        QStringList lines;
        withConnection([&](Connection& connection) {
            DemoImport demo(connection);
            for (const TableSchema& table : demo.schema().tables())
                if (tables.isEmpty() || tables.contains(table.name)) {
                    Dataset rows;
                    demo.store().open(rows, table.name);
                    lines << rowLines(rows, {QStringLiteral("iAfiID"), QStringLiteral("iFisRigo")},
                                      table.name);
                }
        });
        return lines;
    }
    // Deletes every row of the tables.
    void empty(const QStringList& tables) const
    {
        withConnection([&](Connection& connection) {
            DemoImport demo(connection);
            for (const QString& table : tables) {
                Dataset rows;
                demo.store().open(rows, table);
                while (!rows.isEmpty()) {
                    rows.first();
                    rows.remove();
                }
                demo.store().save(rows, table);
            }
        });
    }
    // Writes a file into the installation root and returns its path.
    QString writeFile(const QString& name, const QByteArray& text) const
    {
        test::writeFile(m_root.filePath(name), text);
        return m_root.filePath(name);
    }
    // Opens the database for use.
    template <typename Use> void withConnection(Use use) const
    {
        Connection connection;
        connection.open(m_params);
        use(connection);
        connection.close();
    }

private:
    ConnectionParams m_params;
    QTemporaryDir m_root;
    ScriptedOperator m_op;
};

} // namespace cu::test
