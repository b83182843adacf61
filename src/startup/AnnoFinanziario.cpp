// The working financial year and its local table.
#include "startup/AnnoFinanziario.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/dataset/LocalFiles.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/Errors.h"

#include <QFileInfo>

namespace cu {

namespace {

const QString Column = QStringLiteral("SCUAANNOFIN");

QString tablePath(const Folders& folders)
{
    return Folders::resolve(folders.res(), QStringLiteral("TCUA_ANNOFIN.cds"));
}

// The table as stored, or an empty one with its column.
void load(const Folders& folders, Dataset& table)
{
    const QString path = tablePath(folders);
    if (QFileInfo::exists(path) || QFileInfo::exists(HlmCds::backupPath(path))) {
        HlmCds::LoadFile(table, path);
        return;
    }
    table.setFields({{Column, FieldType::String, 4}});
    table.open();
}

} // namespace

int AnnoFinanziario::accetta(const QString& year)
{
    const QString text = year.trimmed();
    const int number = text.toInt();
    if (!WorkingYear::isChoosable(number) || text != QString::number(number))
        throw EZfError(QStringLiteral("L'anno finanziario deve essere compreso tra %1 e %2.")
                           .arg(WorkingYear::Earliest)
                           .arg(WorkingYear::Latest));
    return number;
}

QString AnnoFinanziario::proposto(const Folders& folders)
{
    Dataset table;
    load(folders, table);
    table.last();
    const QString year = table.isEmpty() ? QString() : table.asString(Column).trimmed();
    return year.isEmpty() ? QString::number(WorkingYear::Default) : year;
}

void AnnoFinanziario::memorizza(const Folders& folders, const QString& year)
{
    Dataset table;
    load(folders, table);
    table.last();
    if (!table.isEmpty())
        table.remove();
    table.append();
    table.setValue(Column, year.trimmed());
    table.post();
    HlmCds::SaveFile(table, tablePath(folders));
}

} // namespace cu
