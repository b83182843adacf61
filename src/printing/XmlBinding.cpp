// Loading of layout documents and attribute access of the typed bindings.
#include "printing/XmlBinding.h"

#include "foundation/operator/Errors.h"

#include <QFile>
#include <QFileInfo>

namespace cu::xmlbinding {

std::shared_ptr<Source> loadFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        throw EZfError(QStringLiteral("File di layout non trovato: %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(
            QStringLiteral("Impossibile leggere il file di layout %1: %2").arg(path, file.errorString()));
    auto source = std::make_shared<Source>();
    source->fileName = QFileInfo(path).fileName();
    QString message;
    int line = 0;
    int column = 0;
    if (!source->document.setContent(&file, &message, &line, &column))
        throw EZfError(QStringLiteral("File di layout %1 non valido (riga %2, colonna %3): %4")
                           .arg(path)
                           .arg(line)
                           .arg(column)
                           .arg(message));
    return source;
}

std::shared_ptr<Source> wrap(const QDomDocument& document, const QString& fileName)
{
    auto source = std::make_shared<Source>();
    source->fileName = fileName;
    source->document = document;
    return source;
}

Node::Node(std::shared_ptr<Source> source, QDomElement element)
    : m_source(std::move(source)), m_element(std::move(element))
{
}

QString Node::text(const QString& attribute) const
{
    return m_element.attribute(attribute);
}

void Node::setText(const QString& attribute, const QString& value)
{
    m_element.setAttribute(attribute, value);
}

int Node::integer(const QString& attribute) const
{
    const QString value = m_element.attribute(attribute);
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    if (!ok)
        throw EZfError(
            QStringLiteral("Layout %1, riga %2: l'attributo %3 dell'elemento %4 non è un numero intero "
                           "(\"%5\")")
                .arg(m_source ? m_source->fileName : QString())
                .arg(m_element.lineNumber())
                .arg(attribute, m_element.tagName(), value));
    return number;
}

void Node::setInteger(const QString& attribute, int value)
{
    m_element.setAttribute(attribute, value);
}

QDomElement Node::child(const QString& tag) const
{
    QDomElement found = m_element.firstChildElement(tag);
    if (found.isNull()) {
        found = m_source->document.createElement(tag);
        QDomElement parent = m_element;
        parent.appendChild(found);
    }
    return found;
}

} // namespace cu::xmlbinding
