// The folders of an installation. The root is the folder above the one that
// holds the executable, unless given. Resource names are resolved without
// regard to case inside their folder, because the program names one file in
// more than one case ("TCUA_ANNOFIN.cds" / "TCUA_ANNOFIN.CDS").
#pragma once

#include <QString>

namespace cu {

class Folders
{
public:
    // root: the installation root; empty means the parent of the executable's folder.
    explicit Folders(const QString& root = QString());

    const QString& root() const { return m_root; }
    QString res() const;      // USR/FJ2024/Res/
    QString tabelle() const;  // USR/FJ2024/Res/Tabelle/
    QString filetel() const;  // USR/FJ2024/Res/filetel/
    QString stp() const;      // USR/FJ2024/Stp/
    QString dichCU() const;   // USR/FJ2024/DichCU/
    QString fjDati() const;   // USR/FJDati/FJ2024/ (working lists)
    QString etcKbr() const;   // etc/kbr/ (query catalogue, report definitions)
    QString usrKbr() const;   // usr/kbr/ (KbrPar.ini)
    QString etc() const;      // etc/ (connection settings)

    // The existing file in folder whose name equals fileName without regard
    // to case; when none exists, folder + fileName as given (for creation).
    static QString resolve(const QString& folder, const QString& fileName);

private:
    QString m_root;
};

// True when the file "dev" exists in the folder etc/eli/ of the installation:
// the editors then show each control's column name.
bool IsDevelopmentMode(const Folders& folders);

} // namespace cu
