// Reader of the query catalogue's source: XML files that the developers edit,
// from which the build makes the signed catalogue file. Format:
//   <catalogue>
//     <version program="MODELLOCU" minimum="1.0.0"/>
//     <statement name="QRY_MES" type="SELECT" index="0">
//       <sql>SELECT ... WHERE IMESID = :IMESID</sql>
//       <sql engine="QPSQL">variant for one engine</sql>
//     </statement>
//   </catalogue>
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace cu {

// One row of the catalogue as the source defines it.
struct CatalogueRow
{
    QString query;  // upper case: QRY_... or VER_<PROGRAM>
    QString tipo;   // statement type, or the minimum version of a version row
    int indice = 0; // number within the same name and type
    QString motore; // "" for every engine, or a Qt driver name
    QString sql;
    QString origin; // "file:line", for messages
};

class HlmQueryTextSource
{
public:
    // The rows of all files, in file order. Bad input (an unknown element or
    // attribute, a missing or wrong type, a bad index, engine or version, an
    // empty statement) and a statement defined twice (same name, type, index
    // and engine, in one file or two) are EZfError naming file and line.
    static QVector<CatalogueRow> read(const QStringList& files);

    static const QStringList& statementTypes(); // SELECT INSERT UPDATE DELETE EXECUTE
    static const QStringList& engines();        // QSQLITE QPSQL
};

} // namespace cu
