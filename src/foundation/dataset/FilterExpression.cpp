// Parsing and evaluation of dataset filter texts.
#include "foundation/dataset/FilterExpression.h"

#include "foundation/dataset/DatasetValues.h"
#include "foundation/operator/Errors.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <vector>

namespace cu {

namespace {

__extension__ typedef __int128 Int128;

enum class Op
{
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual
};

bool holds(Op op, int order)
{
    switch (op) {
    case Op::Equal:
        return order == 0;
    case Op::NotEqual:
        return order != 0;
    case Op::Less:
        return order < 0;
    case Op::Greater:
        return order > 0;
    case Op::LessEqual:
        return order <= 0;
    case Op::GreaterEqual:
        return order >= 0;
    }
    return false;
}

// The same comparison seen from the other side: 5 < A is A > 5.
Op mirrored(Op op)
{
    switch (op) {
    case Op::Less:
        return Op::Greater;
    case Op::Greater:
        return Op::Less;
    case Op::LessEqual:
        return Op::GreaterEqual;
    case Op::GreaterEqual:
        return Op::LessEqual;
    default:
        return op;
    }
}

template <typename T> int threeWay(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

struct Token
{
    enum Kind
    {
        End,
        Name,
        String,
        Number,
        Operator,
        Plus,
        Open,
        Close,
        And,
        Or,
        Not
    } kind = End;
    QString text;
    Op op = Op::Equal;
    qsizetype position = 0;
};

// One term of an operand: a field, a string literal or a number literal.
struct Term
{
    enum Kind
    {
        Field,
        String,
        Number
    } kind = String;
    int field = -1;
    FieldType type = FieldType::String;
    QString text;
};

using Operand = std::vector<Term>;

} // namespace

class FilterExpression::Node
{
public:
    virtual ~Node() = default;
    virtual bool eval(const RowStore& store, RowStore::Slot slot) const = 0;
};

namespace {

using NodePtr = std::unique_ptr<FilterExpression::Node>;

class AndNode : public FilterExpression::Node
{
public:
    AndNode(NodePtr l, NodePtr r) : m_l(std::move(l)), m_r(std::move(r)) {}
    bool eval(const RowStore& s, RowStore::Slot slot) const override
    {
        return m_l->eval(s, slot) && m_r->eval(s, slot);
    }

private:
    NodePtr m_l, m_r;
};

class OrNode : public FilterExpression::Node
{
public:
    OrNode(NodePtr l, NodePtr r) : m_l(std::move(l)), m_r(std::move(r)) {}
    bool eval(const RowStore& s, RowStore::Slot slot) const override
    {
        return m_l->eval(s, slot) || m_r->eval(s, slot);
    }

private:
    NodePtr m_l, m_r;
};

class NotNode : public FilterExpression::Node
{
public:
    explicit NotNode(NodePtr inner) : m_inner(std::move(inner)) {}
    bool eval(const RowStore& s, RowStore::Slot slot) const override { return !m_inner->eval(s, slot); }

private:
    NodePtr m_inner;
};

// A text field against a literal: compared in place, without copying.
class TextFieldNode : public FilterExpression::Node
{
public:
    TextFieldNode(int field, Op op, QString literal) : m_field(field), m_op(op), m_literal(std::move(literal))
    {
    }
    bool eval(const RowStore& s, RowStore::Slot slot) const override
    {
        return holds(m_op, s.text(slot, m_field).compare(m_literal));
    }

private:
    int m_field;
    Op m_op;
    QString m_literal;
};

// A field kept as a 64-bit number (integer, amount, date, boolean) against a
// literal already converted to the same scale.
class NumberFieldNode : public FilterExpression::Node
{
public:
    NumberFieldNode(int field, Op op, Int128 literal, Int128 scale)
        : m_field(field), m_op(op), m_literal(literal), m_scale(scale)
    {
    }
    bool eval(const RowStore& s, RowStore::Slot slot) const override
    {
        if (s.isNull(slot, m_field))
            return m_op == Op::NotEqual;
        return holds(m_op, threeWay(Int128(s.raw(slot, m_field)) * m_scale, m_literal));
    }

private:
    int m_field;
    Op m_op;
    Int128 m_literal;
    Int128 m_scale;
};

class RealFieldNode : public FilterExpression::Node
{
public:
    RealFieldNode(int field, Op op, double literal) : m_field(field), m_op(op), m_literal(literal) {}
    bool eval(const RowStore& s, RowStore::Slot slot) const override
    {
        if (s.isNull(slot, m_field))
            return m_op == Op::NotEqual;
        return holds(m_op, threeWay(s.real(slot, m_field), m_literal));
    }

private:
    int m_field;
    Op m_op;
    double m_literal;
};

// Two fields of one type, compared by the type's order.
class FieldFieldNode : public FilterExpression::Node
{
public:
    FieldFieldNode(int left, int right, FieldType type, Op op)
        : m_left(left), m_right(right), m_type(type), m_op(op)
    {
    }
    bool eval(const RowStore& s, RowStore::Slot slot) const override
    {
        const bool nullLeft = s.isNull(slot, m_left);
        const bool nullRight = s.isNull(slot, m_right);
        if ((nullLeft || nullRight) && !cells::isText(m_type))
            return nullLeft && nullRight
                       ? (m_op == Op::Equal || m_op == Op::LessEqual || m_op == Op::GreaterEqual)
                       : m_op == Op::NotEqual;
        return holds(m_op, compareAcross(s, slot));
    }

private:
    int compareAcross(const RowStore& s, RowStore::Slot slot) const
    {
        if (cells::isText(m_type))
            return threeWay(s.text(slot, m_left).compare(s.text(slot, m_right)), 0);
        if (m_type == FieldType::Float)
            return threeWay(s.real(slot, m_left), s.real(slot, m_right));
        return threeWay(s.raw(slot, m_left), s.raw(slot, m_right));
    }

    int m_left, m_right;
    FieldType m_type;
    Op m_op;
};

// The general form: both sides as text, "+" joining their terms.
class TextNode : public FilterExpression::Node
{
public:
    TextNode(Operand left, Op op, Operand right)
        : m_left(std::move(left)), m_op(op), m_right(std::move(right))
    {
    }
    bool eval(const RowStore& s, RowStore::Slot slot) const override
    {
        return holds(m_op, threeWay(textOf(m_left, s, slot).compare(textOf(m_right, s, slot)), 0));
    }

private:
    static QString textOf(const Operand& operand, const RowStore& s, RowStore::Slot slot)
    {
        QString result;
        for (const Term& term : operand)
            result += term.kind == Term::Field ? cells::text(s, slot, term.field, term.type) : term.text;
        return result;
    }

    Operand m_left;
    Op m_op;
    Operand m_right;
};

// Joined terms against one literal ("A+B = 'X06'"): the pieces are compared
// with the literal in turn, so no text is built for text fields.
class JoinedTextNode : public FilterExpression::Node
{
public:
    JoinedTextNode(Operand joined, Op op, QString literal)
        : m_joined(std::move(joined)), m_op(op), m_literal(std::move(literal))
    {
    }
    bool eval(const RowStore& s, RowStore::Slot slot) const override { return holds(m_op, compare(s, slot)); }

private:
    int compare(const RowStore& s, RowStore::Slot slot) const
    {
        const QStringView literal(m_literal);
        qsizetype matched = 0;
        for (const Term& term : m_joined) {
            QString converted;
            QStringView piece;
            if (term.kind != Term::Field) {
                piece = term.text;
            } else if (cells::isText(term.type)) {
                piece = s.text(slot, term.field);
            } else {
                converted = cells::text(s, slot, term.field, term.type);
                piece = converted;
            }
            const qsizetype common = std::min(piece.size(), literal.size() - matched);
            const int order = piece.first(common).compare(literal.sliced(matched, common));
            if (order != 0)
                return order < 0 ? -1 : 1;
            if (piece.size() > common)
                return 1;
            matched += common;
        }
        return matched < literal.size() ? -1 : 0;
    }

    Operand m_joined;
    Op m_op;
    QString m_literal;
};

class Parser
{
public:
    Parser(const QString& text, const QVector<FieldDef>& fields) : m_text(text), m_fields(fields)
    {
        advance();
    }

    NodePtr parse()
    {
        NodePtr root = parseOr();
        if (m_token.kind != Token::End)
            fail(QStringLiteral("testo inatteso \"%1\"").arg(m_token.text));
        return root;
    }

private:
    [[noreturn]] void fail(const QString& why) const
    {
        throw EAssertion(QStringLiteral("Filtro non valido \"%1\" (posizione %2): %3")
                             .arg(m_text)
                             .arg(m_token.position + 1)
                             .arg(why),
                         QStringLiteral("FilterExpression"));
    }

    // --- Tokens -------------------------------------------------------------
    void advance()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
        m_token = Token();
        m_token.position = m_pos;
        if (m_pos >= m_text.size())
            return;
        const QChar c = m_text[m_pos];
        if (c == u'\'')
            readString();
        else if (c.isDigit() ||
                 ((c == u'-' || c == u'.') && m_pos + 1 < m_text.size() && m_text[m_pos + 1].isDigit()))
            readNumber();
        else if (c.isLetter() || c == u'_')
            readName();
        else
            readSymbol(c);
    }

    void readString()
    {
        QString value;
        ++m_pos;
        for (;;) {
            if (m_pos >= m_text.size())
                fail(QStringLiteral("stringa non chiusa"));
            const QChar c = m_text[m_pos++];
            if (c != u'\'') {
                value += c;
                continue;
            }
            if (m_pos < m_text.size() && m_text[m_pos] == u'\'') {
                value += c;
                ++m_pos;
                continue;
            }
            break;
        }
        m_token.kind = Token::String;
        m_token.text = value;
    }

    void readNumber()
    {
        const qsizetype start = m_pos;
        if (m_text[m_pos] == u'-')
            ++m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].isDigit() || m_text[m_pos] == u'.'))
            ++m_pos;
        m_token.kind = Token::Number;
        m_token.text = m_text.mid(start, m_pos - start);
        if (!Currency::parse(m_token.text) || m_token.text.count(u'.') > 1)
            fail(QStringLiteral("numero non valido \"%1\"").arg(m_token.text));
    }

    void readName()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == u'_'))
            ++m_pos;
        m_token.text = m_text.mid(start, m_pos - start);
        if (m_token.text.compare(u"AND", Qt::CaseInsensitive) == 0)
            m_token.kind = Token::And;
        else if (m_token.text.compare(u"OR", Qt::CaseInsensitive) == 0)
            m_token.kind = Token::Or;
        else if (m_token.text.compare(u"NOT", Qt::CaseInsensitive) == 0)
            m_token.kind = Token::Not;
        else
            m_token.kind = Token::Name;
    }

    void readSymbol(QChar c)
    {
        const QChar next = m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : QChar();
        m_token.text = QString(c);
        ++m_pos;
        m_token.kind = Token::Operator;
        if (c == u'=') {
            m_token.op = Op::Equal;
        } else if (c == u'<' && next == u'>') {
            m_token.op = Op::NotEqual;
        } else if (c == u'<' && next == u'=') {
            m_token.op = Op::LessEqual;
        } else if (c == u'>' && next == u'=') {
            m_token.op = Op::GreaterEqual;
        } else if (c == u'<') {
            m_token.op = Op::Less;
        } else if (c == u'>') {
            m_token.op = Op::Greater;
        } else if (c == u'+') {
            m_token.kind = Token::Plus;
        } else if (c == u'(') {
            m_token.kind = Token::Open;
        } else if (c == u')') {
            m_token.kind = Token::Close;
        } else {
            fail(QStringLiteral("carattere inatteso \"%1\"").arg(c));
        }
        if (m_token.kind == Token::Operator && m_token.op != Op::Equal && m_token.op != Op::Less &&
            m_token.op != Op::Greater) {
            m_token.text += next;
            ++m_pos;
        }
    }

    // --- Grammar ----------------------------------------------------------------
    NodePtr parseOr()
    {
        NodePtr left = parseAnd();
        while (m_token.kind == Token::Or) {
            advance();
            left = std::make_unique<OrNode>(std::move(left), parseAnd());
        }
        return left;
    }

    NodePtr parseAnd()
    {
        NodePtr left = parseNot();
        while (m_token.kind == Token::And) {
            advance();
            left = std::make_unique<AndNode>(std::move(left), parseNot());
        }
        return left;
    }

    NodePtr parseNot()
    {
        if (m_token.kind == Token::Not) {
            advance();
            return std::make_unique<NotNode>(parseNot());
        }
        if (m_token.kind == Token::Open) {
            advance();
            NodePtr inner = parseOr();
            if (m_token.kind != Token::Close)
                fail(QStringLiteral("manca \")\""));
            advance();
            return inner;
        }
        return parseComparison();
    }

    NodePtr parseComparison()
    {
        Operand left = parseOperand();
        if (m_token.kind != Token::Operator)
            fail(QStringLiteral("manca un operatore di confronto"));
        const Op op = m_token.op;
        advance();
        Operand right = parseOperand();
        return buildComparison(std::move(left), op, std::move(right));
    }

    Operand parseOperand()
    {
        Operand operand{parseTerm()};
        while (m_token.kind == Token::Plus) {
            advance();
            operand.push_back(parseTerm());
        }
        return operand;
    }

    Term parseTerm()
    {
        Term term;
        term.text = m_token.text;
        switch (m_token.kind) {
        case Token::String:
            term.kind = Term::String;
            break;
        case Token::Number:
            term.kind = Term::Number;
            break;
        case Token::Name:
            if (isBooleanWord(m_token.text)) {
                term.kind = Term::String;
                break;
            }
            term.kind = Term::Field;
            term.field = fieldIndex(m_token.text);
            term.type = m_fields[term.field].type;
            break;
        default:
            fail(QStringLiteral("atteso un campo o un valore"));
        }
        advance();
        return term;
    }

    // TRUE and FALSE are literals unless a field has that name.
    bool isBooleanWord(const QString& name) const
    {
        const bool word = name.compare(u"true", Qt::CaseInsensitive) == 0 ||
                          name.compare(u"false", Qt::CaseInsensitive) == 0;
        return word && std::none_of(m_fields.begin(), m_fields.end(), [&](const FieldDef& f) {
                   return f.name.compare(name, Qt::CaseInsensitive) == 0;
               });
    }

    int fieldIndex(const QString& name) const
    {
        for (int i = 0; i < m_fields.size(); ++i)
            if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        fail(QStringLiteral("campo sconosciuto \"%1\"").arg(name));
    }

    // --- Comparisons ----------------------------------------------------------------
    NodePtr buildComparison(Operand left, Op op, Operand right)
    {
        const bool singleLeft = left.size() == 1;
        const bool singleRight = right.size() == 1;
        if (singleLeft && singleRight && left[0].kind == Term::Field && right[0].kind != Term::Field)
            return fieldAgainstLiteral(left[0], op, right[0]);
        if (singleLeft && singleRight && right[0].kind == Term::Field && left[0].kind != Term::Field)
            return fieldAgainstLiteral(right[0], mirrored(op), left[0]);
        if (singleLeft && singleRight && left[0].kind == Term::Field && right[0].kind == Term::Field &&
            left[0].type == right[0].type && left[0].type != FieldType::Blob)
            return std::make_unique<FieldFieldNode>(left[0].field, right[0].field, left[0].type, op);
        if (singleRight && right[0].kind != Term::Field)
            return std::make_unique<JoinedTextNode>(std::move(left), op, right[0].text);
        if (singleLeft && left[0].kind != Term::Field)
            return std::make_unique<JoinedTextNode>(std::move(right), mirrored(op), left[0].text);
        return std::make_unique<TextNode>(std::move(left), op, std::move(right));
    }

    NodePtr fieldAgainstLiteral(const Term& field, Op op, const Term& literal)
    {
        switch (field.type) {
        case FieldType::String:
        case FieldType::Memo:
            return std::make_unique<TextFieldNode>(field.field, op, literal.text);
        case FieldType::Integer:
        case FieldType::SmallInt:
            return std::make_unique<NumberFieldNode>(field.field, op, amountOf(literal, field).raw(),
                                                     Currency::Scale);
        case FieldType::Currency:
            return std::make_unique<NumberFieldNode>(field.field, op, amountOf(literal, field).raw(), 1);
        case FieldType::Boolean:
            return std::make_unique<NumberFieldNode>(field.field, op, booleanOf(literal, field), 1);
        case FieldType::Float:
            return std::make_unique<RealFieldNode>(field.field, op, amountOf(literal, field).toDouble());
        case FieldType::Date:
        case FieldType::DateTime:
            return std::make_unique<NumberFieldNode>(field.field, op, dateCellOf(literal, field), 1);
        case FieldType::Blob:
            break;
        }
        fail(QStringLiteral("il campo \"%1\" non si può confrontare").arg(m_fields[field.field].name));
    }

    Currency amountOf(const Term& literal, const Term& field) const
    {
        if (const auto amount = Currency::parse(literal.text))
            return *amount;
        fail(QStringLiteral("\"%1\" non è un numero per il campo \"%2\"")
                 .arg(literal.text, m_fields[field.field].name));
    }

    Int128 booleanOf(const Term& literal, const Term& field) const
    {
        const QString t = literal.text.trimmed();
        if (t.compare(u"true", Qt::CaseInsensitive) == 0 || t == u"1")
            return 1;
        if (t.compare(u"false", Qt::CaseInsensitive) == 0 || t == u"0")
            return 0;
        fail(QStringLiteral("\"%1\" non è un valore logico per il campo \"%2\"")
                 .arg(t, m_fields[field.field].name));
    }

    Int128 dateCellOf(const Term& literal, const Term& field) const
    {
        RowStore probe;
        const QVector<FieldDef> one{m_fields[field.field]};
        probe.reset(one);
        const RowStore::Slot slot = probe.addSlot();
        if (literal.kind == Term::String) {
            try {
                cells::storeText(probe, slot, 0, one[0], literal.text);
            } catch (const EZfError&) {
            }
        }
        if (probe.isNull(slot, 0))
            fail(QStringLiteral("\"%1\" non è una data per il campo \"%2\"").arg(literal.text, one[0].name));
        return probe.raw(slot, 0);
    }

    const QString& m_text;
    const QVector<FieldDef>& m_fields;
    qsizetype m_pos = 0;
    Token m_token;
};

} // namespace

FilterExpression::FilterExpression(const QString& text, const QVector<FieldDef>& fields) : m_text(text)
{
    m_root = Parser(m_text, fields).parse();
}

FilterExpression::~FilterExpression() = default;

bool FilterExpression::matches(const RowStore& store, RowStore::Slot slot) const
{
    return m_root->eval(store, slot);
}

} // namespace cu
