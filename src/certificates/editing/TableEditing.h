// Editing one table of the store through one dataset, as the list and detail
// pages of an editing window do: open the working year's rows, insert, change
// columns, post through the save command and delete, each post and each
// delete written to the store at once. The rules of a table (refusals,
// questions, rows of other tables that follow) come from the derived class's
// hooks; a refusal is raised and leaves the store unchanged, the row staying
// in edit mode with what was typed.
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QString>

namespace cu {

class CertificateStore;
class Operator;
struct ColumnSchema;
struct TableSchema;

class TableEditing
{
public:
    TableEditing(CertificateStore& certificates, Operator& op, const QString& tableName);
    virtual ~TableEditing();
    TableEditing(const TableEditing&) = delete;
    TableEditing& operator=(const TableEditing&) = delete;

    // Every row of the table for the working year (month -1).
    virtual void open();
    Dataset& rows() { return m_rows; }
    const Dataset& rows() const { return m_rows; }
    const TableSchema& table() const { return m_table; }
    // A column of the table; an unknown name is an EZfError naming it.
    const ColumnSchema& column(const QString& name) const;

    bool isEditing() const;
    // "%d di %d" (row number and count, "0 di 0" when empty), "Ins." while
    // inserting: the position that an editing frame shows.
    QString positionText() const;
    // False, after telling the operator why, while a change is pending: a
    // window may not close before its changes are saved or cancelled.
    virtual bool canClose();
    // Whether a new row may be added now (the insert command's state).
    virtual bool canInsert() const { return true; }
    // A new row with every check-box flag "0"; refused silently (EAbort)
    // when canInsert() is false.
    void insert();
    // Puts the current row into edit mode (an empty table gets a new row).
    void edit();
    // Sets a column from its typed text (ColumnText), entering edit mode.
    void setText(const QString& column, const QString& text);
    // The save command: the table's checks, the post, the save.
    void post();
    void cancel();
    // The delete command: the table's question or refusal, the delete, the save.
    void remove();

protected:
    // Raise to refuse changing the current row (edit mode).
    virtual void checkCanChange() {}
    // Raise to refuse a new row; by default as for a change.
    virtual void checkCanInsert() { checkCanChange(); }
    // What editing an empty table does: a new row.
    virtual void insertForEdit() { insert(); }
    // Raise to refuse the post (the row stays in edit mode).
    virtual void checkBeforePost() {}
    // Writes the posted row (and any row that follows it) to the store.
    virtual void saveAfterPost();
    // Raise to refuse the delete, EAbort after a question answered No.
    virtual void checkBeforeRemove() {}
    virtual void saveAfterRemove();

    CertificateStore& certificates() { return m_certificates; }
    Operator& op() { return m_op; }
    // Saves the rows under the store's month (-1: the tables without persons).
    void saveRows();

private:
    CertificateStore& m_certificates;
    Operator& m_op;
    const TableSchema& m_table;
    Dataset m_rows;
};

} // namespace cu
