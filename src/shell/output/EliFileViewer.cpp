// The telematic file as a tree.
#include "shell/output/EliFileViewer.h"

#include "shell/common/BusyCursor.h"
#include "shell/common/WindowGeometry.h"
#include "telematic/TelematicViewer.h"
#include "telematic/layouts/FileLayouts.h"
#include "ui_EliFileViewer.h"

#include <QDir>
#include <QFileInfo>

namespace cu {

EliFileViewer::EliFileViewer(const Folders& folders, const QStringList& files, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EliFileViewer>()), m_folders(folders), m_files(files)
{
    ui->setupUi(this);
    for (const QString& file : files)
        ui->cbFile->addItem(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()));
    ui->laFile->setVisible(files.size() > 1);
    ui->cbFile->setVisible(files.size() > 1);
    if (!files.isEmpty())
        mostra(0);
    connect(ui->cbFile, &QComboBox::currentIndexChanged, this, &EliFileViewer::mostra);
    setWindowTitle(windowTitle() + QStringLiteral(" ") + QFileInfo(files.value(0)).fileName());
    resize(860, 600);
    WindowGeometry::remember(this, QStringLiteral("EliFileViewer"));
}

EliFileViewer::~EliFileViewer() = default;

QTreeWidget* EliFileViewer::albero() const
{
    return ui->twRecord;
}

void EliFileViewer::mostra(int index)
{
    const BusyScope busy;
    const FileLayouts layouts(m_folders);
    const QVector<ViewedLine> lines = TelematicViewer(layouts).read(m_files.value(index));
    ui->twRecord->clear();
    QList<QTreeWidgetItem*> items;
    for (const ViewedLine& line : lines) {
        auto* record = new QTreeWidgetItem({line.title});
        record->setFirstColumnSpanned(true);
        for (const ViewedField& field : line.fields)
            new QTreeWidgetItem(record, {QString(), field.label(), field.description, field.value});
        items.append(record);
    }
    ui->twRecord->addTopLevelItems(items);
    for (QTreeWidgetItem* item : items)
        item->setFirstColumnSpanned(true);
    ui->twRecord->setColumnWidth(0, 70);
    ui->twRecord->setColumnWidth(1, 90);
    ui->twRecord->setColumnWidth(2, 480);
}

} // namespace cu
