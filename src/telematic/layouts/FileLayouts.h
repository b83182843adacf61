// The seven layouts seen from a finished file: for every record letter the
// positions of its positional fields (in document order, all written) and
// the descriptions of its coded fields by code pattern. Used to read a file
// back (verification and readable display).
#pragma once

#include "telematic/layouts/RecordLayout.h"

#include <QHash>
#include <QString>
#include <QVector>

namespace cu {

class Folders;

struct PositionedField
{
    int start = 0; // 0-based
    LayoutField field;
};

class FileLayouts
{
public:
    explicit FileLayouts(const Folders& folders);

    static bool isCertificateLetter(QChar letter);
    // The positional fields of a layout with their positions.
    static QVector<PositionedField> positionedFields(const RecordLayout& layout);
    // The layout of a record letter (an empty one for an unknown letter).
    const RecordLayout& layout(QChar letter) const;
    // The positional fields of a record letter, with their positions.
    const QVector<PositionedField>& positional(QChar letter) const;
    // The layout field of a code found in a file, or null: the code itself,
    // or a field of a repeated section whatever its module.
    const LayoutField* coded(QChar letter, const QString& code) const;
    // The code without its module: characters 3 to 5 left out.
    static QString codeKey(const QString& code) { return code.left(2) + code.mid(5, 3); }

private:
    void add(QChar letter, const RecordLayout& layout);

    QHash<QChar, RecordLayout> m_layouts;
    QHash<QChar, QVector<PositionedField>> m_positional;
    QHash<QChar, QHash<QString, LayoutField>> m_coded;      // by code
    QHash<QChar, QHash<QString, LayoutField>> m_repeatable; // by code without module
};

} // namespace cu
