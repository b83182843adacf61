// Selection of the current certificate for the record writers.
#include "telematic/records/CertificateSelection.h"

#include "certificates/CertificateKey.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/ValueText.h"
#include "telematic/TelematicData.h"
#include "telematic/layouts/CampoValue.h"

#include <QFileInfo>

namespace cu {

namespace {

QString slotColumn(int slot)
{
    return QStringLiteral("SANN7%1").arg(slot, 2, 10, QLatin1Char('0'));
}

QVector<FieldDef> defaultAnnotationFields()
{
    QVector<FieldDef> fields{{QStringLiteral("iAfiID"), FieldType::Integer, 0},
                             {QStringLiteral("iFisRigo"), FieldType::Integer, 0},
                             {QStringLiteral("SCUDCODFIS"), FieldType::String, 16}};
    for (int slot = 1; slot <= CertificateSelection::CodesPerRow; ++slot)
        fields.append({slotColumn(slot), FieldType::String, 10});
    return fields;
}

QVector<int> allRows(Dataset& dataset)
{
    QVector<int> rows;
    for (int i = 0; i < dataset.recordCount(); ++i)
        rows.append(i);
    return rows;
}

QStringList codesOfRow(const Dataset& dataset)
{
    QStringList codes;
    for (int slot = 1; slot <= CertificateSelection::CodesPerRow; ++slot) {
        const int field = dataset.fieldIndex(slotColumn(slot));
        if (field < 0)
            break;
        const QString code = dataset.value(field).toString();
        if (!code.isEmpty())
            codes.append(code);
    }
    return codes;
}

QVector<int> dataColumns(const Dataset& dataset)
{
    QVector<int> columns;
    const QVector<FieldDef>& fields = dataset.fields();
    for (int i = 0; i < fields.size(); ++i)
        if (!certificate::identityColumns().contains(fields[i].name.toUpper()))
            columns.append(i);
    return columns;
}

bool anyValue(const Dataset& dataset, const QVector<int>& columns)
{
    for (int i : columns) {
        const QVariant value = dataset.value(i);
        if (value.isNull())
            continue;
        const QString text = text::valueText(value, text::ValueTextForm::FileField).trimmed();
        if (!text.isEmpty() && text != u"0")
            return true;
    }
    return false;
}

} // namespace

CertificateSelection::CertificateSelection(TelematicData& data, const Folders& folders,
                                           AnnotationWriter writer)
    : m_data(data), m_folders(folders), m_writer(std::move(writer))
{
}

void CertificateSelection::prepare()
{
    m_byPerson.clear();
    m_cursors.clear();
    m_cursorByName.clear();
    for (const QString& name : TelematicData::personSectionNames()) {
        Dataset& dataset = m_data.get(name);
        auto& index = m_byPerson[name.toUpper()];
        const int person = dataset.fieldIndex(u"IAFIID");
        if (person < 0 || !dataset.isActive())
            continue;
        dataset.setFilter(QString());
        dataset.setIndexFieldNames(QString());
        for (dataset.first(); !dataset.eof(); dataset.next())
            index[dataset.value(person).toLongLong()].append(dataset.recNo());
    }
    Dataset& stored = m_data.annotazioni();
    m_storedAnnotations.clear();
    if (stored.isActive() && stored.hasField(u"IAFIID")) {
        stored.setFilter(QString());
        stored.setIndexFieldNames(QString());
        const int person = stored.fieldIndex(u"IAFIID");
        for (stored.first(); !stored.eof(); stored.next())
            m_storedAnnotations[stored.value(person).toLongLong()].append(stored.recNo());
    }
    m_dataColumns = dataColumns(m_data.dip());
    m_workingAnnotations.setFields(stored.fieldCount() > 0 ? stored.fields() : defaultAnnotationFields());
    m_workingAnnotations.open();
    for (const QString& name : TelematicData::componentNames()) {
        const QString key = name.toUpper();
        if (m_byPerson.count(key) || key == u"CDSDIP" || key == u"CDSANNOTAZIONI")
            continue;
        Dataset& dataset = m_data.get(name);
        m_cursors[key] = RowCursor(&dataset, dataset.isActive() ? allRows(dataset) : QVector<int>());
    }
}

void CertificateSelection::select(int position, bool withAnnotations)
{
    Dataset& dip = m_data.dip();
    dip.setRecNo(position);
    m_position = position;
    const qint64 person = dip.fieldValue(u"IAFIID").toLongLong();
    for (const QString& name : TelematicData::personSectionNames()) {
        const QString key = name.toUpper();
        m_cursors[key] = RowCursor(&m_data.get(name), m_byPerson[key].value(person));
    }
    m_cursors[QStringLiteral("CDSDIP")] = RowCursor(&dip, {position});
    bool numeric = false;
    const int month = dip.asString(u"SCUDMESE").trimmed().toInt(&numeric);
    m_month = numeric ? month : -1;
    if (withAnnotations)
        rebuildAnnotations(person, dip.asString(u"SCUDCODFIS"));
    else
        m_cursors[QStringLiteral("CDSANNOTAZIONI")] = RowCursor(&m_workingAnnotations, {});
    if (m_visitor)
        m_visitor();
}

RowCursor* CertificateSelection::cursor(QStringView componentName)
{
    const QString name = componentName.toString();
    if (RowCursor* known = m_cursorByName.value(name))
        return known;
    const auto it = m_cursors.find(name.toUpper());
    if (it == m_cursors.end())
        return nullptr;
    m_cursorByName.insert(name, &it->second);
    return &it->second;
}

RowCursor& CertificateSelection::requireCursor(QStringView componentName)
{
    RowCursor* found = cursor(componentName);
    if (!found)
        throw EAssertion(QStringLiteral("Sezione non trovata ") + componentName.toString(),
                         QStringLiteral("CertificateSelection"));
    return *found;
}

bool CertificateSelection::certificateHasData(const Dataset& dataset)
{
    return anyValue(dataset, dataColumns(dataset));
}

bool CertificateSelection::certificateHasData() const
{
    return anyValue(m_data.dip(), m_dataColumns);
}

// The notes table of the import and the prints, read once: missing or
// damaged, it refuses the production, so that no annotation is dropped.
const NoteTable& CertificateSelection::notes()
{
    if (!m_notes) {
        const QString path = Folders::resolve(m_folders.tabelle(), QStringLiteral("TNOT_NOTE.cds"));
        if (!QFileInfo(path).isFile())
            throw EZfError(QStringLiteral("Tabella delle annotazioni mancante: ") + path);
        try {
            m_notes = NoteTable::load(path);
        } catch (const EZfError& e) {
            if (e.message().contains(path))
                throw;
            throw EZfError(
                QStringLiteral("Tabella delle annotazioni %1 danneggiata: %2").arg(path, e.message()));
        }
    }
    return *m_notes;
}

QStringList CertificateSelection::annotationCodes(const QString& text)
{
    QStringList codes;
    if (text.isEmpty())
        return codes;
    const QStringList lines =
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    for (QString line : lines) {
        line.remove(u'\r');
        if (line == u"BO)")
            continue;
        const qsizetype close = line.indexOf(u')', 1);
        if (close < 1)
            continue;
        const QString code = line.left(close).toUpper();
        if (notes().contains(code))
            codes.append(code);
    }
    return codes;
}

QVector<QStringList> CertificateSelection::storedAnnotations(qint64 person) const
{
    QVector<QStringList> rows;
    Dataset& stored = m_data.annotazioni();
    for (int position : m_storedAnnotations.value(person)) {
        stored.setRecNo(position);
        rows.append(codesOfRow(stored));
    }
    return rows;
}

void CertificateSelection::rebuildAnnotations(qint64 person, const QString& fiscalCode)
{
    m_workingAnnotations.emptyDataset();
    const QStringList codes = annotationCodes(m_data.dip().asString(u"SCUDANNOTAZIONI"));
    QVector<QStringList> rows;
    for (qsizetype i = 0; i < codes.size(); i += CodesPerRow)
        rows.append(codes.mid(i, CodesPerRow));
    for (const QStringList& row : rows) {
        m_workingAnnotations.append();
        m_workingAnnotations.setValue(u"IAFIID", person);
        m_workingAnnotations.setValue(u"SCUDCODFIS", fiscalCode);
        for (int slot = 0; slot < row.size(); ++slot)
            m_workingAnnotations.setValue(slotColumn(slot + 1), row[slot]);
        m_workingAnnotations.post();
    }
    m_cursors[QStringLiteral("CDSANNOTAZIONI")] =
        RowCursor(&m_workingAnnotations, allRows(m_workingAnnotations));
    if (!m_writer || m_annotationsSynced.contains(person))
        return;
    m_annotationsSynced.insert(person);
    if (rows == storedAnnotations(person))
        return;
    // A failed write raises: the file must not be produced from annotations
    // that the store does not hold.
    m_writer(person, m_month, rows);
}

} // namespace cu
