// The window "Contenuto del file telematico": a telematic file field by
// field, as a tree of its lines (record, certificate, recipient, module)
// whose children are the fields with their position or code, description
// and value, read by the viewer that "modellocu file --show" prints. When
// the supply was split, the file is chosen above the tree.
#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

namespace Ui {
class EliFileViewer;
}

class QTreeWidget;

namespace cu {

class Folders;

class EliFileViewer : public QDialog
{
    Q_OBJECT
public:
    // A file that cannot be read is an EZfError naming it.
    EliFileViewer(const Folders& folders, const QStringList& files, QWidget* parent = nullptr);
    ~EliFileViewer() override;

    QTreeWidget* albero() const;
    // Shows file i of the list.
    void mostra(int index);

private:
    std::unique_ptr<Ui::EliFileViewer> ui;
    const Folders& m_folders;
    QStringList m_files;
};

} // namespace cu
