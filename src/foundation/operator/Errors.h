// The one family of exceptions through which every problem reaches the
// operator. The core raises; only the operator interface shows.
#pragma once

#include <QString>
#include <exception>
#include <source_location>

namespace cu {

enum class Severity
{
    Error,
    Warning,
    Information,
    Silent
};

// Base of every exception of the program: an Italian message for the
// operator and where it was raised, for diagnosis.
class Error : public std::exception
{
public:
    explicit Error(QString message, std::source_location where = std::source_location::current());
    const QString& message() const { return m_message; }
    const std::source_location& where() const { return m_where; }
    virtual Severity severity() const { return Severity::Error; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
    std::source_location m_where;
};

// A validation refusal: a required value missing or out of range.
class EZfError : public Error
{
public:
    using Error::Error;
};

// An expected condition of the data that the operator must correct.
class EZfWarning : public Error
{
public:
    using Error::Error;
    Severity severity() const override { return Severity::Warning; }
};

// A data condition found by the import.
class EHlmWarning : public EZfWarning
{
public:
    using EZfWarning::EZfWarning;
};

// A condition that makes a fiscal or payroll calculation impossible.
class EHlmCalcola : public EHlmWarning
{
public:
    using EHlmWarning::EHlmWarning;
};

// A store or database failure, carrying the database's own message and, for
// diagnosis, the statement that failed (empty when none).
class DatabaseError : public Error
{
public:
    using Error::Error;
    DatabaseError(QString message, QString statement,
                  std::source_location where = std::source_location::current());
    const QString& statement() const { return m_statement; }

private:
    QString m_statement;
};

// Ends an operation without a further message (the operator already saw one,
// or refused a question).
class EAbort : public Error
{
public:
    explicit EAbort(std::source_location where = std::source_location::current());
    Severity severity() const override { return Severity::Silent; }
};

// A programming error: a missing catalogue statement, a missing field of a
// mapping. Carries the name of the unit that detected it.
class EAssertion : public Error
{
public:
    EAssertion(QString message, QString unitName,
               std::source_location where = std::source_location::current());
    const QString& unitName() const { return m_unit; }

private:
    QString m_unit;
};

} // namespace cu
