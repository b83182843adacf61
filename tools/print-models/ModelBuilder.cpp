// Placement of the boxes of every model page and the layout entries that
// point into them. A box and its layout entry come from the same numbers, so
// a value printed by a layout always falls into its box.
#include "ModelBuilder.h"

#include "LayoutDocuments.h"
#include "ModelCanvas.h"

#include <QDomNodeList>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace cu::models {

namespace {

constexpr double PointsPerMillimetre = 72.0 / 25.4;
constexpr double GridLeft = 14.0;
constexpr double GridWidth = 186.0;
constexpr double BandHeight = 5.0;
constexpr double CaptionSize = 4.6;
constexpr int ValueSize = 8;

[[noreturn]] void fail(const QDomElement& e, const QString& message)
{
    throw std::runtime_error(QStringLiteral("geometry.xml, riga %1 (<%2>): %3")
                                 .arg(e.lineNumber())
                                 .arg(e.tagName(), message)
                                 .toStdString());
}

QList<QDomElement> children(const QDomElement& parent, const QString& tag = QString())
{
    QList<QDomElement> list;
    for (QDomElement e = parent.firstChildElement(tag); !e.isNull(); e = e.nextSiblingElement(tag))
        list.append(e);
    return list;
}

} // namespace

struct ModelBuilder::Box
{
    QString target;
    int section = 0;
    QString sectionName;
    const ColumnSchema* column = nullptr;
    double x = 0, y = 0, w = 0, h = 0;
    int baseline = 7;
    Caption caption;
    bool code = false; // a column of numbers that are codes: its text, left-aligned
    bool agentRule = false;
    QVector<int> dateGaps{4, 4};
};

struct ModelBuilder::Context
{
    std::unique_ptr<ModelCanvas> canvas;
    QMap<int, QVector<std::function<void(ModelCanvas&)>>> items;
    QMap<QString, QString> params;
    int page = 0;
    QString layoutFile;
    QString modelLayout;
    QMap<QString, CudLayout> layouts;

    QString attr(const QDomElement& e, const QString& name, const QString& fallback = QString()) const
    {
        if (!e.hasAttribute(name))
            return fallback;
        QString value = e.attribute(name);
        for (auto it = params.begin(); it != params.end(); ++it)
            value.replace(u'$' + it.key(), it.value());
        return value;
    }
    double number(const QDomElement& e, const QString& name, double fallback = 0) const
    {
        const QString text = attr(e, name);
        if (text.isEmpty())
            return fallback;
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (!ok)
            fail(e, QStringLiteral("attributo %1 non numerico: %2").arg(name, text));
        return value;
    }
    void draw(std::function<void(ModelCanvas&)> item) { items[page].append(std::move(item)); }
};

ModelBuilder::ModelBuilder(CertificateSchema schema, QDomElement geometry, QString outputFolder)
    : m_schema(std::move(schema)), m_geometry(std::move(geometry)), m_output(std::move(outputFolder))
{
}

void ModelBuilder::buildAll()
{
    for (const QDomElement& model : children(m_geometry, QStringLiteral("certificate")))
        buildCertificate(model);
    for (const QDomElement& instructions : children(m_geometry, QStringLiteral("instructions")))
        buildInstructions(instructions);
    for (const QDomElement& sheet : children(m_geometry, QStringLiteral("sheet")))
        buildSheet(sheet);
    // A value in a box without a label is a value nobody can read.
    if (!m_unlabelled.isEmpty())
        throw std::runtime_error(QStringLiteral("caselle senza etichetta (dare loro un <caption> in "
                                                "geometry.xml): %1")
                                     .arg(m_unlabelled.join(QStringLiteral(", ")))
                                     .toStdString());
}

void ModelBuilder::buildCertificate(const QDomElement& model)
{
    Context context;
    context.canvas = std::make_unique<ModelCanvas>(PointsPerMillimetre);
    const QString defaultLayout = model.attribute(QStringLiteral("layout"));
    context.modelLayout = defaultLayout;
    context.layouts[defaultLayout];
    for (const QDomElement& page : children(model, QStringLiteral("page")))
        drawPage(context, page);
    for (const QDomElement& flow : children(model, QStringLiteral("flow"))) {
        context.layoutFile = defaultLayout;
        context.params.clear();
        placeFlow(context, flow);
    }
    const int pages = model.attribute(QStringLiteral("pages")).toInt();
    for (int p = 1; p <= pages; ++p) {
        context.canvas->newPage();
        for (const auto& item : context.items.value(p))
            item(*context.canvas);
        context.canvas->text(200, 292, 5, QStringLiteral("Pag. %1").arg(p));
    }
    context.canvas->save(m_output + u'/' + model.attribute(QStringLiteral("file")));
    for (auto it = context.layouts.begin(); it != context.layouts.end(); ++it)
        it.value().save(m_output + u'/' + it.key());
}

void ModelBuilder::drawPage(Context& context, const QDomElement& page)
{
    context.page = page.attribute(QStringLiteral("n")).toInt();
    context.params.clear();
    for (const QDomElement& p : children(page, QStringLiteral("param")))
        context.params.insert(p.attribute(QStringLiteral("name")), p.attribute(QStringLiteral("value")));
    context.params.insert(QStringLiteral("page"), page.attribute(QStringLiteral("target")));
    const QString ownLayout = page.attribute(QStringLiteral("layout"));
    if (!ownLayout.isEmpty())
        context.layouts[ownLayout];
    context.layoutFile = ownLayout.isEmpty() ? context.modelLayout : ownLayout;
    const QString title = page.attribute(QStringLiteral("title"));
    if (page.attribute(QStringLiteral("header")) == u"1")
        drawHeader(context, title);
    else if (!title.isEmpty())
        context.draw([title](ModelCanvas& c) { c.text(14, 8, 9, title, true); });
    const QString def = page.attribute(QStringLiteral("def"));
    if (!def.isEmpty()) {
        QDomElement definition;
        for (const QDomElement& d : children(m_geometry, QStringLiteral("pagedef")))
            if (d.attribute(QStringLiteral("id")) == def)
                definition = d;
        if (definition.isNull())
            fail(page, QStringLiteral("pagedef %1 inesistente").arg(def));
        for (const QDomElement& e : children(definition))
            drawElement(context, e);
    }
    for (const QDomElement& e : children(page))
        if (e.tagName() != u"param")
            drawElement(context, e);
}

void ModelBuilder::drawHeader(Context& context, const QString& title)
{
    context.draw([title](ModelCanvas& c) {
        c.text(14, 4.5, 5, QStringLiteral("CERTIFICAZIONE UNICA 2025"), true);
        c.text(14, 12, 6.5, QStringLiteral("Codice fiscale"));
        c.rectangle(44, 7, 68, 7);
        c.fittedText(116, 12, 7, title, 58, true);
        c.text(178, 12, 6, QStringLiteral("Mod. N."));
        c.rectangle(192, 7.5, 5, 6);
        c.rectangle(197, 7.5, 5, 6);
    });
}

void ModelBuilder::drawElement(Context& context, const QDomElement& e)
{
    const QString tag = e.tagName();
    if (tag == u"text") {
        const double x = context.number(e, "x"), y = context.number(e, "y"),
                     size = context.number(e, "size", 8);
        const bool bold = e.attribute(QStringLiteral("bold")) == u"1";
        QString resolved = e.text();
        for (auto it = context.params.begin(); it != context.params.end(); ++it)
            resolved.replace(u'$' + it.key(), it.value());
        context.draw([=](ModelCanvas& c) { c.text(x, y, size, resolved, bold); });
    } else if (tag == u"band") {
        const double y = context.number(e, "y");
        const QString text = context.attr(e, "text");
        context.draw([=](ModelCanvas& c) {
            c.filledRectangle(GridLeft, y, GridWidth, BandHeight, 0.85);
            c.fittedText(GridLeft + 1.5, y + 3.6, 7, text, GridWidth - 3, true);
        });
    } else if (tag == u"frame" || tag == u"rect") {
        const double x = context.number(e, "x"), y = context.number(e, "y");
        const double w = context.number(e, "w"), h = context.number(e, "h");
        const QString caption = context.attr(e, "caption");
        context.draw([=](ModelCanvas& c) {
            c.rectangle(x, y, w, h);
            if (!caption.isEmpty())
                c.fittedText(x + 0.8, y + 2.3, CaptionSize, caption, w - 1.6);
        });
    } else if (tag == u"paragraph") {
        const double x = context.number(e, "x"), y = context.number(e, "y");
        const double w = context.number(e, "w"), size = context.number(e, "size", 8);
        const QString text = e.text().simplified();
        context.draw([=](ModelCanvas& c) { c.paragraph(x, y, w, size, text); });
    } else if (tag == u"grid") {
        placeGrid(context, e);
    } else if (tag == u"box") {
        placeBox(context, e);
    } else if (tag == u"edit") {
        addEdit(context, e);
    } else if (tag == u"table") {
        drawDependantsTable(context, e);
    } else if (tag == u"choices") {
        drawChoices(context, e);
    } else if (tag == u"cells") {
        drawCells(context, e);
    } else {
        fail(e, QStringLiteral("elemento sconosciuto"));
    }
}

ModelBuilder::Caption ModelBuilder::captionOf(const TableSchema& table, const ColumnSchema& column) const
{
    // A point's label is the schema's caption of its column, the same the
    // editor shows.
    if (!column.point.isEmpty())
        return {column.point, column.caption};
    const QList<QDomElement> captions = children(m_geometry.firstChildElement(QStringLiteral("captions")));
    // A column without a point of the schema: its caption (and the point the
    // certificate gives it, when it has one) from the geometry.
    for (const QDomElement& c : captions)
        if (c.attribute(QStringLiteral("table")) == table.name &&
            c.attribute(QStringLiteral("column")).compare(column.name, Qt::CaseInsensitive) == 0)
            return {c.attribute(QStringLiteral("point")), c.attribute(QStringLiteral("text"))};
    if (!column.caption.isEmpty())
        return {QString(), column.caption};
    // The month and year counts of the dependants' grid sit under headings
    // that say whose they are; their box needs only the unit.
    const QString upper = column.name.toUpper();
    if (upper.contains(QStringLiteral("MESI")))
        return {QString(), QStringLiteral("mesi")};
    if (upper.contains(QStringLiteral("ANNO")))
        return {QString(), QStringLiteral("anno")};
    return {};
}

bool ModelBuilder::isCodeColumn(const TableSchema& table, const ColumnSchema& column) const
{
    for (const QDomElement& c : children(m_geometry.firstChildElement(QStringLiteral("codes"))))
        if (c.attribute(QStringLiteral("table")) == table.name &&
            c.attribute(QStringLiteral("column")).compare(column.name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int ModelBuilder::spanOf(const ColumnSchema& column, double unitWidth, int units) const
{
    const QChar type = column.typeLetter.toUpper();
    if (type == u'L')
        return 1;
    if (type == u'F' || type == u'D' || type == u'I')
        return std::min(2, units);
    const int characters = std::min(column.size > 0 ? column.size : 20, 32);
    const double needed = characters * (characters <= 16 ? 1.8 : 1.6) + 2.0;
    return std::clamp(static_cast<int>(std::ceil(needed / unitWidth)), 1, units);
}

QVector<const ColumnSchema*> ModelBuilder::selectColumns(const QDomElement& e, const Context& context) const
{
    const QString tableName = context.attr(e, "table");
    const TableSchema* table = m_schema.table(tableName);
    if (!table)
        fail(e, QStringLiteral("tabella %1 assente dallo schema").arg(tableName));
    QVector<const ColumnSchema*> selected;
    const QString list = context.attr(e, "columns");
    if (!list.isEmpty()) {
        for (const QString& name : list.split(u' ', Qt::SkipEmptyParts)) {
            const ColumnSchema* c = table->column(name);
            if (!c)
                fail(e, QStringLiteral("colonna %1 assente da %2").arg(name, tableName));
            selected.append(c);
        }
        return selected;
    }
    const QStringList excluded = context.attr(e, "exclude").split(u' ', Qt::SkipEmptyParts);
    const QString part = context.attr(e, "part");
    const int from = context.number(e, "from", 0);
    const int to = context.number(e, "to", 1000000);
    const bool trailing = context.attr(e, "trailing", QStringLiteral("1")) == u"1";
    bool inside = false;
    for (const ColumnSchema& c : table->columns) {
        if (c.part != part || excluded.contains(c.name, Qt::CaseInsensitive))
            continue;
        if (!c.point.isEmpty()) {
            const int point = c.point.toInt();
            inside = point >= from && point <= to;
            if (inside && !trailing && point == to) {
                selected.append(&c);
                inside = false;
                continue;
            }
        }
        if (inside)
            selected.append(&c);
    }
    if (selected.isEmpty())
        fail(e, QStringLiteral("nessuna colonna scelta"));
    return selected;
}

void ModelBuilder::placeGrid(Context& context, const QDomElement& grid)
{
    const TableSchema* table = m_schema.table(context.attr(grid, "table"));
    const QVector<const ColumnSchema*> columns = selectColumns(grid, context);
    const int units = static_cast<int>(context.number(grid, "units", 12));
    const double unitWidth = GridWidth / units;
    const double rowHeight = context.number(grid, "rowHeight", 9);
    const double bottom = context.number(grid, "bottom", 284);
    double rowTop = context.number(grid, "y");
    int cursor = 0;
    QVector<int> gaps{4, 4};
    const QString datePair = context.attr(grid, "datePair");
    if (!datePair.isEmpty())
        gaps = {datePair.section(u' ', 0, 0).toInt(), datePair.section(u' ', 1, 1).toInt()};
    // Widths in units given by the geometry, one per column; the others by type.
    const QStringList spans = context.attr(grid, "spans").split(u' ', Qt::SkipEmptyParts);
    if (!spans.isEmpty() && spans.size() != columns.size())
        fail(grid, QStringLiteral("%1 larghezze per %2 colonne").arg(spans.size()).arg(columns.size()));
    for (int i = 0; i < columns.size(); ++i) {
        const ColumnSchema* column = columns[i];
        const int span =
            spans.isEmpty() ? spanOf(*column, unitWidth, units) : std::min(spans[i].toInt(), units);
        if (cursor + span > units) {
            cursor = 0;
            rowTop += rowHeight;
        }
        if (rowTop + rowHeight > bottom + 0.01)
            fail(grid, QStringLiteral("le colonne non stanno nell'area (colonna %1)").arg(column->name));
        Box box;
        box.target = context.attr(grid, "target");
        box.section = static_cast<int>(context.number(grid, "section"));
        box.sectionName = context.attr(grid, "name");
        box.column = column;
        box.x = GridLeft + cursor * unitWidth;
        box.y = rowTop;
        box.w = span * unitWidth;
        box.h = rowHeight;
        box.baseline = static_cast<int>(rowHeight) - 2;
        box.caption = captionOf(*table, *column);
        box.code = isCodeColumn(*table, *column);
        box.agentRule = context.attr(grid, "agent") == u"1";
        box.dateGaps = gaps;
        emitBox(context, box);
        cursor += span;
    }
}

void ModelBuilder::placeFlow(Context& context, const QDomElement& flow)
{
    const TableSchema* table = m_schema.table(flow.attribute(QStringLiteral("table")));
    const QString part = flow.attribute(QStringLiteral("part"));
    QMap<QString, QString> headings;
    for (const QDomElement& h : children(m_geometry, QStringLiteral("headings")))
        if (h.attribute(QStringLiteral("table")) == table->name &&
            h.attribute(QStringLiteral("part")) == part)
            for (const QDomElement& one : children(h, QStringLiteral("heading")))
                headings.insert(one.attribute(QStringLiteral("point")),
                                one.attribute(QStringLiteral("text")));
    const QStringList excluded = flow.attribute(QStringLiteral("exclude")).split(u' ', Qt::SkipEmptyParts);
    const QList<QDomElement> areas = children(flow, QStringLiteral("area"));
    int areaIndex = 0;
    const int units = 12;
    const double unitWidth = GridWidth / units;
    const double rowHeight = flow.attribute(QStringLiteral("rowHeight"), QStringLiteral("9")).toDouble();
    double rowTop = areas.first().attribute(QStringLiteral("y")).toDouble();
    int cursor = 0;
    auto nextArea = [&] {
        if (++areaIndex >= areas.size())
            fail(flow, QStringLiteral("le colonne della parte %1 non stanno nelle aree").arg(part));
        rowTop = areas[areaIndex].attribute(QStringLiteral("y")).toDouble();
        cursor = 0;
    };
    auto bottom = [&] { return areas[areaIndex].attribute(QStringLiteral("bottom")).toDouble(); };
    for (const ColumnSchema& column : table->columns) {
        if (column.part != part || excluded.contains(column.name, Qt::CaseInsensitive))
            continue;
        const int span = spanOf(column, unitWidth, units);
        const auto heading = headings.find(column.point);
        if (heading != headings.end() && !column.point.isEmpty()) {
            if (cursor > 0) {
                cursor = 0;
                rowTop += rowHeight;
            }
            if (rowTop + BandHeight + 1 + rowHeight > bottom())
                nextArea();
            context.page = areas[areaIndex].attribute(QStringLiteral("page")).toInt();
            const QString text = heading.value();
            const double y = rowTop;
            context.draw([=](ModelCanvas& c) {
                c.filledRectangle(GridLeft, y, GridWidth, BandHeight, 0.85);
                c.text(GridLeft + 1.5, y + 3.6, 7, text, true);
            });
            rowTop += BandHeight + 1;
        }
        if (cursor + span > units) {
            cursor = 0;
            rowTop += rowHeight;
        }
        if (rowTop + rowHeight > bottom())
            nextArea();
        const QDomElement& area = areas[areaIndex];
        context.page = area.attribute(QStringLiteral("page")).toInt();
        Box box;
        box.target = area.attribute(QStringLiteral("target"));
        box.column = &column;
        box.x = GridLeft + cursor * unitWidth;
        box.y = rowTop;
        box.w = span * unitWidth;
        box.h = rowHeight;
        box.baseline = static_cast<int>(rowHeight) - 2;
        box.caption = captionOf(*table, column);
        box.code = isCodeColumn(*table, column);
        emitBox(context, box);
        cursor += span;
    }
}

void ModelBuilder::placeBox(Context& context, const QDomElement& e)
{
    const TableSchema* table = m_schema.table(context.attr(e, "table"));
    Box box;
    box.target = context.attr(e, "target");
    box.section = static_cast<int>(context.number(e, "section"));
    box.column = table ? table->column(context.attr(e, "column")) : nullptr;
    if (!box.column)
        fail(e, QStringLiteral("colonna assente dallo schema"));
    box.x = context.number(e, "x");
    box.y = context.number(e, "y");
    box.w = context.number(e, "w");
    box.h = context.number(e, "h");
    box.baseline = static_cast<int>(context.number(e, "baseline", box.h - 2));
    box.caption = {QString(), context.attr(e, "caption")};
    emitBox(context, box);
}

void ModelBuilder::addEdit(Context& context, const QDomElement& e)
{
    EditSpec spec;
    spec.name = context.attr(e, "column");
    spec.alignment = QStringLiteral("taLeftJustify");
    spec.left = static_cast<int>(context.number(e, "left"));
    spec.top = static_cast<int>(context.number(e, "top"));
    spec.height = static_cast<int>(context.number(e, "size", ValueSize));
    context.layouts[context.layoutFile].addEdit(context.attr(e, "target"),
                                                static_cast<int>(context.number(e, "section")),
                                                context.attr(e, "name"), spec);
}

// One box on the page and its layout entry: amounts right-aligned at the
// right edge, dates from the left edge, flags centred, texts from the left.
void ModelBuilder::emitBox(Context& context, const Box& box)
{
    const QChar type = box.column->typeLetter.toUpper();
    EditSpec spec;
    spec.name = box.column->name;
    spec.top = static_cast<int>(std::lround(box.y)) + box.baseline;
    spec.height = ValueSize;
    const int left = static_cast<int>(std::ceil(box.x + 1.2));
    const int centre = static_cast<int>(std::lround(box.x + box.w / 2));
    if (box.caption.isEmpty())
        m_unlabelled.append(QStringLiteral("%1 (%2)").arg(box.column->name, box.target));
    if (type == u'F' && !box.code) {
        spec.alignment = QStringLiteral("taRightJustify");
        spec.left = static_cast<int>(std::floor(box.x + box.w - 1.2));
    } else if (type == u'D') {
        spec.alignment = QStringLiteral("taData");
        spec.left = box.agentRule ? centre : left;
    } else if (type == u'L') {
        spec.alignment = QStringLiteral("taCenter");
        spec.left = centre;
        if (box.agentRule)
            spec.type = QStringLiteral("CB");
    } else {
        spec.alignment = QStringLiteral("taLeftJustify");
        spec.left = left;
        // Codes of up to 16 capitals (tax codes) in a smaller size, so that
        // they fit a box of two cells.
        if (box.column->size > 10 && box.column->size <= 16)
            spec.height = ValueSize - 1;
    }
    context.layouts[context.layoutFile].addEdit(box.target, box.section, box.sectionName, spec);

    // Day, month and year separators where the date's parts fall.
    QVector<double> ticks;
    if (type == u'D') {
        const double digit = context.canvas->textWidth(QStringLiteral("0"), ValueSize);
        const double space = context.canvas->textWidth(QStringLiteral(" "), ValueSize);
        const double start =
            box.agentRule ? centre - (8 * digit + (box.dateGaps[0] + box.dateGaps[1]) * space) / 2 : left;
        const double dayEnd = start + 2 * digit;
        const double monthStart = dayEnd + box.dateGaps[0] * space;
        const double monthEnd = monthStart + 2 * digit;
        const double yearStart = monthEnd + box.dateGaps[1] * space;
        ticks = {(dayEnd + monthStart) / 2, (monthEnd + yearStart) / 2};
    }
    const Box b = box;
    context.draw([b, ticks](ModelCanvas& c) {
        c.rectangle(b.x, b.y, b.w, b.h);
        double offset = 0;
        if (!b.caption.point.isEmpty()) {
            c.text(b.x + 0.8, b.y + 2.3, CaptionSize, b.caption.point, true);
            offset = c.textWidth(b.caption.point + u' ', CaptionSize, true);
        }
        c.fittedText(b.x + 0.8 + offset, b.y + 2.3, CaptionSize, b.caption.text, b.w - 1.6 - offset);
        for (double t : ticks)
            c.line(t, b.y + b.baseline - 2.6, t, b.y + b.baseline + 0.6, 0.3);
    });
}

void ModelBuilder::drawDependantsTable(Context& context, const QDomElement& e)
{
    const double y = context.number(e, "y"), h = context.number(e, "h");
    QVector<double> edges;
    for (const QString& edge : context.attr(e, "edges").split(u' ', Qt::SkipEmptyParts))
        edges.append(edge.toDouble());
    const QStringList header = context.attr(e, "header").split(u'|');
    if (header.size() != edges.size() - 1)
        fail(e, QStringLiteral("intestazioni e colonne non corrispondono"));
    context.draw([=](ModelCanvas& c) {
        c.rectangle(edges.first(), y, edges.last() - edges.first(), h);
        c.line(edges.first(), y + 5, edges.last(), y + 5);
        for (int i = 0; i + 1 < edges.size(); ++i) {
            if (i > 0)
                c.line(edges[i], y, edges[i], y + h);
            c.fittedText(edges[i] + 0.6, y + 3.4, CaptionSize, header[i], edges[i + 1] - edges[i] - 1.2,
                         true);
        }
    });
}

void ModelBuilder::drawChoices(Context& context, const QDomElement& e)
{
    const double y = context.number(e, "y"), h = context.number(e, "h");
    const int rows = context.number(e, "rows"), cols = context.number(e, "cols");
    const QStringList captions = context.attr(e, "captions").split(u'|');
    context.draw([=](ModelCanvas& c) {
        const double w = GridWidth / cols;
        for (int i = 0; i < rows * cols && i < captions.size(); ++i) {
            const double x = GridLeft + (i % cols) * w;
            const double top = y + (i / cols) * h;
            c.rectangle(x, top, w, h);
            c.paragraph(x + 1, top, w - 2, 6, captions[i]);
            c.line(x + 4, top + h - 4, x + w - 4, top + h - 4);
            c.text(x + w / 2 - 3, top + h - 1.5, CaptionSize, QStringLiteral("FIRMA"));
        }
    });
}

void ModelBuilder::drawCells(Context& context, const QDomElement& e)
{
    const double x = context.number(e, "x"), y = context.number(e, "y");
    const double w = context.number(e, "w"), h = context.number(e, "h");
    const int count = context.number(e, "count");
    context.draw([=](ModelCanvas& c) {
        for (int i = 0; i < count; ++i)
            c.rectangle(x + i * w, y, w, h);
    });
}

void ModelBuilder::buildInstructions(const QDomElement& instructions)
{
    ModelCanvas canvas(PointsPerMillimetre);
    const int pages = instructions.attribute(QStringLiteral("pages")).toInt();
    const QList<QDomElement> chapters = children(instructions, QStringLiteral("chapter"));
    for (int p = 1; p <= pages; ++p) {
        canvas.newPage();
        for (const QDomElement& chapter : chapters) {
            const int from = chapter.attribute(QStringLiteral("from")).toInt();
            if (p < from || p > chapter.attribute(QStringLiteral("to")).toInt())
                continue;
            const QString title = chapter.attribute(QStringLiteral("title"));
            canvas.text(14, 12, 6, QStringLiteral("CERTIFICAZIONE UNICA 2025 - ISTRUZIONI"), true);
            canvas.filledRectangle(GridLeft, 18, GridWidth, 7, 0.85);
            canvas.fittedText(GridLeft + 2, 23, 9, p == from ? title : title + QStringLiteral(" (segue)"),
                              GridWidth - 4, true);
            canvas.paragraph(GridLeft, 30, GridWidth, 9, chapter.text().simplified());
        }
        canvas.text(GridLeft, 290, 7,
                    QStringLiteral("Istruzioni CU 2025 - pagina %1 di %2").arg(p).arg(pages));
    }
    canvas.save(m_output + u'/' + instructions.attribute(QStringLiteral("file")));
}

void ModelBuilder::buildSheet(const QDomElement& sheet)
{
    ModelCanvas canvas(1.0);
    canvas.newPage();
    for (const QDomElement& e : children(sheet)) {
        if (e.tagName() == u"text")
            canvas.text(e.attribute(QStringLiteral("x")).toDouble(),
                        e.attribute(QStringLiteral("y")).toDouble(),
                        e.attribute(QStringLiteral("size")).toDouble(), e.text(),
                        e.attribute(QStringLiteral("bold")) == u"1");
        else if (e.tagName() == u"rect")
            canvas.rectangle(e.attribute(QStringLiteral("x")).toDouble(),
                             e.attribute(QStringLiteral("y")).toDouble(),
                             e.attribute(QStringLiteral("w")).toDouble(),
                             e.attribute(QStringLiteral("h")).toDouble(), 0.6);
    }
    canvas.save(m_output + u'/' + sheet.attribute(QStringLiteral("file")));

    PdfConfLayout layout(sheet.attribute(QStringLiteral("page")),
                         sheet.attribute(QStringLiteral("template")).toInt());
    for (const QDomElement& section : children(sheet, QStringLiteral("section"))) {
        for (const QDomElement& edit : children(section, QStringLiteral("edit"))) {
            ConfigEditSpec spec;
            spec.name = edit.attribute(QStringLiteral("name"));
            spec.left = edit.attribute(QStringLiteral("left")).toInt();
            spec.top = edit.attribute(QStringLiteral("top")).toInt();
            spec.height = edit.attribute(QStringLiteral("height")).toInt();
            spec.vOffset = section.attribute(QStringLiteral("voffset")).toInt();
            layout.addEdit(section.attribute(QStringLiteral("name")), spec);
        }
    }
    layout.save(m_output + u'/' + sheet.attribute(QStringLiteral("layout")));
}

} // namespace cu::models
