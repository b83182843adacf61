// Generation of the layouts from the input file and the schema.
#include "LayoutGenerator.h"

#include "foundation/operator/Errors.h"
#include "telematic/TelematicData.h"

namespace cu::layouts {

namespace {

const QString Unconfirmed = QStringLiteral("non confermato");

[[noreturn]] void fail(const QDomElement& e, const QString& message)
{
    throw EZfError(QStringLiteral("record-layouts.xml, riga %1 (<%2>): %3")
                       .arg(e.lineNumber())
                       .arg(e.tagName(), message));
}

QString attribute(const QDomElement& e, const char* name)
{
    return e.attribute(QString::fromLatin1(name));
}

int number(const QDomElement& e, const char* name)
{
    bool ok = false;
    const int value = attribute(e, name).toInt(&ok);
    if (!ok)
        fail(e, QStringLiteral("attributo %1 non numerico").arg(QString::fromLatin1(name)));
    return value;
}

// A field of the head applies to the letters it names, or to all.
bool appliesTo(const QDomElement& field, const QString& letter)
{
    const QString letters = attribute(field, "letters");
    return letters.isEmpty() || letters.split(u' ', Qt::SkipEmptyParts).contains(letter);
}

bool isFiscalCodeColumn(const ColumnSchema& column)
{
    const QString name = column.name.toUpper();
    return column.typeLetter == u'C' ||
           (column.typeLetter == u'S' && (name.mid(1).contains(u"CODFIS") || name.mid(1).contains(u"CF")) &&
            !name.contains(u"PERCEST") && !name.contains(u"IDFONDO"));
}

// The format of a column whose code the facts do not describe.
QString typeFormat(const ColumnSchema& column)
{
    if (isFiscalCodeColumn(column))
        return QStringLiteral("CF");
    switch (column.typeLetter.toUpper().unicode()) {
    case u'F':
        return QStringLiteral("VP");
    case u'L':
        return QStringLiteral("CB");
    case u'D':
        return QStringLiteral("DT");
    case u'I':
        return QStringLiteral("NP");
    default:
        return QStringLiteral("AN");
    }
}

QString described(const QString& description, const QString& source, bool exact)
{
    if (exact || !source.contains(Unconfirmed) || description.contains(Unconfirmed))
        return description;
    return description + QStringLiteral(" [non confermato]");
}

} // namespace

LayoutGenerator::LayoutGenerator(const CertificateSchema& schema, const QDomElement& input)
    : m_schema(schema), m_input(input), m_codes(input)
{
    if (input.hasAttribute(QStringLiteral("codedWidth")))
        m_codedWidth = number(input, "codedWidth");
}

RecordLayout LayoutGenerator::record(const QString& letter)
{
    for (QDomElement r = m_input.firstChildElement(QStringLiteral("record")); !r.isNull();
         r = r.nextSiblingElement(QStringLiteral("record"))) {
        if (attribute(r, "letter") != letter)
            continue;
        const QString binding = attribute(r, "binding");
        static const QHash<QString, LayoutBinding> bindings{
            {QStringLiteral("A"), LayoutBinding::A}, {QStringLiteral("B"), LayoutBinding::B},
            {QStringLiteral("E"), LayoutBinding::E}, {QStringLiteral("G"), LayoutBinding::G},
            {QStringLiteral("H"), LayoutBinding::H}, {QStringLiteral("Z"), LayoutBinding::Z}};
        if (!bindings.contains(binding))
            fail(r, QStringLiteral("binding \"%1\" sconosciuto").arg(binding));
        RecordLayout layout(bindings.value(binding));
        m_recordCodes.clear();
        const bool certificate = binding == u"E" || binding == u"G" || binding == u"H";
        if (certificate)
            layout.addSection(headSection(letter));
        for (QDomElement s = r.firstChildElement(QStringLiteral("section")); !s.isNull();
             s = s.nextSiblingElement(QStringLiteral("section")))
            layout.addSection(section(s, letter));
        return layout;
    }
    throw EZfError(QStringLiteral("record-layouts.xml: manca il record %1").arg(letter));
}

LayoutSection LayoutGenerator::section(const QDomElement& e, const QString& letter)
{
    LayoutSection s;
    s.text = attribute(e, "text");
    s.repeat = e.hasAttribute(QStringLiteral("repeat")) ? attribute(e, "repeat") : QStringLiteral("NO");
    s.cds = attribute(e, "cds");
    int position = 1;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        const QString tag = c.tagName();
        if (tag == u"field")
            addPositional(s, c, letter, position);
        else if (tag == u"code")
            addCode(s, c, letter);
        else if (tag == u"points")
            addPoints(s, c, letter);
        else if (tag == u"numbered")
            addNumbered(s, c, letter);
        else
            fail(c, QStringLiteral("elemento sconosciuto"));
    }
    return s;
}

LayoutSection LayoutGenerator::headSection(const QString& letter)
{
    const QDomElement head = m_input.firstChildElement(QStringLiteral("head"));
    if (head.isNull())
        throw EZfError(QStringLiteral("record-layouts.xml: manca la testa dei record C, D, G, H"));
    LayoutSection s;
    s.text = QStringLiteral("intestazione record");
    s.repeat = QStringLiteral("NO");
    int position = 1;
    QSet<QString> numbers;
    for (QDomElement f = head.firstChildElement(QStringLiteral("field")); !f.isNull();
         f = f.nextSiblingElement(QStringLiteral("field"))) {
        if (!appliesTo(f, letter) || numbers.contains(attribute(f, "number")))
            continue;
        numbers.insert(attribute(f, "number"));
        addPositional(s, f, letter, position);
    }
    return s;
}

void LayoutGenerator::addPositional(LayoutSection& s, const QDomElement& e, const QString& letter,
                                    int& position)
{
    const int at = number(e, "at");
    if (at != position)
        fail(e, QStringLiteral("il campo %1 comincia in posizione %2, non %3")
                    .arg(attribute(e, "number"))
                    .arg(position)
                    .arg(at));
    LayoutField field;
    field.number = attribute(e, "number");
    field.width = number(e, "width");
    field.format = attribute(e, "format");
    field.info = attribute(e, "info");
    field.fixed = attribute(e, "fixed").replace(QStringLiteral("{letter}"), letter);
    field.cds = attribute(e, "cds");
    field.field = attribute(e, "field");
    const QString source = attribute(e, "source");
    field.description = described(attribute(e, "description"), source, false);
    if (!field.cds.isEmpty() && !tableOfCds(e, field.cds).column(field.field))
        fail(e, QStringLiteral("colonna %1 assente dalla tabella di %2").arg(field.field, field.cds));
    position += field.width;
    s.fields.append(field);
}

void LayoutGenerator::addCode(LayoutSection& s, const QDomElement& e, const QString& letter)
{
    LayoutField field;
    field.number = attribute(e, "number");
    if (field.number.size() != 8)
        fail(e, QStringLiteral("codice \"%1\" non di 8 caratteri").arg(field.number));
    field.width = m_codedWidth;
    field.format = attribute(e, "format");
    field.info = e.hasAttribute(QStringLiteral("info")) ? attribute(e, "info") : QStringLiteral("@@");
    field.cds = attribute(e, "cds");
    field.field = attribute(e, "field");
    if (!tableOfCds(e, field.cds).column(field.field))
        fail(e, QStringLiteral("colonna %1 assente dalla tabella di %2").arg(field.field, field.cds));
    const QString source = attribute(e, "source");
    field.description = described(attribute(e, "description"), source, attribute(e, "exact") == u"1");
    append(s, letter, field, source);
}

void LayoutGenerator::addPoints(LayoutSection& s, const QDomElement& e, const QString& letter)
{
    const TableSchema& t = table(e);
    const QString part = attribute(e, "part");
    const QString prefix = attribute(e, "prefix");
    const QString cds = attribute(e, "cds");
    for (const ColumnSchema& column : t.columns) {
        if (column.part != part || column.typeLetter == u'B' || m_codes.isLeftOut(t.name, column.name))
            continue;
        QString code = m_codes.codeOf(t.name, column.name);
        if (code.isEmpty() && !column.point.isEmpty()) {
            bool numeric = false;
            const int point = column.point.toInt(&numeric);
            if (!numeric || point <= 0 || point > 999) {
                m_warnings.append(QStringLiteral("%1.%2: punto \"%3\" non numerico, campo escluso")
                                      .arg(t.name, column.name, column.point));
                continue;
            }
            code = prefix + QStringLiteral("%1").arg(point, 3, 10, QLatin1Char('0'));
        }
        if (!code.isEmpty())
            addCoded(s, letter, code, column, cds);
    }
}

void LayoutGenerator::addNumbered(LayoutSection& s, const QDomElement& e, const QString& letter)
{
    const TableSchema& t = table(e);
    const QString part = attribute(e, "part");
    int n = 0;
    for (const ColumnSchema& column : t.columns)
        if (column.part == part)
            addCoded(s, letter,
                     attribute(e, "prefix") + QStringLiteral("%1").arg(++n, 3, 10, QLatin1Char('0')), column,
                     attribute(e, "cds"));
}

void LayoutGenerator::addCoded(LayoutSection& s, const QString& letter, const QString& code,
                               const ColumnSchema& column, const QString& cds)
{
    const CodeFacts facts = m_codes.facts(code);
    QString description = facts.description;
    if (description.isEmpty()) {
        const QString point = column.point.isEmpty() ? code.right(3) : column.point;
        description = column.caption.isEmpty() ? QStringLiteral("Punto %1").arg(point) : column.caption;
    }
    const QString source = facts.source.isEmpty() ? Unconfirmed : facts.source;
    LayoutField field;
    field.number = code;
    field.description = described(description, source, facts.exactDescription);
    field.width = m_codedWidth;
    field.format = facts.format.isEmpty() ? typeFormat(column) : facts.format;
    field.info = QStringLiteral("@@");
    field.cds = cds;
    field.field = column.name;
    append(s, letter, field, source);
}

void LayoutGenerator::append(LayoutSection& s, const QString& letter, const LayoutField& field,
                             const QString& source)
{
    if (m_recordCodes.contains(field.number)) {
        m_warnings.append(
            QStringLiteral("codice %1 ripetuto (%2), campo escluso").arg(field.number, field.field));
        return;
    }
    m_recordCodes.insert(field.number);
    s.fields.append(field);
    m_codeRows.append({letter, field.number, field.field, field.format, field.description, source});
}

const TableSchema& LayoutGenerator::tableOfCds(const QDomElement& e, const QString& cds) const
{
    const TableSchema* t = m_schema.table(TelematicData::tableOf(cds));
    if (!t)
        fail(e, QStringLiteral("\"%1\" non e' un dataset della produzione").arg(cds));
    return *t;
}

const TableSchema& LayoutGenerator::table(const QDomElement& e) const
{
    const TableSchema* t = m_schema.table(attribute(e, "table"));
    if (!t)
        fail(e, QStringLiteral("tabella %1 assente dallo schema").arg(attribute(e, "table")));
    return *t;
}

} // namespace cu::layouts
