// The machinery shared by the typed bindings of the print layout files: an
// element of a loaded document with text and integer attributes, single
// children created empty on first access, and typed lists of repeated
// children. Integer attributes are converted when read; a value that is not a
// number is an error naming the file, the element and the attribute.
#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <QVector>
#include <memory>

namespace cu::xmlbinding {

// A loaded layout document and the name of its file (for error messages).
struct Source
{
    QString fileName;
    QDomDocument document;
};

// Reads a file into a document; a missing file or one that is not
// well-formed is an EZfError with the parser's line and column.
std::shared_ptr<Source> loadFile(const QString& path);
// Wraps a document that is already loaded.
std::shared_ptr<Source> wrap(const QDomDocument& document, const QString& fileName = QString());

class Node
{
public:
    Node() = default;
    Node(std::shared_ptr<Source> source, QDomElement element);

    bool isNull() const { return m_element.isNull(); }
    const QDomElement& element() const { return m_element; }
    const std::shared_ptr<Source>& source() const { return m_source; }

protected:
    QString text(const QString& attribute) const;
    void setText(const QString& attribute, const QString& value);
    int integer(const QString& attribute) const;
    void setInteger(const QString& attribute, int value);
    // The first child element of that name, appended empty when absent.
    QDomElement child(const QString& tag) const;

private:
    std::shared_ptr<Source> m_source;
    QDomElement m_element;
};

// The repeated children of one tag, typed. The children are collected when
// the list is made; add and insert keep it current.
template <class T> class NodeList
{
public:
    NodeList(std::shared_ptr<Source> source, QDomElement parent, QString tag)
        : m_source(std::move(source)), m_parent(std::move(parent)), m_tag(std::move(tag))
    {
        for (QDomElement e = m_parent.firstChildElement(m_tag); !e.isNull(); e = e.nextSiblingElement(m_tag))
            m_items.append(e);
    }

    int Count() const { return static_cast<int>(m_items.size()); }
    T Item(int index) const { return T(m_source, m_items.at(index)); }
    T Add() { return Insert(Count()); }
    T Insert(int index)
    {
        QDomElement e = m_source->document.createElement(m_tag);
        if (index >= Count())
            m_parent.appendChild(e);
        else
            m_parent.insertBefore(e, m_items.at(index));
        m_items.insert(index, e);
        return T(m_source, e);
    }

    // Range-for support.
    struct Iterator
    {
        const NodeList* list;
        int index;
        T operator*() const { return list->Item(index); }
        Iterator& operator++()
        {
            ++index;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return index != other.index; }
    };
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, Count()}; }

private:
    std::shared_ptr<Source> m_source;
    QDomElement m_parent;
    QString m_tag;
    QVector<QDomElement> m_items;
};

} // namespace cu::xmlbinding
