// Positions and coded fields of the seven layouts.
#include "telematic/layouts/FileLayouts.h"

#include "foundation/installation/Folders.h"

namespace cu {

FileLayouts::FileLayouts(const Folders& folders)
{
    add(u'A', loadRecordA(folders));
    add(u'B', loadRecordB(folders));
    add(u'C', loadRecordC(folders));
    add(u'D', loadRecordD(folders));
    add(u'G', loadRecordG(folders));
    add(u'H', loadRecordH(folders));
    add(u'Z', loadRecordZ(folders));
}

bool FileLayouts::isCertificateLetter(QChar letter)
{
    return letter == u'C' || letter == u'D' || letter == u'G' || letter == u'H';
}

const RecordLayout& FileLayouts::layout(QChar letter) const
{
    static const RecordLayout none;
    const auto it = m_layouts.find(letter);
    return it == m_layouts.end() ? none : *it;
}

QVector<PositionedField> FileLayouts::positionedFields(const RecordLayout& layout)
{
    QVector<PositionedField> positional;
    int position = 0;
    for (const LayoutSection& section : layout.sections())
        for (const LayoutField& field : section.fields)
            if (!field.isCoded()) {
                positional.append({position, field});
                position += field.width;
            }
    return positional;
}

void FileLayouts::add(QChar letter, const RecordLayout& layout)
{
    m_layouts.insert(letter, layout);
    m_positional.insert(letter, positionedFields(layout));
    QHash<QString, LayoutField>& coded = m_coded[letter];
    QHash<QString, LayoutField>& repeatable = m_repeatable[letter];
    for (const LayoutSection& section : layout.sections())
        for (const LayoutField& field : section.fields)
            if (field.isCoded()) {
                coded.insert(field.code(), field);
                if (section.repeat == u"YES")
                    repeatable.insert(codeKey(field.code()), field);
            }
}

const QVector<PositionedField>& FileLayouts::positional(QChar letter) const
{
    static const QVector<PositionedField> none;
    const auto it = m_positional.find(letter);
    return it == m_positional.end() ? none : *it;
}

const LayoutField* FileLayouts::coded(QChar letter, const QString& code) const
{
    const auto exact = m_coded.find(letter);
    if (exact == m_coded.end())
        return nullptr;
    if (const auto field = exact->find(code); field != exact->end())
        return &*field;
    const auto repeated = m_repeatable.find(letter);
    const auto field = repeated->find(codeKey(code));
    return field == repeated->end() ? nullptr : &*field;
}

} // namespace cu
