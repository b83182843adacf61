// The payroll archive's years: a financial year (TANF_ANNIFINANZ) or a school
// year (TANS_ANNISCOLAST), each an id with a start and an end date. A year
// object turns an id (or the current one from the parameters) into its dates.
#pragma once

#include <QDate>
#include <QString>

namespace cu {

class Connection;
class ParamManager;
struct AppContext;

class HlmAnno
{
public:
    HlmAnno(Connection& connection, ParamManager* params);
    virtual ~HlmAnno() = default;
    HlmAnno(const HlmAnno&) = delete;
    HlmAnno& operator=(const HlmAnno&) = delete;

    // The statement that reads the two dates of the year :IDANNO.
    virtual QString GetSQL() const;
    // The current id from the parameter manager; without one, an EAssertion.
    virtual int GetParamID() const = 0;
    // Reads the dates of the year id (0: the current one). A year that the
    // table lacks, or without its dates, is an EZfError naming id and table.
    virtual void Load(int id = 0);

    QDate startDate() const { return m_startDate; }
    QDate endDate() const { return m_endDate; }
    QString startText() const { return m_startText; } // "mm/dd/yyyy"
    QString endText() const { return m_endText; }
    int id() const { return m_id; }
    qint16 year() const { return m_year; } // calendar year of the start date
    // The year in which the period ends: the last four characters of endText.
    QString YearText() const;

    void setParamManager(ParamManager* params) { m_params = params; }
    ParamManager* paramManager() const { return m_params; }

protected:
    // The table and columns that hold the years.
    struct YearTable
    {
        const char* table;
        const char* idColumn;
        const char* startColumn;
        const char* endColumn;
    };
    virtual YearTable yearTable() const = 0;
    ParamManager& requireParams() const;

private:
    Connection& m_connection;
    ParamManager* m_params;
    QDate m_startDate;
    QDate m_endDate;
    QString m_startText;
    QString m_endText;
    int m_id = 0;
    qint16 m_year = 0;
};

// A financial year of TANF_ANNIFINANZ; the id of a year is year - 1969.
class HlmAnnoFinanziario : public HlmAnno
{
public:
    using HlmAnno::HlmAnno;

    int GetParamID() const override; // "ZFUP_AnfId"

    // 2024 gives 55; a number below 1970 is already an id and is returned.
    static constexpr int YearToId(int year) { return year >= 1970 ? year - 1969 : year; }
    // The same for a year given as text; a text that is no number is an
    // EZfError.
    static int YearTextToId(const QString& text);
    // 55 gives 2024; a number from 1900 is already a year and is returned.
    static constexpr int IdToYear(int id) { return id >= 1900 ? id : id + 1969; }

    void LoadYearText(const QString& text) { Load(YearTextToId(text)); }

protected:
    YearTable yearTable() const override;
};

// A school year of TANS_ANNISCOLAST.
class HlmAnnoScolastico : public HlmAnno
{
public:
    using HlmAnno::HlmAnno;

    int GetParamID() const override; // "ZFUP_AnsId"; 0 when unset or no number

protected:
    YearTable yearTable() const override;
};

// The payroll program's financial year, over the program's connection and
// parameters.
class KbrAnnoFinanziario : public HlmAnnoFinanziario
{
public:
    explicit KbrAnnoFinanziario(const AppContext& context);
};

} // namespace cu
