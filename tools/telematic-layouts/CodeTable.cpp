// Reading the code table of the generator's input.
#include "CodeTable.h"

namespace cu::layouts {

CodeTable::CodeTable(const QDomElement& input)
{
    const QDomElement columns = input.firstChildElement(QStringLiteral("columns"));
    for (QDomElement c = columns.firstChildElement(QStringLiteral("column")); !c.isNull();
         c = c.nextSiblingElement(QStringLiteral("column")))
        m_columnCodes.insert(key(c.attribute(QStringLiteral("table")), c.attribute(QStringLiteral("name"))),
                             c.attribute(QStringLiteral("code")));
    for (QDomElement c = columns.firstChildElement(QStringLiteral("leave")); !c.isNull();
         c = c.nextSiblingElement(QStringLiteral("leave")))
        m_leftOut.insert(key(c.attribute(QStringLiteral("table")), c.attribute(QStringLiteral("name"))));

    const QDomElement formats = input.firstChildElement(QStringLiteral("formats"));
    for (QDomElement c = formats.firstChildElement(QStringLiteral("code")); !c.isNull();
         c = c.nextSiblingElement(QStringLiteral("code")))
        m_facts.insert(c.attribute(QStringLiteral("number")),
                       {c.attribute(QStringLiteral("format")), c.attribute(QStringLiteral("description")),
                        c.attribute(QStringLiteral("source")), c.attribute(QStringLiteral("exact")) == u"1"});
}

QString CodeTable::key(const QString& table, const QString& column)
{
    return (table + u'.' + column).toUpper();
}

QString CodeTable::codeOf(const QString& table, const QString& column) const
{
    return m_columnCodes.value(key(table, column));
}

bool CodeTable::isLeftOut(const QString& table, const QString& column) const
{
    return m_leftOut.contains(key(table, column));
}

CodeFacts CodeTable::facts(const QString& code) const
{
    return m_facts.value(code);
}

} // namespace cu::layouts
