// Reading the payroll archive: a statement of the query catalogue by name,
// its :NAME parameters, the generated fragments that formatting puts into
// its "%s"/"%d" places and a clause appended at its end. The builders and
// the section writers read the archive only through this interface, so the
// computations can be run on rows given by a test.
#pragma once

#include "import/archive/ArchiveRows.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace cu {

struct ArchiveRequest
{
    QString name;           // catalogue statement, e.g. "QRY_CUD_RIT"
    QVariantMap params;     // parameter name -> value
    QStringList formatArgs; // fill the "%s"/"%d" places in order
    QString appended;       // text appended to the statement
};

class PayrollArchive
{
public:
    virtual ~PayrollArchive() = default;
    virtual ArchiveRows open(const ArchiveRequest& request) = 0;
};

// Fills the "%s" and "%d" places of a statement text with the arguments, in
// order; "%%" stays a percent sign. Too few arguments is a programming error.
QString formatStatement(const QString& text, const QStringList& args, const QString& statementName);

} // namespace cu
