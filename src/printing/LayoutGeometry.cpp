// Checks of the positions of the print layouts.
#include "printing/LayoutGeometry.h"

#include "foundation/operator/Errors.h"

#include <QDomNodeList>
#include <cmath>

namespace cu::layoutgeometry {

namespace {

constexpr int LargestTextSize = 72; // points

// One rectangle of a layout: its numbers, read as whole numbers, and the
// refusal that names the file, the line and the column it prints.
class Rect
{
public:
    Rect(const xmlbinding::Source& source, QDomElement element, Page page)
        : m_source(source), m_element(std::move(element)), m_page(page)
    {
    }

    int number(const char* attribute) const
    {
        const QString value = m_element.attribute(QString::fromLatin1(attribute));
        bool ok = false;
        const int number = value.trimmed().toInt(&ok);
        if (!ok)
            refuse(QStringLiteral("l'attributo %1 dell'elemento PrintRect non è un numero intero (\"%2\")")
                       .arg(QString::fromLatin1(attribute), value));
        return number;
    }

    [[noreturn]] void refuse(const QString& problem) const
    {
        throw EZfError(
            QStringLiteral("Layout %1, riga %2, campo %3: %4")
                .arg(m_source.fileName)
                .arg(m_element.lineNumber())
                .arg(m_element.parentNode().toElement().attribute(QStringLiteral("Name")), problem));
    }

    void requireOnPage(int left, int top) const
    {
        if (left < 0 || left > m_page.width || top < 0 || top > m_page.height)
            refuse(QStringLiteral("la posizione (Left %1, Top %2) è fuori dalla pagina (da 0 a %3 per da 0 "
                                  "a %4 %5)")
                       .arg(left)
                       .arg(top)
                       .arg(m_page.width)
                       .arg(m_page.height)
                       .arg(QString::fromLatin1(m_page.unit)));
    }

    void requireTextSize() const
    {
        const int height = number("Height");
        if (height < 1 || height > LargestTextSize)
            refuse(QStringLiteral("la dimensione del testo (Height %1) non è tra 1 e %2 punti")
                       .arg(height)
                       .arg(LargestTextSize));
    }

    // A spacing between 0 and the page's width.
    void requireSpacing(double spacing, const QString& text) const
    {
        if (!std::isfinite(spacing) || spacing < 0 || spacing > m_page.width)
            refuse(QStringLiteral("la spaziatura (Space \"%1\") non è un numero tra 0 e %2")
                       .arg(text)
                       .arg(m_page.width));
    }

private:
    const xmlbinding::Source& m_source;
    QDomElement m_element;
    Page m_page;
};

QVector<QDomElement> elements(const xmlbinding::Source& source, const QString& tag)
{
    QVector<QDomElement> found;
    const QDomNodeList nodes = source.document.elementsByTagName(tag);
    for (int i = 0; i < nodes.size(); ++i)
        found.append(nodes.at(i).toElement());
    return found;
}

} // namespace

void requireCudOnPage(const xmlbinding::Source& source)
{
    for (const QDomElement& edit : elements(source, QStringLiteral("Edit"))) {
        const QDomElement element = edit.firstChildElement(QStringLiteral("PrintRect"));
        if (element.isNull())
            throw EZfError(QStringLiteral("Layout %1, riga %2, campo %3: manca la posizione (PrintRect)")
                               .arg(source.fileName)
                               .arg(edit.lineNumber())
                               .arg(edit.attribute(QStringLiteral("Name"))));
        const Rect rect(source, element, A4Millimetres);
        rect.requireOnPage(rect.number("Left"), rect.number("Top"));
        rect.requireTextSize();
        const QString space = edit.attribute(QStringLiteral("Space")).trimmed();
        if (!space.isEmpty() && space.compare(u"no", Qt::CaseInsensitive) != 0) {
            bool ok = false;
            const double spacing = QString(space).replace(u',', u'.').toDouble(&ok);
            rect.requireSpacing(ok ? spacing : std::nan(""), space);
        }
    }
}

void requirePdfConfOnPage(const xmlbinding::Source& source)
{
    for (const QDomElement& element : elements(source, QStringLiteral("PrintRect"))) {
        const Rect rect(source, element, A4Points);
        const int left = rect.number("Left");
        const int top = rect.number("Top");
        rect.requireOnPage(left, top);
        rect.requireTextSize();
        const int space = rect.number("Space");
        rect.requireSpacing(space, QString::number(space));
        const int minIndex = rect.number("MinIndex");
        const int maxIndex = rect.number("MaxIndex");
        if (minIndex < 0 || maxIndex < 0 || (maxIndex != 0 && maxIndex < minIndex))
            rect.refuse(QStringLiteral("gli indici di ripetizione (MinIndex %1, MaxIndex %2) non sono validi")
                            .arg(minIndex)
                            .arg(maxIndex));
        const qint64 steps = maxIndex == 0 ? 0 : maxIndex - minIndex;
        const qint64 lastLeft = left + steps * rect.number("oOffset");
        const qint64 lastTop = top + steps * rect.number("vOffset");
        if (lastLeft != int(lastLeft) || lastTop != int(lastTop))
            rect.refuse(QStringLiteral("gli spostamenti (oOffset, vOffset) portano fuori dalla pagina"));
        rect.requireOnPage(int(lastLeft), int(lastTop));
    }
}

} // namespace cu::layoutgeometry
