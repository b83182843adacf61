// Reading and writing the layout files.
#include "telematic/layouts/RecordLayout.h"

#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"
#include "telematic/layouts/FieldNumbers.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QXmlStreamWriter>

namespace cu {

namespace {

struct BindingNames
{
    QString record;
    QString section;
    QString field;
    bool sectionRepeat; // the section carries Repeat
    bool sectionCds;    // the section carries Cds
    bool fieldSource;   // the field carries Cds and Field
};

BindingNames namesOf(LayoutBinding binding)
{
    switch (binding) {
    case LayoutBinding::A:
        return {QStringLiteral("RecordA"),
                QStringLiteral("SectionA"),
                QStringLiteral("CampoA"),
                false,
                false,
                true};
    case LayoutBinding::B:
        return {QStringLiteral("RecordB"),
                QStringLiteral("SectionB"),
                QStringLiteral("CampoB"),
                false,
                false,
                true};
    case LayoutBinding::E:
        return {QStringLiteral("RecordE"),
                QStringLiteral("SectionE"),
                QStringLiteral("CampoE"),
                true,
                false,
                true};
    case LayoutBinding::G:
        return {QStringLiteral("RecordG"),
                QStringLiteral("SectionG"),
                QStringLiteral("CampoG"),
                true,
                true,
                true};
    case LayoutBinding::H:
        return {QStringLiteral("RecordH"),
                QStringLiteral("SectionH"),
                QStringLiteral("CampoH"),
                true,
                false,
                true};
    case LayoutBinding::Z:
        return {QStringLiteral("RecordZ"),
                QStringLiteral("SectionZ"),
                QStringLiteral("CampoZ"),
                false,
                false,
                false};
    }
    return {};
}

LayoutField readField(const QDomElement& e, const BindingNames& names, const QString& path)
{
    LayoutField f;
    f.number = e.attribute(QStringLiteral("Number"));
    f.description = e.attribute(QStringLiteral("Description"));
    // No field is wider than a record line: a larger width is a damaged
    // layout, and the positions summed from such widths would overflow.
    constexpr int MaxFieldWidth = 1898;
    bool ok = false;
    f.width = e.attribute(QStringLiteral("Width")).trimmed().toInt(&ok);
    if (!ok || f.width < 0 || f.width > MaxFieldWidth)
        throw EZfError(QStringLiteral("Larghezza non valida del campo %1 nel tracciato %2 (riga %3)")
                           .arg(f.number, path)
                           .arg(e.lineNumber()));
    f.format = e.attribute(QStringLiteral("Format"));
    f.info = e.attribute(QStringLiteral("Info"));
    f.fixed = e.attribute(QStringLiteral("Fixed"));
    if (names.fieldSource) {
        f.cds = e.attribute(QStringLiteral("Cds"));
        f.field = e.attribute(QStringLiteral("Field"));
    }
    return f;
}

LayoutSection readSection(const QDomElement& e, const BindingNames& names, const QString& path)
{
    LayoutSection s;
    s.text = e.attribute(QStringLiteral("Text"));
    if (names.sectionRepeat)
        s.repeat = e.attribute(QStringLiteral("Repeat"));
    if (names.sectionCds)
        s.cds = e.attribute(QStringLiteral("Cds"));
    for (QDomElement f = e.firstChildElement(names.field); !f.isNull(); f = f.nextSiblingElement(names.field))
        s.fields.append(readField(f, names, path));
    return s;
}

void writeField(QXmlStreamWriter& xml, const LayoutField& f, const BindingNames& names)
{
    xml.writeEmptyElement(names.field);
    xml.writeAttribute(QStringLiteral("Number"), f.number);
    xml.writeAttribute(QStringLiteral("Description"), f.description);
    xml.writeAttribute(QStringLiteral("Width"), QString::number(f.width));
    xml.writeAttribute(QStringLiteral("Format"), f.format);
    xml.writeAttribute(QStringLiteral("Info"), f.info);
    xml.writeAttribute(QStringLiteral("Fixed"), f.fixed);
    if (names.fieldSource) {
        xml.writeAttribute(QStringLiteral("Cds"), f.cds);
        xml.writeAttribute(QStringLiteral("Field"), f.field);
    }
}

} // namespace

bool LayoutField::isCoded() const
{
    return code().size() == 8;
}

QString LayoutField::code() const
{
    return number.trimmed();
}

RecordLayout RecordLayout::load(const QString& path, LayoutBinding binding)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw EZfError(QStringLiteral("Tracciato %1 mancante").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(QStringLiteral("Impossibile aprire il tracciato %1: accesso negato").arg(path));
    QDomDocument doc;
    int line = 0;
    int column = 0;
    if (!doc.setContent(&file, nullptr, &line, &column))
        throw EZfError(QStringLiteral("Tracciato %1 non valido: XML malformato alla riga %2, colonna %3")
                           .arg(path)
                           .arg(line)
                           .arg(column));
    const BindingNames names = namesOf(binding);
    RecordLayout layout(binding);
    const QDomElement root = doc.documentElement();
    if (binding == LayoutBinding::Z) {
        const QDomElement section = root.firstChildElement(names.section);
        if (section.isNull())
            throw EZfError(QStringLiteral("Tracciato %1 senza la sezione %2").arg(path, names.section));
        layout.m_sections.append(readSection(section, names, path));
        return layout;
    }
    for (QDomElement s = root.firstChildElement(names.section); !s.isNull();
         s = s.nextSiblingElement(names.section))
        layout.m_sections.append(readSection(s, names, path));
    return layout;
}

void RecordLayout::save(const QString& path) const
{
    const BindingNames names = namesOf(m_binding);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EZfError(
            QStringLiteral("Impossibile scrivere il tracciato %1: %2").arg(path, file.errorString()));
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(names.record);
    for (const LayoutSection& s : m_sections) {
        xml.writeStartElement(names.section);
        xml.writeAttribute(QStringLiteral("Text"), s.text);
        if (names.sectionRepeat)
            xml.writeAttribute(QStringLiteral("Repeat"), s.repeat);
        if (names.sectionCds)
            xml.writeAttribute(QStringLiteral("Cds"), s.cds);
        for (const LayoutField& f : s.fields)
            writeField(xml, f, names);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    if (!file.commit())
        throw EZfError(
            QStringLiteral("Impossibile scrivere il tracciato %1: %2").arg(path, file.errorString()));
}

QString RecordLayout::recordLetter() const
{
    for (const LayoutSection& s : m_sections)
        for (const LayoutField& f : s.fields)
            if (f.code() == u"1")
                return f.fixed;
    return QString();
}

int RecordLayout::totalWidth() const
{
    int total = 0;
    for (const LayoutSection& s : m_sections)
        for (const LayoutField& f : s.fields)
            total += f.width;
    return total;
}

FieldSpan RecordLayout::span(const QString& number) const
{
    int start = 0;
    for (const LayoutSection& s : m_sections)
        for (const LayoutField& f : s.fields) {
            if (f.isCoded())
                continue;
            if (f.code() == number)
                return {start, f.width};
            start += f.width;
        }
    return {};
}

void RecordLayout::requireHeadFields(QChar letter, const QString& path) const
{
    QStringList missing;
    for (const fieldnumbers::HeadField& head : fieldnumbers::headFields(letter))
        if (!span(head.number).isValid())
            missing.append(QStringLiteral("%1 (%2)").arg(head.number, head.label));
    if (!missing.isEmpty())
        throw EZfError(QStringLiteral("Tracciato %1 del record %2 senza i campi di testa: %3")
                           .arg(path, letter, missing.join(QStringLiteral(", "))));
    if (recordLetter() != letter)
        throw EZfError(
            QStringLiteral("Tracciato %1 del record %2: il campo 1 (tipo record) vale \"%3\" invece di "
                           "\"%2\"")
                .arg(path, letter, recordLetter()));
}

namespace {

RecordLayout loadNamed(const Folders& folders, QChar letter, LayoutBinding binding)
{
    const QString path = Folders::resolve(folders.filetel(), QStringLiteral("Record_%1.xml").arg(letter));
    RecordLayout layout = RecordLayout::load(path, binding);
    layout.requireHeadFields(letter, path);
    return layout;
}

} // namespace

RecordLayout loadRecordA(const Folders& folders)
{
    return loadNamed(folders, u'A', LayoutBinding::A);
}
RecordLayout loadRecordB(const Folders& folders)
{
    return loadNamed(folders, u'B', LayoutBinding::B);
}
RecordLayout loadRecordC(const Folders& folders)
{
    return loadNamed(folders, u'C', LayoutBinding::E);
}
RecordLayout loadRecordD(const Folders& folders)
{
    return loadNamed(folders, u'D', LayoutBinding::E);
}
RecordLayout loadRecordG(const Folders& folders)
{
    return loadNamed(folders, u'G', LayoutBinding::G);
}
RecordLayout loadRecordH(const Folders& folders)
{
    return loadNamed(folders, u'H', LayoutBinding::H);
}
RecordLayout loadRecordZ(const Folders& folders)
{
    return loadNamed(folders, u'Z', LayoutBinding::Z);
}

} // namespace cu
