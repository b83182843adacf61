// Prepares the data of one certificate for the record writers
// (SelectCertificate): the section rows of its person, the annotation codes
// rebuilt from its annotation text, and the test whether the certificate
// row holds any data of its own (CertificateHasData).
#pragma once

#include "certificates/NoteTable.h"
#include "telematic/records/RowCursor.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>

namespace cu {

class Folders;
class TelematicData;

class CertificateSelection
{
public:
    // The annotation rows of a certificate (up to 54 codes each) to be stored
    // for its person and month, called only when they differ from the stored ones.
    using AnnotationWriter = std::function<void(qint64 person, int month, const QVector<QStringList>& rows)>;

    static constexpr int CodesPerRow = 54;

    CertificateSelection(TelematicData& data, const Folders& folders, AnnotationWriter writer = {});

    // Indexes the section rows by person; call after the datasets are loaded.
    void prepare();

    // Makes the certificate at this position (0-based, in the order of the
    // certificate dataset) current. Without annotations only the section
    // rows are prepared.
    void select(int position, bool withAnnotations = true);
    // Called after every select (the production's progress and its cancel).
    void setVisitor(std::function<void()> visitor) { m_visitor = std::move(visitor); }
    int position() const { return m_position; }
    // SCUDMESE as a number, -1 when empty.
    int month() const { return m_month; }

    // The cursor of a component: a section of the current person, the
    // annotation rows, the current certificate row, or all rows of any other
    // dataset. Null when the name is no component.
    RowCursor* cursor(QStringView componentName);
    RowCursor& requireCursor(QStringView componentName);

    // True when any column of the current row other than the identity and
    // state columns holds a value that is neither blank nor "0".
    static bool certificateHasData(const Dataset& dataset);
    // The same for the current certificate, with the columns to look at
    // found once per run.
    bool certificateHasData() const;

    // The annotation codes of a text: codes before ")" found in the notes table.
    QStringList annotationCodes(const QString& text);

private:
    void rebuildAnnotations(qint64 person, const QString& fiscalCode);
    QVector<QStringList> storedAnnotations(qint64 person) const;
    const NoteTable& notes();

    TelematicData& m_data;
    const Folders& m_folders;
    AnnotationWriter m_writer;
    std::function<void()> m_visitor;
    std::map<QString, QHash<qint64, QVector<int>>> m_byPerson; // upper-cased component -> person -> rows
    QHash<qint64, QVector<int>> m_storedAnnotations;
    Dataset m_workingAnnotations;
    std::map<QString, RowCursor> m_cursors;    // by upper-cased component name; entries live until prepare()
    QHash<QString, RowCursor*> m_cursorByName; // the same by the name as the layouts write it
    std::optional<NoteTable> m_notes;
    QSet<qint64> m_annotationsSynced;
    QVector<int> m_dataColumns; // columns of the certificate that CertificateHasData looks at
    int m_position = -1;
    int m_month = -1;
};

} // namespace cu
