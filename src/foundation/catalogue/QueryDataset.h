// A dataset that runs its own SELECT: the command text with :NAME parameters,
// the statements that apply its changes (insert, update, delete texts), and
// open(), which fills the dataset's fields and rows from the result exactly
// (amounts as Currency).
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QStringList>
#include <QVariantMap>

namespace cu {

class Connection;

class QueryDataset : public Dataset
{
public:
    // The statements that apply the dataset's changes, run in order.
    struct UpdateStatements
    {
        QStringList insert;
        QStringList update;
        QStringList remove;
    };

    explicit QueryDataset(Connection& connection, QObject* parent = nullptr);

    Connection& connection() const { return m_connection; }

    // Setting the text rebuilds the parameter list from its :NAME markers;
    // earlier values are dropped.
    void setCommandText(const QString& text);
    const QString& commandText() const { return m_commandText; }

    // Parameter names in order of first appearance in the text.
    const QStringList& paramNames() const { return m_paramNames; }
    // A name that the text does not hold is a programming error (EAssertion).
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;

    UpdateStatements& updateStatements() { return m_updates; }
    const UpdateStatements& updateStatements() const { return m_updates; }

    // Runs the command text and replaces the dataset's fields and rows by the
    // result; the rows count as unchanged. Hides Dataset::open(), which opens
    // an empty dataset over defined fields. A database failure is a
    // DatabaseError with the driver's message; an empty text an EAssertion.
    void open();

private:
    Connection& m_connection;
    QString m_commandText;
    QStringList m_paramNames;
    QVariantMap m_params;
    UpdateStatements m_updates;
};

// Does nothing when the query is open, not empty, not forced and its field
// keyName already holds value; otherwise closes it, sets the parameter
// keyName to value and opens it.
void ReopenIfChanged(QueryDataset& query, const QString& keyName, bool force, const QVariant& value);

} // namespace cu
