// Writes one person of the demo archive: identity and address, period and
// position, the monthly payroll registers with their withholdings,
// compensation items and deductions, the year-end adjustment record, family
// deductions, pension-fund adhesion and calendar, as the person's plan says.
// Rows go straight to the database; nothing is kept between persons.
#pragma once

#include "foundation/text/Currency.h"
#include "import/demo/PersonPlan.h"

#include <QDate>
#include <QString>
#include <QVector>

namespace cu::demo {

struct ArchiveTables;
struct NameBook;
class DemoRandom;
enum class Sex;

class PersonWriter
{
public:
    PersonWriter(ArchiveTables& tables, const NameBook& names, DemoRandom& random);

    // index: the person's number in the archive (0-based); with the seed it
    // decides the birth date and place, which keeps fiscal codes unique.
    void write(const PersonPlan& plan, qint64 index);

private:
    // One month of basic pay.
    struct Month
    {
        int month = 0;
        QDate from, to;
        int paidDays = 0; // payroll days (30 for a full month)
        int calendarDays = 0;
        int legalPosition = 0;
        Currency gross;
        Currency taxable; // gross less the employee's contributions
    };
    struct Person
    {
        qint64 personId = 0, positionId = 0;
        QString surname;
        bool permanent = false;
    };
    struct YearTotals
    {
        Currency taxable, grossTax, workDeduction, family, spouse, children, others, further, netTax;
        int days = 0;
    };

    Person writeIdentity(const PersonPlan& plan, qint64 index);
    void writePosition(Person& person, const PersonPlan& plan);
    void writeEmployee(const Person& person, const PersonPlan& plan);
    void writeCollaborator(const Person& person, const PersonPlan& plan);
    void writeScholarship(const Person& person, const PersonPlan& plan);
    void writeSelfEmployed(const Person& person, const PersonPlan& plan);
    void writeFamily(const Person& person, const PersonPlan& plan);
    void writeCalendar(const Person& person);

    QVector<Month> basicMonths(const PersonPlan& plan);
    YearTotals yearTotals(const QVector<Month>& months, Currency extraTaxable, const PersonPlan& plan,
                          bool permanent) const;
    void writeBasicMonth(const Person& person, const PersonPlan& plan, const Month& m, const YearTotals& year,
                         const QVector<Month>& months);
    void writeSurtaxes(qint64 registerId, const Month& m, const YearTotals& year,
                       const QVector<Month>& months, const PersonPlan& plan);
    Currency writePublicContributions(qint64 registerId, Currency gross);
    void writeAccessory(const Person& person, const PersonPlan& plan, int month, Currency gross);
    void writeArrears(const Person& person);
    void write730Items(qint64 registerId, int month);
    void writeAdjustment(const Person& person, int month, const YearTotals& year);

    qint64 addRegister(qint64 positionId, int month, int legalPosition, int costItem, int payKind,
                       int paidDays, const QDate& from, const QDate& to, bool exported = false,
                       const QString& reason = QString(), int absences = 0);
    void addWithholding(qint64 registerId, int code, Currency employee, Currency employer,
                        Currency taxableEmployee, Currency taxableEmployer, Currency grossTax = Currency(),
                        int percentTaxable = 100);
    void addItem(qint64 registerId, int item, Currency amount);
    QString familyCode(Sex sex, int fromYear, int toYear);

    ArchiveTables& m_t;
    const NameBook& m_names;
    DemoRandom& m_random;
};

} // namespace cu::demo
