// Tables as CSV text with a typed header, the editable source form of the
// lookup tables. UTF-8, comma separator, RFC 4180 quoting; lines starting
// with '#' before the header are comments; header cells are "Name:Type" or
// "Name:Type:Size" with the type letters
//   S string (size = characters)  I integer    N small integer
//   L boolean (true/false/1/0)    F amount (decimal with '.')
//   R float   D date (yyyy-MM-dd) T date-time (ISO 8601)
//   M memo    B blob (base64)
// An empty cell is a null value.
#pragma once

#include <QByteArray>
#include <QString>

namespace cu {

class Dataset;

class CsvTable
{
public:
    // Replaces the dataset's fields and rows with the table of the text; the
    // rows count as unchanged. Errors are EZfError naming the source, the
    // line and the column.
    static void read(const QByteArray& utf8, Dataset& dataset, const QString& sourceName);
    // The visible rows of the dataset, in its current order, as CSV text.
    static QByteArray write(const Dataset& dataset);

    static void readFile(const QString& path, Dataset& dataset);
    static void writeFile(const Dataset& dataset, const QString& path);
};

} // namespace cu
