// A dataset filter text parsed once and evaluated on every row:
//   SCUDCODFIS='X' AND SCUDMESE='06'      IAFIID = 123
//   SCUDCODFIS+SCUDMESE = 'ABC06'         NOT (A > 1 OR B <> 'O''BRIEN')
// Comparisons = <> < > <= >=, AND, OR, NOT, parentheses; string literals in
// single quotes (a doubled quote stands for one); numbers compared exactly
// against amounts and integers; "+" joins the text of its operands. Field
// names are case-insensitive.
//
// A text field that is null compares as ""; any other null field is equal to
// nothing (so "<>" holds and the orderings fail).
#pragma once

#include "foundation/dataset/DatasetStorage.h"

#include <memory>

namespace cu {

class FilterExpression
{
public:
    // Parses the text against the fields. A malformed text, an unknown field
    // or a literal that cannot be compared with its field is an EAssertion
    // naming the text.
    FilterExpression(const QString& text, const QVector<FieldDef>& fields);
    ~FilterExpression();
    FilterExpression(const FilterExpression&) = delete;
    FilterExpression& operator=(const FilterExpression&) = delete;

    const QString& text() const { return m_text; }
    bool matches(const RowStore& store, RowStore::Slot slot) const;

    class Node;

private:
    QString m_text;
    std::unique_ptr<Node> m_root;
};

} // namespace cu
