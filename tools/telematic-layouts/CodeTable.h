// The code table of the generator's input (<columns> and <formats> of
// record-layouts.xml): the code of a column that the point rule does not
// give, the columns left out of the file, and the format, description and
// source of every code the facts know.
#pragma once

#include <QDomElement>
#include <QHash>
#include <QSet>
#include <QString>

namespace cu::layouts {

struct CodeFacts
{
    QString format;                // empty: from the column's type
    QString description;           // empty: from the column
    QString source;                // empty: unconfirmed
    bool exactDescription = false; // the program recognises the field by it
};

class CodeTable
{
public:
    explicit CodeTable(const QDomElement& input);

    // The code given to a column by <columns>; empty when none.
    QString codeOf(const QString& table, const QString& column) const;
    bool isLeftOut(const QString& table, const QString& column) const;
    // The facts of a code; empty facts for a code the input does not list.
    CodeFacts facts(const QString& code) const;

private:
    static QString key(const QString& table, const QString& column);

    QHash<QString, QString> m_columnCodes; // "TABLE.COLUMN" upper-cased -> code
    QSet<QString> m_leftOut;
    QHash<QString, CodeFacts> m_facts;
};

} // namespace cu::layouts
