// The installation of the tests: a temporary folder holding the build tree's
// resources (layouts, PDF models, lookup tables, schema, telematic records),
// with the notes table replaced on request and, for the start-up tests, the
// project's catalogue for an engine with the report definitions.
#pragma once

#include "foundation/installation/Folders.h"

#include <QStringList>
#include <QTemporaryDir>

namespace cu {
class Connection;
}

namespace cu::test {

class TestInstallation
{
public:
    TestInstallation();
    const Folders& folders() const { return m_folders; }
    QString root() const { return m_dir.path(); }

    // Replaces the notes table by one holding these annotation codes.
    void writeNotes(const QStringList& codes);
    // Builds the project's catalogue for the connection's engine into etc/kbr
    // and copies the report definitions beside it.
    void installCatalogue(const Connection& connection);

private:
    QTemporaryDir m_dir;
    Folders m_folders;
};

} // namespace cu::test
