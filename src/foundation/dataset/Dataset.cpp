// The in-memory dataset: records in insertion order over a compact row store,
// a view (filtered, ordered) of record indexes that the cursor walks, an edit
// buffer and a change log kept per record.
#include "foundation/dataset/Dataset.h"

#include "foundation/dataset/DatasetFile.h"
#include "foundation/dataset/DatasetStorage.h"
#include "foundation/dataset/DatasetValues.h"
#include "foundation/dataset/FilterExpression.h"
#include "foundation/operator/Errors.h"

#include <QFile>
#include <QHash>
#include <algorithm>

namespace cu {

namespace {

using Slot = RowStore::Slot;

// One row of the dataset. A deleted record stays (hidden) until the change
// log is merged, so that cancelling brings it back in its place; an inserted
// record that is then deleted is "gone" and appears nowhere.
struct Record
{
    Slot slot = RowStore::NoSlot;
    Slot original = RowStore::NoSlot;
    Dataset::RowStatus status = Dataset::RowStatus::Unmodified;
    bool gone = false;

    bool visible() const { return status != Dataset::RowStatus::Deleted && !gone; }
};

QString unitName()
{
    return QStringLiteral("Dataset");
}

} // namespace

struct Dataset::Impl
{
    QVector<FieldDef> fields;
    QHash<QString, int> fieldByName; // lower-case names
    bool active = false;
    State state = State::Inactive;

    RowStore store;
    std::vector<Record> records;     // insertion order
    // Records whose status is not Unmodified (gone ones included): the
    // change log's walks stop once they have met them all, so a save after
    // each appended row does not read the whole dataset.
    std::size_t pending = 0;
    std::vector<std::uint32_t> view; // indexes into records: visible, filtered, ordered
    int cursor = -1;
    // Set when first()/prior() or last()/next() ran into the edge of the
    // view at flagCursor; any other move clears them. So a loop
    // "for (first(); !eof(); next())" visits every row, the last included.
    bool atStart = false;
    bool pastEnd = false;
    int flagCursor = -1;

    // The row being edited or inserted.
    Slot editSlot = RowStore::NoSlot;
    int editPosition = -1; // view position of the edited row / where an insert goes
    bool appending = false;

    std::unique_ptr<FilterExpression> filter;
    QString orderText;
    QVector<int> orderFields;

    Hook beforePost, afterPost, beforeDelete, afterDelete;
    int hookSuspensions = 0;
    int resetDepth = 0;

    // Slots no record refers to any more; compaction reclaims them.
    std::size_t garbageSlots = 0;
    std::size_t arenaAfterCompaction = 0;

    void requireActive() const
    {
        if (!active)
            throw EAssertion(QStringLiteral("Il dataset non è aperto"), unitName());
    }

    void requireEditing() const
    {
        if (state != State::Edit && state != State::Insert)
            throw EAssertion(QStringLiteral("Il dataset non è in modifica o inserimento"), unitName());
    }

    bool hasRow() const { return cursor >= 0 && cursor < int(view.size()); }
    const Record& currentRecord() const { return records[view[std::size_t(cursor)]]; }

    // The slot whose values the current row shows: the edit buffer while
    // editing, else the current record's.
    Slot currentSlot() const
    {
        if (state == State::Edit || state == State::Insert)
            return editSlot;
        return hasRow() ? currentRecord().slot : RowStore::NoSlot;
    }

    bool accepts(const Record& record) const
    {
        return record.visible() && (!filter || filter->matches(store, record.slot));
    }

    // Order of two records by the index fields; insertion order settles ties
    // (the callers keep it by stable sorting and upper-bound insertion).
    int compareRecords(std::uint32_t a, std::uint32_t b) const
    {
        for (int field : orderFields) {
            const int result =
                cells::compare(store, records[a].slot, store, records[b].slot, field, fields[field].type);
            if (result != 0)
                return result;
        }
        return 0;
    }

    void rebuildView()
    {
        view.clear();
        view.reserve(records.size());
        for (std::uint32_t i = 0; i < records.size(); ++i)
            if (accepts(records[i]))
                view.push_back(i);
        if (!orderFields.isEmpty())
            sortView();
    }

    // Stable sort on keys of the first two index fields (two keys, eight
    // characters, for a text), kept beside the record index; only rows whose
    // keys tie are compared value by value.
    void sortView()
    {
        struct Item
        {
            std::uint64_t first;
            std::uint64_t firstMore;
            std::uint64_t second;
            std::uint32_t record;
        };
        const int firstField = orderFields[0];
        const FieldType firstType = fields[firstField].type;
        const int secondField = orderFields.size() > 1 ? orderFields[1] : -1;
        std::vector<Item> items;
        items.reserve(view.size());
        for (const std::uint32_t record : view) {
            const Slot slot = records[record].slot;
            items.push_back(
                {cells::sortKey(store, slot, firstField, firstType, 0),
                 cells::sortKey(store, slot, firstField, firstType, 1),
                 secondField < 0 ? 0 : cells::sortKey(store, slot, secondField, fields[secondField].type),
                 record});
        }
        // Keys of numbers, amounts and dates are the values themselves; the
        // keys of a text or blob only order when they differ, so a tie on
        // them needs the values before the second key may decide.
        const auto exact = [this](int field) {
            return !cells::isText(fields[field].type) && fields[field].type != FieldType::Blob;
        };
        const bool firstExact = exact(firstField);
        const bool keysDecide = orderFields.size() <= 2 && (secondField < 0 || exact(secondField));
        std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
            if (a.first != b.first)
                return a.first < b.first;
            if (a.firstMore != b.firstMore)
                return a.firstMore < b.firstMore;
            if (!firstExact) {
                const int order = cells::compare(store, records[a.record].slot, store, records[b.record].slot,
                                                 firstField, firstType);
                if (order != 0)
                    return order < 0;
            }
            if (a.second != b.second)
                return a.second < b.second;
            return !keysDecide && compareRecords(a.record, b.record) < 0;
        });
        for (std::size_t i = 0; i < items.size(); ++i)
            view[i] = items[i].record;
    }

    // Where a record goes in the ordered view: after every row not greater.
    int orderedPosition(std::uint32_t record) const
    {
        const auto it =
            std::upper_bound(view.begin(), view.end(), record,
                             [this](std::uint32_t a, std::uint32_t b) { return compareRecords(a, b) < 0; });
        return int(it - view.begin());
    }

    // Records after a newly inserted one move up by one.
    void shiftViewFrom(std::uint32_t firstMoved)
    {
        for (std::uint32_t& index : view)
            if (index >= firstMoved)
                ++index;
    }

    void discardSlot(Slot slot)
    {
        if (slot != RowStore::NoSlot)
            ++garbageSlots;
    }

    void compactIfWasteful()
    {
        const bool manySlots = garbageSlots > records.size() + 1024;
        const bool bigArena = store.arenaSize() > 2 * arenaAfterCompaction + (std::size_t(1) << 20);
        if (!manySlots && !bigArena)
            return;
        std::vector<Slot> keep;
        keep.reserve(records.size() * 2);
        for (Record& record : records) {
            keep.push_back(record.slot);
            record.slot = Slot(keep.size() - 1);
            if (record.original != RowStore::NoSlot) {
                keep.push_back(record.original);
                record.original = Slot(keep.size() - 1);
            }
        }
        store.compact(keep);
        garbageSlots = 0;
        arenaAfterCompaction = store.arenaSize();
    }

    QVector<QVariant> valuesOf(Slot slot) const
    {
        QVector<QVariant> values;
        values.reserve(fields.size());
        for (int f = 0; f < fields.size(); ++f)
            values.push_back(cells::load(store, slot, f, fields[f].type));
        return values;
    }

    void runHook(const Hook& hook, Dataset& dataset) const
    {
        if (hook && hookSuspensions == 0)
            hook(dataset);
    }

    // Replaces the contents with the given ones (loading): no change log.
    void adopt(QVector<FieldDef> newFields, RowStore newStore)
    {
        fields = std::move(newFields);
        indexNames();
        store = std::move(newStore);
        records.assign(store.slotCount(), Record());
        for (Slot slot = 0; slot < store.slotCount(); ++slot)
            records[slot].slot = slot;
        pending = 0;
        garbageSlots = 0;
        arenaAfterCompaction = store.arenaSize();
        filter.reset();
        orderText.clear();
        orderFields.clear();
        active = true;
        state = State::Browse;
        editSlot = RowStore::NoSlot;
        rebuildView();
        cursor = view.empty() ? -1 : 0;
    }

    void indexNames()
    {
        fieldByName.clear();
        for (int i = 0; i < fields.size(); ++i)
            fieldByName.insert(fields[i].name.toLower(), i);
    }

    // The indexes of the records with a status other than Unmodified, in
    // insertion order. Changed records are mostly the last ones (rows
    // appended since the last save), so the walk goes from the end and stops
    // when it has found them all.
    std::vector<std::uint32_t> pendingRecords() const
    {
        std::vector<std::uint32_t> found;
        found.reserve(pending);
        for (std::size_t i = records.size(); i > 0 && found.size() < pending; --i) {
            if (records[i - 1].status != Dataset::RowStatus::Unmodified)
                found.push_back(std::uint32_t(i - 1));
        }
        std::reverse(found.begin(), found.end());
        return found;
    }

    // Where each of the records stands in the view (-1 when not shown). A
    // few are looked up from the end of the view, where appended rows are;
    // many at once through one map of the whole view.
    std::vector<int> viewPositions(const std::vector<std::uint32_t>& recordIndexes) const
    {
        constexpr std::size_t FewRecords = 32;
        std::vector<int> positions;
        positions.reserve(recordIndexes.size());
        if (recordIndexes.size() <= FewRecords) {
            for (std::uint32_t index : recordIndexes) {
                const auto found = std::find(view.rbegin(), view.rend(), index);
                positions.push_back(found == view.rend() ? -1 : int(std::distance(found, view.rend())) - 1);
            }
            return positions;
        }
        std::vector<int> positionOf(records.size(), -1);
        for (std::size_t position = 0; position < view.size(); ++position)
            positionOf[view[position]] = int(position);
        for (std::uint32_t index : recordIndexes)
            positions.push_back(positionOf[index]);
        return positions;
    }

    void clearRows()
    {
        store.reset(fields);
        records.clear();
        pending = 0;
        view.clear();
        cursor = -1;
        editSlot = RowStore::NoSlot;
        garbageSlots = 0;
        arenaAfterCompaction = 0;
    }
};

Dataset::Dataset(QObject* parent) : QObject(parent), d(std::make_unique<Impl>()) {}

Dataset::~Dataset() = default;

// --- Structure ---------------------------------------------------------------------

void Dataset::setFields(const QVector<FieldDef>& fields)
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].name.trimmed().isEmpty())
            throw EAssertion(QStringLiteral("Campo senza nome nella definizione del dataset"), unitName());
        for (int j = 0; j < i; ++j)
            if (fields[j].name.compare(fields[i].name, Qt::CaseInsensitive) == 0)
                throw EAssertion(QStringLiteral("Campo \"%1\" definito due volte").arg(fields[i].name),
                                 unitName());
    }
    beginReset();
    close();
    d->fields = fields;
    d->indexNames();
    d->store.reset(d->fields);
    emit structureChanged();
    endReset();
}

void Dataset::beginReset()
{
    if (d->resetDepth++ == 0)
        emit rowsAboutToBeReset();
}

void Dataset::endReset()
{
    if (--d->resetDepth == 0)
        emit rowsReset();
}

void Dataset::addField(const FieldDef& field)
{
    QVector<FieldDef> all = d->fields;
    all.push_back(field);
    setFields(all);
}

const QVector<FieldDef>& Dataset::fields() const
{
    return d->fields;
}

int Dataset::fieldCount() const
{
    return int(d->fields.size());
}

int Dataset::fieldIndex(QStringView name) const
{
    return d->fieldByName.value(name.toString().toLower(), -1);
}

int Dataset::requireField(QStringView name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw EAssertion(QStringLiteral("Campo \"%1\" non trovato nel dataset").arg(name), unitName());
    return index;
}

void Dataset::open()
{
    if (d->active)
        return;
    beginReset();
    d->clearRows();
    d->active = true;
    d->state = State::Browse;
    endReset();
    emit stateChanged(d->state);
}

void Dataset::close()
{
    const bool wasActive = d->active;
    if (wasActive)
        beginReset();
    d->clearRows();
    d->filter.reset();
    d->orderText.clear();
    d->orderFields.clear();
    d->active = false;
    d->state = State::Inactive;
    if (wasActive) {
        endReset();
        emit stateChanged(d->state);
    }
}

bool Dataset::isActive() const
{
    return d->active;
}

void Dataset::emptyDataset()
{
    d->requireActive();
    const State before = d->state;
    beginReset();
    d->clearRows();
    d->state = State::Browse;
    endReset();
    if (before != d->state)
        emit stateChanged(d->state);
}

// --- Cursor ---------------------------------------------------------------------------

int Dataset::recordCount() const
{
    return int(d->view.size());
}

int Dataset::recNo() const
{
    if (d->state == State::Insert)
        return d->editPosition;
    return d->hasRow() ? d->cursor : -1;
}

void Dataset::setRecNo(int position)
{
    d->requireActive();
    if (d->state != State::Browse)
        post();
    d->atStart = d->pastEnd = false;
    const int target = d->view.empty() ? -1 : std::clamp(position, 0, int(d->view.size()) - 1);
    if (target == d->cursor)
        return;
    d->cursor = target;
    emit currentChanged(d->cursor);
}

bool Dataset::bof() const
{
    return d->view.empty() || (d->atStart && d->cursor == d->flagCursor);
}

bool Dataset::eof() const
{
    return d->view.empty() || (d->pastEnd && d->cursor == d->flagCursor);
}

void Dataset::first()
{
    setRecNo(0);
    d->atStart = true;
    d->flagCursor = d->cursor;
}

void Dataset::last()
{
    setRecNo(int(d->view.size()) - 1);
    d->pastEnd = true;
    d->flagCursor = d->cursor;
}

void Dataset::next()
{
    if (d->cursor >= int(d->view.size()) - 1) {
        setRecNo(d->cursor);
        d->pastEnd = true;
        d->flagCursor = d->cursor;
        return;
    }
    setRecNo(d->cursor + 1);
}

void Dataset::prior()
{
    if (d->cursor <= 0) {
        setRecNo(d->cursor);
        d->atStart = true;
        d->flagCursor = d->cursor;
        return;
    }
    setRecNo(d->cursor - 1);
}

// --- Values ------------------------------------------------------------------------------

QVariant Dataset::value(int field) const
{
    const Slot slot = d->currentSlot();
    if (slot == RowStore::NoSlot || field < 0 || field >= d->fields.size())
        return {};
    return cells::load(d->store, slot, field, d->fields[field].type);
}

QVariant Dataset::valueAt(int position, int field) const
{
    if (position < 0 || position >= int(d->view.size()) || field < 0 || field >= d->fields.size())
        return {};
    const bool edited = d->state == State::Edit && position == d->editPosition;
    const Slot slot = edited ? d->editSlot : d->records[d->view[std::size_t(position)]].slot;
    return cells::load(d->store, slot, field, d->fields[field].type);
}

void Dataset::setValue(int field, const QVariant& value)
{
    d->requireEditing();
    if (field < 0 || field >= d->fields.size())
        throw EAssertion(QStringLiteral("Campo %1 fuori dal dataset").arg(field), unitName());
    cells::store(d->store, d->editSlot, field, d->fields[field], value);
    if (d->state == State::Edit)
        emit rowChanged(d->editPosition);
}

QString Dataset::asString(QStringView name) const
{
    const int field = requireField(name);
    const Slot slot = d->currentSlot();
    return slot == RowStore::NoSlot ? QString() : cells::text(d->store, slot, field, d->fields[field].type);
}

qint64 Dataset::asInteger(QStringView name) const
{
    const int field = requireField(name);
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    switch (d->fields[field].type) {
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::Boolean:
        return v.toLongLong();
    case FieldType::Currency:
        return v.value<Currency>().units();
    default: {
        bool ok = false;
        const qint64 result = v.toString().trimmed().toLongLong(&ok);
        if (!ok)
            throw EZfError(QStringLiteral("Il campo %1 non contiene un numero intero: \"%2\"")
                               .arg(d->fields[field].name, v.toString()));
        return result;
    }
    }
}

Currency Dataset::asCurrency(QStringView name) const
{
    const int field = requireField(name);
    const QVariant v = value(field);
    if (v.isNull())
        return {};
    if (d->fields[field].type == FieldType::Currency)
        return v.value<Currency>();
    RowStore probe;
    const QVector<FieldDef> one{FieldDef{d->fields[field].name, FieldType::Currency, 0}};
    probe.reset(one);
    const Slot slot = probe.addSlot();
    cells::store(probe, slot, 0, one[0], v);
    return Currency::fromRaw(probe.raw(slot, 0));
}

QDate Dataset::asDate(QStringView name) const
{
    const QVariant v = value(requireField(name));
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    return v.isNull() ? QDate() : QDate::fromString(v.toString(), Qt::ISODate);
}

QVariant Dataset::oldValue(int field) const
{
    if (!d->hasRow() || d->state == State::Insert || field < 0 || field >= d->fields.size())
        return {};
    const Record& record = d->currentRecord();
    if (record.status == RowStatus::Inserted)
        return {};
    const Slot slot = record.original != RowStore::NoSlot ? record.original : record.slot;
    return cells::load(d->store, slot, field, d->fields[field].type);
}

QVariant Dataset::fieldValue(QStringView name, const QVariant& defaultValue) const
{
    const int field = fieldIndex(name);
    if (field < 0)
        return defaultValue;
    // The current value is the new one once assigned; a value cleared by the
    // edit is null and gives way to the default, not to the old value.
    const QVariant result = value(field);
    if (!result.isNull())
        return result;
    if (defaultValue.isValid() && !defaultValue.isNull())
        return defaultValue;
    switch (d->fields[field].type) {
    case FieldType::String:
    case FieldType::Memo:
        return QStringLiteral("");
    case FieldType::Integer:
    case FieldType::SmallInt:
        return qint64(0);
    case FieldType::Boolean:
        return false;
    case FieldType::Currency:
        return QVariant::fromValue(Currency());
    case FieldType::Float:
        return 0.0;
    default:
        return {};
    }
}

// --- Editing --------------------------------------------------------------------------------

Dataset::State Dataset::state() const
{
    return d->state;
}

void Dataset::append()
{
    d->requireActive();
    if (d->state != State::Browse)
        post();
    d->editSlot = d->store.addSlot();
    d->appending = true;
    d->editPosition = int(d->view.size());
    d->state = State::Insert;
    emit stateChanged(d->state);
}

void Dataset::insert()
{
    d->requireActive();
    if (d->state != State::Browse)
        post();
    d->editSlot = d->store.addSlot();
    d->appending = !d->hasRow();
    d->editPosition = d->hasRow() ? d->cursor : int(d->view.size());
    d->state = State::Insert;
    emit stateChanged(d->state);
}

void Dataset::edit()
{
    d->requireActive();
    if (d->state == State::Edit || d->state == State::Insert)
        return;
    if (!d->hasRow()) {
        // Editing an empty dataset starts a new row, as the program expects
        // of "edit if browsing" on an empty table.
        insert();
        return;
    }
    d->editSlot = d->store.copySlot(d->currentRecord().slot);
    d->editPosition = d->cursor;
    d->state = State::Edit;
    emit stateChanged(d->state);
}

bool Dataset::editIfBrowsing()
{
    if (d->state != State::Browse)
        return false;
    edit();
    return true;
}

void Dataset::post()
{
    if (d->state != State::Edit && d->state != State::Insert)
        return;
    d->runHook(d->beforePost, *this);
    const bool inserting = d->state == State::Insert;
    const Slot slot = d->editSlot;
    d->editSlot = RowStore::NoSlot;
    d->state = State::Browse;
    if (inserting)
        storeInsertedRow(slot);
    else
        storeEditedRow(slot);
    emit stateChanged(d->state);
    d->runHook(d->afterPost, *this);
}

void Dataset::storeInsertedRow(RowStore::Slot slot)
{
    // Where the record goes in insertion order: before the row it was
    // inserted at, or at the end.
    std::uint32_t recordIndex = std::uint32_t(d->records.size());
    if (!d->appending && d->editPosition < int(d->view.size())) {
        recordIndex = d->view[std::size_t(d->editPosition)];
        d->shiftViewFrom(recordIndex);
    }
    d->records.insert(d->records.begin() + recordIndex,
                      Record{slot, RowStore::NoSlot, RowStatus::Inserted, false});
    ++d->pending;
    if (!d->accepts(d->records[recordIndex]))
        return;
    const int position = d->orderFields.isEmpty() ? std::min(d->editPosition, int(d->view.size()))
                                                  : d->orderedPosition(recordIndex);
    emit rowAboutToBeInserted(position);
    d->view.insert(d->view.begin() + position, recordIndex);
    d->cursor = position;
    emit rowInserted(position);
    emit currentChanged(position);
}

void Dataset::storeEditedRow(RowStore::Slot slot)
{
    const int position = d->editPosition;
    const std::uint32_t recordIndex = d->view[std::size_t(position)];
    Record& record = d->records[recordIndex];
    if (record.status == RowStatus::Unmodified) {
        record.original = record.slot;
        record.status = RowStatus::Modified;
        ++d->pending;
    } else {
        d->discardSlot(record.slot);
    }
    record.slot = slot;
    if (!d->accepts(record)) {
        emit rowAboutToBeRemoved(position);
        d->view.erase(d->view.begin() + position);
        d->cursor = d->view.empty() ? -1 : std::min(position, int(d->view.size()) - 1);
        emit rowRemoved(position);
        emit currentChanged(d->cursor);
        return;
    }
    if (!d->orderFields.isEmpty()) {
        // Where the row belongs among the others; it moves only if that
        // differs from where it is.
        d->view.erase(d->view.begin() + position);
        const int newPosition = d->orderedPosition(recordIndex);
        d->view.insert(d->view.begin() + position, recordIndex);
        if (newPosition != position) {
            emit rowAboutToBeRemoved(position);
            d->view.erase(d->view.begin() + position);
            emit rowRemoved(position);
            emit rowAboutToBeInserted(newPosition);
            d->view.insert(d->view.begin() + newPosition, recordIndex);
            d->cursor = newPosition;
            emit rowInserted(newPosition);
            emit currentChanged(newPosition);
            return;
        }
    }
    emit rowChanged(position);
}

void Dataset::cancel()
{
    if (d->state != State::Edit && d->state != State::Insert)
        return;
    const int position = d->editPosition;
    const bool editing = d->state == State::Edit;
    d->discardSlot(d->editSlot);
    d->editSlot = RowStore::NoSlot;
    d->state = State::Browse;
    emit stateChanged(d->state);
    if (editing)
        emit rowChanged(position);
}

void Dataset::remove()
{
    d->requireActive();
    if (d->state == State::Insert) {
        cancel();
        return;
    }
    if (!d->hasRow())
        throw EAssertion(QStringLiteral("Nessuna riga da cancellare"), unitName());
    d->runHook(d->beforeDelete, *this);
    if (d->state == State::Edit) {
        d->discardSlot(d->editSlot);
        d->editSlot = RowStore::NoSlot;
        d->state = State::Browse;
        emit stateChanged(d->state);
    }
    const int position = d->cursor;
    Record& record = d->records[d->view[std::size_t(position)]];
    if (record.status == RowStatus::Inserted) {
        record.gone = true;
        d->discardSlot(record.slot);
    } else if (record.status == RowStatus::Unmodified) {
        record.original = record.slot;
        ++d->pending;
    }
    record.status = RowStatus::Deleted;
    emit rowAboutToBeRemoved(position);
    d->view.erase(d->view.begin() + position);
    d->cursor = d->view.empty() ? -1 : std::min(position, int(d->view.size()) - 1);
    emit rowRemoved(position);
    emit currentChanged(d->cursor);
    d->runHook(d->afterDelete, *this);
}

// --- Change log ------------------------------------------------------------------------------

bool Dataset::hasChanges() const
{
    const std::vector<std::uint32_t> pending = d->pendingRecords();
    return std::any_of(pending.begin(), pending.end(),
                       [this](std::uint32_t index) { return !d->records[index].gone; });
}

QVector<Dataset::Change> Dataset::changes() const
{
    const std::vector<std::uint32_t> pending = d->pendingRecords();
    const std::vector<int> positions = d->viewPositions(pending);
    QVector<Change> result;
    for (std::size_t i = 0; i < pending.size(); ++i) {
        const Record& record = d->records[pending[i]];
        if (record.gone)
            continue;
        Change change{record.status, {}, {}, positions[i], int(pending[i])};
        if (record.status != RowStatus::Inserted)
            change.original = d->valuesOf(record.original);
        if (record.status != RowStatus::Deleted)
            change.current = d->valuesOf(record.slot);
        result.push_back(std::move(change));
    }
    return result;
}

void Dataset::assignChangeValue(const Change& change, int field, const QVariant& value)
{
    const bool known = change.record >= 0 && change.record < int(d->records.size()) &&
                       d->records[std::size_t(change.record)].status == change.status &&
                       change.status != RowStatus::Deleted && change.status != RowStatus::Unmodified;
    if (!known || field < 0 || field >= d->fields.size())
        throw EAssertion(QStringLiteral("Riga o campo del registro delle modifiche non valido"), unitName());
    const Record& record = d->records[std::size_t(change.record)];
    cells::store(d->store, record.slot, field, d->fields[field], value);
    const auto shown = std::find(d->view.begin(), d->view.end(), std::uint32_t(change.record));
    if (shown != d->view.end())
        emit rowChanged(int(shown - d->view.begin()));
}

Dataset::RowStatus Dataset::rowStatus() const
{
    if (d->state == State::Insert)
        return RowStatus::Inserted;
    return d->hasRow() ? d->currentRecord().status : RowStatus::Unmodified;
}

void Dataset::mergeChangeLog()
{
    if (d->state != State::Browse)
        post();
    const std::vector<std::uint32_t> pending = d->pendingRecords();
    const bool anyHidden = std::any_of(pending.begin(), pending.end(),
                                       [this](std::uint32_t index) { return !d->records[index].visible(); });
    d->pending = 0;
    if (!anyHidden) {
        // Nothing leaves the dataset: the changed records just forget their
        // originals, and every index stays as it is.
        for (std::uint32_t index : pending) {
            Record& record = d->records[index];
            d->discardSlot(record.original);
            record.original = RowStore::NoSlot;
            record.status = RowStatus::Unmodified;
        }
        d->compactIfWasteful();
        return;
    }
    std::vector<std::uint32_t> newIndex(d->records.size(), 0);
    std::vector<Record> kept;
    kept.reserve(d->records.size());
    for (std::uint32_t i = 0; i < d->records.size(); ++i) {
        Record record = d->records[i];
        newIndex[i] = std::uint32_t(kept.size());
        if (!record.visible()) {
            d->discardSlot(record.slot);
            d->discardSlot(record.original);
            continue;
        }
        d->discardSlot(record.original);
        record.original = RowStore::NoSlot;
        record.status = RowStatus::Unmodified;
        kept.push_back(record);
    }
    d->records = std::move(kept);
    for (std::uint32_t& index : d->view)
        index = newIndex[index];
    d->compactIfWasteful();
}

void Dataset::cancelUpdates()
{
    cancel();
    beginReset();
    std::vector<Record> kept;
    kept.reserve(d->records.size());
    for (Record record : d->records) {
        if (record.status == RowStatus::Inserted || record.gone) {
            d->discardSlot(record.slot);
            continue;
        }
        if (record.original != RowStore::NoSlot) {
            d->discardSlot(record.slot);
            record.slot = record.original;
            record.original = RowStore::NoSlot;
        }
        record.status = RowStatus::Unmodified;
        kept.push_back(record);
    }
    d->records = std::move(kept);
    d->pending = 0;
    d->compactIfWasteful();
    d->rebuildView();
    d->cursor = d->view.empty() ? -1 : std::min(std::max(d->cursor, 0), int(d->view.size()) - 1);
    endReset();
    emit currentChanged(d->cursor);
}

// --- Hooks ------------------------------------------------------------------------------------

void Dataset::setBeforePost(Hook hook)
{
    d->beforePost = std::move(hook);
}

void Dataset::setAfterPost(Hook hook)
{
    d->afterPost = std::move(hook);
}

void Dataset::setBeforeDelete(Hook hook)
{
    d->beforeDelete = std::move(hook);
}

void Dataset::setAfterDelete(Hook hook)
{
    d->afterDelete = std::move(hook);
}

Dataset::HookSuspension::HookSuspension(Dataset& dataset) : m_dataset(dataset)
{
    ++m_dataset.d->hookSuspensions;
}

Dataset::HookSuspension::~HookSuspension()
{
    --m_dataset.d->hookSuspensions;
}

// --- Filter and order ----------------------------------------------------------------------------

void Dataset::setFilter(const QString& filterText)
{
    if (d->state != State::Browse && d->state != State::Inactive)
        post();
    std::unique_ptr<FilterExpression> parsed;
    if (!filterText.trimmed().isEmpty())
        parsed = std::make_unique<FilterExpression>(filterText, d->fields);
    beginReset();
    d->filter = std::move(parsed);
    d->rebuildView();
    d->cursor = d->view.empty() ? -1 : 0;
    endReset();
    emit currentChanged(d->cursor);
}

QString Dataset::filter() const
{
    return d->filter ? d->filter->text() : QString();
}

void Dataset::setIndexFieldNames(const QString& names)
{
    if (d->state != State::Browse && d->state != State::Inactive)
        post();
    QVector<int> fields;
    for (const QString& name : names.split(u';', Qt::SkipEmptyParts))
        fields.push_back(requireField(name.trimmed()));
    // The current row stays current in the new order.
    const std::uint32_t current = d->hasRow() ? d->view[std::size_t(d->cursor)] : 0;
    const bool hadRow = d->hasRow();
    beginReset();
    d->orderFields = fields;
    d->orderText = names;
    d->rebuildView();
    d->cursor = -1;
    if (hadRow) {
        const auto it = std::find(d->view.begin(), d->view.end(), current);
        d->cursor = it == d->view.end() ? 0 : int(it - d->view.begin());
    } else if (!d->view.empty()) {
        d->cursor = 0;
    }
    endReset();
    emit currentChanged(d->cursor);
}

QString Dataset::indexFieldNames() const
{
    return d->orderText;
}

bool Dataset::locate(const QString& fieldNames, const QVariantList& values, bool caseInsensitive)
{
    d->requireActive();
    if (d->state != State::Browse)
        post();
    QVector<int> fields;
    for (const QString& name : fieldNames.split(u';', Qt::SkipEmptyParts))
        fields.push_back(requireField(name.trimmed()));
    if (fields.size() != values.size())
        throw EAssertion(QStringLiteral("Locate: %1 campi e %2 valori").arg(fields.size()).arg(values.size()),
                         unitName());
    RowStore probe;
    probe.reset(d->fields);
    const Slot wanted = probe.addSlot();
    for (int i = 0; i < fields.size(); ++i)
        cells::store(probe, wanted, fields[i], d->fields[fields[i]], values[i]);
    const Qt::CaseSensitivity textCase = caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int position = 0; position < int(d->view.size()); ++position) {
        const Slot slot = d->records[d->view[std::size_t(position)]].slot;
        const bool equal = std::all_of(fields.begin(), fields.end(), [&](int field) {
            return cells::compare(d->store, slot, probe, wanted, field, d->fields[field].type, textCase) == 0;
        });
        if (equal) {
            setRecNo(position);
            return true;
        }
    }
    return false;
}

QString Dataset::quoted(const QString& text)
{
    QString result = text;
    result.replace(u'\'', QStringLiteral("''"));
    return u'\'' + result + u'\'';
}

// --- Files ----------------------------------------------------------------------------------------

QByteArray Dataset::saveToBytes() const
{
    std::vector<Slot> rows;
    rows.reserve(d->records.size());
    for (const Record& record : d->records) {
        if (record.gone)
            continue;
        // Saving merges the change log: deleted rows are left out, and the
        // current values are what is written.
        if (record.status != RowStatus::Deleted)
            rows.push_back(record.slot);
    }
    return DatasetFile::encode(d->fields, d->store, rows);
}

void Dataset::loadFromBytes(const QByteArray& bytes, const QString& sourceName)
{
    DatasetFile::Contents contents = DatasetFile::decode(bytes, sourceName);
    beginReset();
    close();
    d->adopt(std::move(contents.fields), std::move(contents.store));
    emit structureChanged();
    endReset();
    emit stateChanged(d->state);
    emit currentChanged(d->cursor);
}

QByteArray Dataset::schemaBytes() const
{
    RowStore empty;
    empty.reset(d->fields);
    return DatasetFile::encode(d->fields, empty, {});
}

void Dataset::saveToFile(const QString& path)
{
    if (d->state != State::Browse && d->state != State::Inactive)
        post();
    mergeChangeLog();
    DatasetFile::writeFile(path, saveToBytes());
}

void Dataset::loadFromFile(const QString& path)
{
    loadFromBytes(DatasetFile::readFile(path), path);
}

} // namespace cu
