// One person of the demo archive, row by row.
#include "import/demo/PersonWriter.h"

#include "import/demo/ArchiveTables.h"
#include "import/demo/DemoCodes.h"
#include "import/demo/DemoPay.h"
#include "import/demo/DemoRandom.h"
#include "import/demo/FiscalCode.h"
#include "import/demo/NameBook.h"

#include <algorithm>

namespace cu::demo {

using namespace codes;

namespace {

constexpr qint64 BirthDays = 14610; // 1 January 1960 to 31 December 1999
constexpr qint64 BirthStep = 7919;  // prime and coprime with BirthDays: a permutation of the days
const QDate FirstBirth(1960, 1, 1);

Currency units(qint64 value)
{
    return Currency::fromUnits(value);
}

// An amount between low and high units, to the cent.
Currency amountBetween(DemoRandom& random, qint64 low, qint64 high)
{
    return Currency::fromRaw(random.between(low * 100, high * 100) * 100);
}

QVariant date(const QDate& d)
{
    return d.isValid() ? QVariant(d) : QVariant();
}

QVariant text(const QString& s)
{
    return s.isEmpty() ? QVariant() : QVariant(s);
}

QVariant money(Currency amount)
{
    return QVariant::fromValue(amount);
}

// share of a yearly amount for part / whole, to the cent.
Currency proportion(Currency yearly, Currency part, Currency whole)
{
    if (whole.isZero())
        return Currency();
    return yearly.mulDiv(part.raw(), whole.raw()).rounded(2);
}

bool isSubstitute(PersonKind kind)
{
    return kind == PersonKind::AnnualSubstitute || kind == PersonKind::NewSubstitute ||
           kind == PersonKind::ShortSubstitute;
}

int legalPositionOf(const PersonPlan& plan)
{
    switch (plan.kind) {
    case PersonKind::Teacher:
    case PersonKind::AccessoryOnly:
        return tno::TeacherPermanent;
    case PersonKind::Ata:
        return tno::AtaPermanent;
    case PersonKind::AnnualSubstitute:
        return plan.twoLegalPositions ? tno::TeacherPermanent : tno::AnnualSubstitute;
    case PersonKind::NewSubstitute:
        return tno::SubstituteToJune;
    case PersonKind::ShortSubstitute:
        return tno::TemporarySubstitute;
    case PersonKind::Cococo:
        return tno::Cococo;
    case PersonKind::Scholarship:
    case PersonKind::DoctoralScholarship:
        return tno::Scholarship;
    case PersonKind::Professional:
    case PersonKind::FlatRate:
        return tno::Professional;
    case PersonKind::Rights:
        return tno::RightsAndEquipment;
    case PersonKind::Occasional:
    case PersonKind::Fpls:
    case PersonKind::InpsAndFpls:
        return tno::OccasionalSelfEmployed;
    }
    return tno::TeacherPermanent;
}

int categoryOf(PersonKind kind)
{
    switch (kind) {
    case PersonKind::Ata:
        return cal::Ata;
    case PersonKind::Cococo:
        return cal::Collaborators;
    case PersonKind::Scholarship:
    case PersonKind::DoctoralScholarship:
        return cal::Scholarships;
    case PersonKind::Professional:
    case PersonKind::Occasional:
    case PersonKind::Rights:
    case PersonKind::FlatRate:
    case PersonKind::Fpls:
    case PersonKind::InpsAndFpls:
        return cal::SelfEmployed;
    default:
        return cal::Teachers;
    }
}

int qualificationOf(PersonKind kind, DemoRandom& random)
{
    switch (categoryOf(kind)) {
    case cal::Teachers:
        return random.percent(50) ? qar::PrimaryTeacher : qar::SecondaryTeacher;
    case cal::Ata:
        return random.percent(60) ? qar::Janitor : qar::Clerk;
    default:
        return qar::External;
    }
}

} // namespace

PersonWriter::PersonWriter(ArchiveTables& tables, const NameBook& names, DemoRandom& random)
    : m_t(tables), m_names(names), m_random(random)
{
}

void PersonWriter::write(const PersonPlan& plan, qint64 index)
{
    Person person = writeIdentity(plan, index);
    writePosition(person, plan);
    switch (plan.kind) {
    case PersonKind::Cococo:
        writeCollaborator(person, plan);
        break;
    case PersonKind::Scholarship:
    case PersonKind::DoctoralScholarship:
        writeScholarship(person, plan);
        break;
    case PersonKind::Professional:
    case PersonKind::Occasional:
    case PersonKind::Rights:
    case PersonKind::FlatRate:
    case PersonKind::Fpls:
    case PersonKind::InpsAndFpls:
        writeSelfEmployed(person, plan);
        break;
    default:
        writeEmployee(person, plan);
    }
    writeFamily(person, plan);
    if (plan.pensionFund)
        m_t.fundAdhesions.row(
            {m_t.fundAdhesionId++, person.personId, QDate(2015, 3, 1), QStringLiteral("ESPERO")});
    if (plan.absences)
        writeCalendar(person);
}

// --- Identity ---------------------------------------------------------------

PersonWriter::Person PersonWriter::writeIdentity(const PersonPlan& plan, qint64 index)
{
    static_assert(BirthDays % BirthStep != 0);
    Person person;
    person.personId = m_t.personId++;
    const Sex sex = m_random.percent(70) ? Sex::Female : Sex::Male;
    person.surname = m_random.pick(m_names.surnames);
    const QString name = m_random.pick(sex == Sex::Female ? m_names.femaleNames : m_names.maleNames);
    const QDate birth = FirstBirth.addDays((index * BirthStep) % BirthDays);
    const Place& place = plan.bornAbroad
                             ? m_names.countries[index % m_names.countries.size()]
                             : m_names.municipalities[(index / BirthDays) % m_names.municipalities.size()];
    const QString code = plan.noFiscalCode
                             ? QString()
                             : FiscalCode::person(person.surname, name, birth, sex, place.cadastralCode);
    m_t.persons.row({person.personId, QString::number(index + 1), text(code), person.surname, name,
                     sex == Sex::Female ? 2 : 1, birth,
                     place.municipalityId ? QVariant(place.municipalityId) : QVariant(),
                     place.countryId ? QVariant(place.countryId) : QVariant()});
    const Place& home = m_names.municipalities[m_random.between(0, m_names.municipalities.size() - 1)];
    m_t.addresses.row(
        {m_t.addressId++, person.personId, TaxDomicile,
         QStringLiteral("%1, %2").arg(m_random.pick(m_names.streets)).arg(m_random.between(1, 180)),
         home.municipalityId, home.postcodeId, QDate(2020, 1, 1)});
    return person;
}

void PersonWriter::writePosition(Person& person, const PersonPlan& plan)
{
    QDate start, end;
    int contractDays = 0;
    switch (plan.kind) {
    case PersonKind::Teacher:
    case PersonKind::Ata:
    case PersonKind::AccessoryOnly:
        start = QDate(static_cast<int>(m_random.between(1995, 2020)), 9, 1);
        break;
    case PersonKind::AnnualSubstitute:
        start = QDate(Year - 1, 9, 1);
        if (!plan.twoLegalPositions)
            end = QDate(Year, 6, 30);
        break;
    case PersonKind::NewSubstitute:
        start = QDate(Year, 9, static_cast<int>(m_random.between(2, 16)));
        end = QDate(Year + 1, 6, 30);
        break;
    case PersonKind::ShortSubstitute:
        start = QDate(Year, 1, 8);
        end = QDate(Year, 5, 31);
        break;
    case PersonKind::Cococo:
        start = QDate(Year, 1, 1);
        end = QDate(Year, 6, 30);
        contractDays = static_cast<int>(start.daysTo(end)) + 1;
        break;
    case PersonKind::Scholarship:
        start = QDate(Year - 1, 11, 1);
        end = QDate(Year, 10, 31);
        break;
    case PersonKind::DoctoralScholarship:
        start = QDate(2022, 11, 1);
        end = QDate(Year + 1, 10, 31);
        break;
    default:
        start = QDate(Year, 1, 1);
        end = QDate(Year, 12, 31);
    }
    person.permanent = !end.isValid() || plan.twoLegalPositions;
    const qint64 periodId = m_t.periodId++;
    m_t.periods.row({periodId, person.personId, SiteId, categoryOf(plan.kind),
                     qualificationOf(plan.kind, m_random), start, date(end)});
    person.positionId = m_t.positionId++;
    m_t.positions.row({person.positionId, periodId, FinancialYearId, legalPositionOf(plan),
                       plan.kind == PersonKind::FlatRate ? 1 : 0, contractDays, start, date(end),
                       plan.kind == PersonKind::Fpls || plan.kind == PersonKind::InpsAndFpls ? 1 : 0,
                       plan.kind == PersonKind::DoctoralScholarship ? 1 : 0});
}

// --- Employees ----------------------------------------------------------------

QVector<PersonWriter::Month> PersonWriter::basicMonths(const PersonPlan& plan)
{
    struct Span
    {
        QDate from, to;
        int legalPosition;
    };
    QVector<Span> spans;
    const int position = legalPositionOf(plan);
    switch (plan.kind) {
    case PersonKind::AccessoryOnly:
        break;
    case PersonKind::AnnualSubstitute:
        spans.append({QDate(Year, 1, 1), QDate(Year, 6, 30), tno::AnnualSubstitute});
        if (plan.twoLegalPositions)
            spans.append({QDate(Year, 9, 1), QDate(Year, 12, 31), tno::TeacherPermanent});
        break;
    case PersonKind::NewSubstitute:
        spans.append(
            {QDate(Year, 9, static_cast<int>(m_random.between(2, 16))), QDate(Year, 12, 31), position});
        break;
    case PersonKind::ShortSubstitute:
        spans.append({QDate(Year, 1, 8), QDate(Year, 2, 29), position});
        spans.append({QDate(Year, 4, 2), QDate(Year, 5, 31), position});
        break;
    default:
        spans.append({QDate(Year, 1, 1), QDate(Year, 12, 31), position});
    }
    Currency monthly;
    if (plan.lowIncome)
        monthly = amountBetween(m_random, 950, 1050);
    else if (plan.kind == PersonKind::Ata)
        monthly = amountBetween(m_random, 1650, 1900);
    else if (isSubstitute(plan.kind))
        monthly = amountBetween(m_random, 2100, 2300);
    else
        monthly = amountBetween(m_random, 2350, 2850);

    QVector<Month> months;
    for (const Span& span : spans) {
        for (QDate first(span.from.year(), span.from.month(), 1); first <= span.to;
             first = first.addMonths(1)) {
            Month m;
            m.month = first.month();
            m.from = std::max(first, span.from);
            m.to = std::min(first.addMonths(1).addDays(-1), span.to);
            m.calendarDays = static_cast<int>(m.from.daysTo(m.to)) + 1;
            const bool whole = m.from.day() == 1 && m.to.day() == m.to.daysInMonth();
            m.paidDays = whole ? 30 : std::min(30, m.calendarDays);
            m.legalPosition = span.legalPosition;
            m.gross = whole ? monthly : monthly.mulDiv(m.paidDays, 30).rounded(2);
            months.append(m);
        }
    }
    return months;
}

Currency PersonWriter::writePublicContributions(qint64 registerId, Currency gross)
{
    const Currency severanceBase = DemoPay::percentOf(gross, 8000);
    const Currency pension = DemoPay::percentOf(gross, 880);
    const Currency severance = DemoPay::percentOf(severanceBase, 250);
    const Currency credit = DemoPay::percentOf(gross, 35);
    addWithholding(registerId, rice::PublicPension, pension, DemoPay::percentOf(gross, 2420), gross, gross);
    addWithholding(registerId, rice::PublicSeverance, severance, DemoPay::percentOf(severanceBase, 710),
                   severanceBase, severanceBase, Currency(), 80);
    addWithholding(registerId, rice::PublicCredit, credit, Currency(), gross, gross);
    return pension + severance + credit;
}

PersonWriter::YearTotals PersonWriter::yearTotals(const QVector<Month>& months, Currency extraTaxable,
                                                  const PersonPlan& plan, bool permanent) const
{
    YearTotals y;
    for (const Month& m : months) {
        y.taxable += m.taxable;
        y.days += m.calendarDays;
    }
    y.taxable += extraTaxable;
    y.days = std::min(y.days, 365);
    y.grossTax = DemoPay::irpefGross(y.taxable);
    y.workDeduction = y.days > 0 ? DemoPay::employmentDeduction(y.taxable, y.days, permanent) : Currency();
    if (plan.spouse)
        y.spouse = units(690);
    y.children = units(950) * plan.children;
    y.others = units(750) * plan.otherDependants;
    y.family = y.spouse + y.children + y.others;
    if (y.taxable > units(20000) && y.taxable <= units(32000))
        y.further = units(1000).mulDiv(y.days, 365).rounded(2);
    const Currency deductions = y.workDeduction + y.family + y.further;
    y.netTax = y.grossTax > deductions ? y.grossTax - deductions : Currency();
    return y;
}

void PersonWriter::writeEmployee(const Person& person, const PersonPlan& plan)
{
    QVector<Month> months = basicMonths(plan);
    // Taxable pay of each month first: the yearly tax depends on all of them.
    for (Month& m : months) {
        const Currency contributions = DemoPay::percentOf(m.gross, 880) +
                                       DemoPay::percentOf(DemoPay::percentOf(m.gross, 8000), 250) +
                                       DemoPay::percentOf(m.gross, 35) +
                                       (plan.pensionFund ? DemoPay::percentOf(m.gross, 100) : Currency());
        m.taxable = m.gross - contributions;
    }
    const Currency accessoryGross = plan.accessoryPay || plan.kind == PersonKind::AccessoryOnly
                                        ? amountBetween(m_random, 600, 1800)
                                        : Currency();
    const YearTotals year = yearTotals(months, Currency(), plan, person.permanent);
    for (const Month& m : months)
        writeBasicMonth(person, plan, m, year, months);
    if (plan.kind == PersonKind::AccessoryOnly) {
        writeAccessory(person, plan, 6, accessoryGross);
        writeAccessory(person, plan, 12, amountBetween(m_random, 300, 900));
    } else if (plan.accessoryPay) {
        writeAccessory(person, plan, 6, accessoryGross);
    }
    if (plan.arrears)
        writeArrears(person);
    if (plan.adjustment && !months.isEmpty())
        writeAdjustment(person, months.last().month, year);
}

void PersonWriter::writeBasicMonth(const Person& person, const PersonPlan& plan, const Month& m,
                                   const YearTotals& year, const QVector<Month>& months)
{
    const int costItem = person.permanent ? cot::PermanentSalaries : cot::Substitutes;
    const qint64 reg =
        addRegister(person.positionId, m.month, m.legalPosition, costItem, cos::Basic, m.paidDays, m.from,
                    m.to, false, QString(), plan.absences && m.month == 3 ? 3 : 0);
    if (categoryOf(plan.kind) == cal::Teachers) {
        const Currency salary = DemoPay::percentOf(m.gross, 8500);
        addItem(reg, comr::Salary, salary);
        addItem(reg, comr::TeacherAllowance, m.gross - salary);
    } else {
        addItem(reg, comr::Salary, m.gross);
    }
    writePublicContributions(reg, m.gross);
    if (isSubstitute(plan.kind) && m.legalPosition != tno::TeacherPermanent)
        addWithholding(reg, rice::InpsUnemployment, Currency(), DemoPay::percentOf(m.gross, 161), m.gross,
                       m.gross);
    if (plan.pensionFund) {
        const Currency fund = DemoPay::percentOf(m.gross, 100);
        addWithholding(reg, rice::FundEmployee, fund, Currency(), m.gross, Currency());
        addWithholding(reg, rice::FundEmployer, Currency(), fund, Currency(), m.gross);
        if (m.month == 1) // a stray taxable amount without contribution: the start-up repair clears it
            addWithholding(reg, rice::FundEmployee, Currency(), Currency(), m.gross, Currency());
    }

    // This month's share of the yearly tax and deductions.
    Currency total;
    for (const Month& other : months)
        total += other.taxable;
    auto share = [&](Currency yearly) { return proportion(yearly, m.taxable, total); };
    const Currency grossTax = share(year.grossTax);
    const Currency work = share(year.workDeduction);
    const Currency spouse = share(year.spouse), children = share(year.children), others = share(year.others);
    const Currency further = share(year.further);
    const Currency deductions = work + spouse + children + others + further;
    const Currency net = grossTax > deductions ? grossTax - deductions : Currency();
    addWithholding(reg, rice::Irpef, net, Currency(), m.taxable, m.taxable, grossTax);
    m_t.monthlyDeductions.row({m_t.monthlyDeductionId++, reg, money(spouse), money(children), money(others),
                               money(work), money(further)});

    if (year.taxable <= units(15000) && year.grossTax > year.workDeduction)
        addItem(reg, comr::SupplementaryTreatment, units(100));
    if (plan.lowIncome && m.month == 3)
        addItem(reg, comr::SupplementaryTreatmentPrevious, units(150));
    if (plan.suspendedIrpef && m.month >= 10)
        addItem(reg, comr::SuspendedIrpef, net);
    if (plan.items730)
        write730Items(reg, m.month);
    writeSurtaxes(reg, m, year, months, plan);
}

// The surtaxes of the year before are withheld in eleven instalments from
// January, the municipal advance in nine from March; when the relationship
// ends in the year, the rest is withheld in its last month.
void PersonWriter::writeSurtaxes(qint64 registerId, const Month& m, const YearTotals& year,
                                 const QVector<Month>& months, const PersonPlan& plan)
{
    const bool knownLastYear = plan.kind == PersonKind::Teacher || plan.kind == PersonKind::Ata ||
                               plan.kind == PersonKind::AnnualSubstitute;
    if (!knownLastYear || m.month > 11)
        return;
    const Currency regionalYear = DemoPay::percentOf(year.taxable, 173);
    const Currency municipalYear = DemoPay::percentOf(year.taxable, 80);
    const Currency balanceYear = DemoPay::percentOf(municipalYear, 7000);
    const Currency advanceYear = municipalYear - balanceYear;
    const bool endsHere = m.month == months.last().month && m.month < 11;
    auto instalments = [&](Currency yearly, int firstMonth, int count) {
        if (m.month < firstMonth)
            return Currency();
        const Currency each = DemoPay::monthlyShare(yearly, count, false);
        if (!endsHere)
            return m.month == firstMonth + count - 1 ? DemoPay::monthlyShare(yearly, count, true) : each;
        return yearly - each * (m.month - firstMonth); // the rest at once
    };
    const Currency regional = instalments(regionalYear, 1, 11);
    const Currency balance = instalments(balanceYear, 1, 11);
    const Currency advance = instalments(advanceYear, 3, 9);
    if (!regional.isZero())
        addWithholding(registerId, rice::Regional, regional, Currency(), Currency(), Currency());
    if (!balance.isZero())
        addWithholding(registerId, rice::MunicipalBalance, balance, Currency(), Currency(), Currency());
    if (!advance.isZero())
        addWithholding(registerId, rice::MunicipalAdvance, advance, Currency(), Currency(), Currency());
}

void PersonWriter::writeAccessory(const Person& person, const PersonPlan& plan, int month, Currency gross)
{
    const qint64 reg = addRegister(person.positionId, month, legalPositionOf(plan), cot::Accessory,
                                   cos::Accessory, 0, QDate(), QDate(), plan.accessoryExported);
    addItem(reg, comr::Accessory, gross);
    const Currency pension = DemoPay::percentOf(gross, 880);
    const Currency credit = DemoPay::percentOf(gross, 35);
    addWithholding(reg, rice::PublicPension, pension, DemoPay::percentOf(gross, 2420), gross, gross);
    addWithholding(reg, rice::PublicCredit, credit, Currency(), gross, gross);
    const Currency taxable = gross - pension - credit;
    const Currency tax = DemoPay::percentOf(taxable, 2300);
    addWithholding(reg, rice::Irpef, tax, Currency(), taxable, taxable, tax);
    if (!plan.accessoryExported)
        return;
    m_t.noipa.row({m_t.noipaId++, reg, person.positionId, FinancialYearId, month, 0, QStringLiteral("1"),
                   QVariant(), QStringLiteral("3"), money(gross), money(pension),
                   money(DemoPay::percentOf(gross, 2420)), money(Currency()), money(Currency()), money(gross),
                   money(credit)});
}

void PersonWriter::writeArrears(const Person& person)
{
    const Currency gross = amountBetween(m_random, 1200, 2600);
    const qint64 reg = addRegister(person.positionId, 5, tno::TeacherPermanent, cot::PermanentSalaries,
                                   cos::Basic, 0, QDate(), QDate());
    addItem(reg, comr::Arrears, gross);
    const Currency pension = DemoPay::percentOf(gross, 880);
    addWithholding(reg, rice::PublicPension, pension, DemoPay::percentOf(gross, 2420), gross, gross);
    const Currency taxable = gross - pension;
    const Currency tax = DemoPay::percentOf(taxable, 2300);
    addWithholding(reg, rice::IrpefArrears, tax, Currency(), taxable, taxable, tax);
}

void PersonWriter::write730Items(qint64 registerId, int month)
{
    if (month == 7) {
        addItem(registerId, m_names.item730(QStringLiteral("FCUDSITRATT")), amountBetween(m_random, 80, 600));
        addItem(registerId, m_names.item730(QStringLiteral("FCUDPRIMOACCIRPEF")),
                amountBetween(m_random, 50, 400));
        addItem(registerId, m_names.item730(QStringLiteral("FCUDARTRATT")), amountBetween(m_random, 20, 150));
        addItem(registerId, m_names.item730(QStringLiteral("FCUDSACTRATT")), amountBetween(m_random, 10, 80));
        addItem(registerId, m_names.item730(QStringLiteral("FCUDACCADDCOMIRPEF")),
                amountBetween(m_random, 5, 40));
    } else if (month == 11) {
        addItem(registerId, m_names.item730(QStringLiteral("FCUDSECONDOACCIRPE")),
                amountBetween(m_random, 80, 600));
    }
}

void PersonWriter::writeAdjustment(const Person& person, int month, const YearTotals& year)
{
    const Currency deductions = year.workDeduction + year.family + year.further;
    const Currency bonus =
        year.taxable <= units(15000) && year.grossTax > year.workDeduction ? units(1200) : Currency();
    m_t.adjustments.row({m_t.adjustmentId++,
                         person.positionId,
                         month,
                         money(year.grossTax),
                         money(year.netTax),
                         money(year.taxable),
                         money(Currency()),
                         year.days,
                         money(DemoPay::percentOf(year.taxable, 80)),
                         money(DemoPay::percentOf(year.taxable, 173)),
                         money(year.spouse),
                         money(year.children),
                         money(year.others),
                         money(year.workDeduction),
                         money(year.further),
                         money(deductions),
                         money(Currency()),
                         money(Currency()),
                         money(Currency()),
                         money(Currency()),
                         money(Currency()),
                         money(Currency()),
                         money(bonus)});
}

// --- Other relationships ----------------------------------------------------------

void PersonWriter::writeCollaborator(const Person& person, const PersonPlan& plan)
{
    QVector<Month> months;
    const Currency gross = amountBetween(m_random, 900, 1600);
    for (int month = 1; month <= 6; ++month) {
        Month m;
        m.month = month;
        m.from = QDate(Year, month, 1);
        m.to = m.from.addMonths(1).addDays(-1);
        m.calendarDays = static_cast<int>(m.from.daysTo(m.to)) + 1;
        m.gross = gross;
        m.taxable = gross - DemoPay::percentOf(gross, 1168);
        months.append(m);
    }
    const YearTotals year = yearTotals(months, Currency(), plan, false);
    for (const Month& m : months) {
        const qint64 reg = addRegister(person.positionId, m.month, tno::Cococo, cot::Collaborations,
                                       cos::Collaborators, 30, m.from, m.to);
        addItem(reg, comr::Collaboration, m.gross);
        addWithholding(reg, rice::InpsSeparate, DemoPay::percentOf(m.gross, 1168),
                       DemoPay::percentOf(m.gross, 2335), m.gross, m.gross);
        const Currency grossTax = DemoPay::monthlyShare(year.grossTax, 6, m.month == 6);
        const Currency work = DemoPay::monthlyShare(year.workDeduction, 6, m.month == 6);
        const Currency net = grossTax > work ? grossTax - work : Currency();
        addWithholding(reg, rice::Irpef, net, Currency(), m.taxable, m.taxable, grossTax);
        m_t.monthlyDeductions.row({m_t.monthlyDeductionId++, reg, money(Currency()), money(Currency()),
                                   money(Currency()), money(work), money(Currency())});
    }
    writeAdjustment(person, 6, year);
}

void PersonWriter::writeScholarship(const Person& person, const PersonPlan& plan)
{
    const bool doctoral = plan.kind == PersonKind::DoctoralScholarship;
    const Currency gross = doctoral ? Currency::fromRaw(11955000) : amountBetween(m_random, 800, 1100);
    const int lastMonth = doctoral ? 12 : 10;
    for (int month = 1; month <= lastMonth; ++month) {
        const QDate from(Year, month, 1);
        const qint64 reg = addRegister(person.positionId, month, tno::Scholarship, cot::Collaborations,
                                       cos::Collaborators, 30, from, from.addMonths(1).addDays(-1));
        addItem(reg, comr::Scholarship, gross);
        if (doctoral)
            addWithholding(reg, rice::InpsSeparate, DemoPay::percentOf(gross, 1168),
                           DemoPay::percentOf(gross, 2335), gross, gross);
    }
}

void PersonWriter::writeSelfEmployed(const Person& person, const PersonPlan& plan)
{
    QString reason = QStringLiteral("M");
    int item = comr::Occasional;
    if (plan.kind == PersonKind::Professional || plan.kind == PersonKind::FlatRate) {
        reason = QStringLiteral("A");
        item = comr::Professional;
    } else if (plan.kind == PersonKind::Rights) {
        reason = QStringLiteral("P");
    }
    const int legalPosition = legalPositionOf(plan);
    const int payments = static_cast<int>(m_random.between(1, 3));
    int month = static_cast<int>(m_random.between(1, 4));
    for (int i = 0; i < payments; ++i, month += static_cast<int>(m_random.between(2, 4))) {
        const Currency gross = amountBetween(m_random, 600, 3000);
        const qint64 reg =
            addRegister(person.positionId, month, legalPosition, cot::Collaborations, cos::Collaborators, 0,
                        QDate(Year, month, 15), QDate(Year, month, 15), false, reason);
        addItem(reg, item, gross);
        if (plan.kind == PersonKind::FlatRate)
            continue;
        const Currency tax = DemoPay::percentOf(gross, 2000);
        addWithholding(reg, rice::IrpefSelfEmployed, tax, Currency(), gross, gross, tax);
        if (plan.kind == PersonKind::Occasional) {
            addItem(reg, comr::NotSubject, amountBetween(m_random, 20, 80));
            addItem(reg, comr::Reimbursed, amountBetween(m_random, 30, 150));
        }
        if (plan.kind == PersonKind::Fpls || plan.kind == PersonKind::InpsAndFpls) {
            addWithholding(reg, rice::Fpls, DemoPay::percentOf(gross, 919), DemoPay::percentOf(gross, 2381),
                           gross, gross);
            addWithholding(reg, rice::FplsAdditional, DemoPay::percentOf(gross, 100), Currency(), gross,
                           gross);
        }
        if (plan.kind == PersonKind::InpsAndFpls)
            addWithholding(reg, rice::InpsSeparate, DemoPay::percentOf(gross, 1168),
                           DemoPay::percentOf(gross, 2335), gross, gross);
    }
}

// --- Family, calendar ----------------------------------------------------------------

QString PersonWriter::familyCode(Sex sex, int fromYear, int toYear)
{
    const QDate birth(static_cast<int>(m_random.between(fromYear, toYear)),
                      static_cast<int>(m_random.between(1, 12)), static_cast<int>(m_random.between(1, 28)));
    const Place& place = m_names.municipalities[m_random.between(0, m_names.municipalities.size() - 1)];
    const QString name = m_random.pick(sex == Sex::Female ? m_names.femaleNames : m_names.maleNames);
    return FiscalCode::person(m_random.pick(m_names.surnames), name, birth, sex, place.cadastralCode);
}

void PersonWriter::writeFamily(const Person& person, const PersonPlan& plan)
{
    if (!plan.spouse && plan.children == 0 && plan.otherDependants == 0)
        return;
    const QString spouseCode =
        plan.spouse && !plan.spouseWithoutCode ? familyCode(Sex::Male, 1950, 1959) : QString();
    const QString other1 = plan.otherDependants > 0 ? familyCode(Sex::Female, 1930, 1945) : QString();
    const QString other2 = plan.otherDependants > 1 ? familyCode(Sex::Male, 1930, 1945) : QString();
    const Currency otherPercent = units(plan.otherDependants > 1 ? 50 : 100);
    for (int yearId : {PreviousYearId, FinancialYearId}) {
        const qint64 deductionId = m_t.familyDeductionId++;
        m_t.familyDeductions.row({deductionId, person.personId, yearId, plan.spouse ? 1 : 0, text(spouseCode),
                                  plan.spouse ? 12 : 0, plan.children, plan.otherDependants, text(other1),
                                  plan.otherDependants > 1 ? 1 : 0, text(other2), 0,
                                  plan.otherDependants > 0 ? 12 : 0,
                                  money(plan.otherDependants > 0 ? otherPercent : Currency()), 0});
        if (yearId != FinancialYearId)
            continue;
        for (int order = 1; order <= plan.children; ++order) {
            const Sex sex = m_random.percent(50) ? Sex::Female : Sex::Male;
            const QString code =
                plan.childWithoutCode && order == plan.children ? QString() : familyCode(sex, 1998, 2003);
            const bool disabled = plan.disabledChild && order == 2;
            // The first child of a large family changes percentage in July:
            // two periods of one person.
            const bool splitYear = plan.children > 2 && order == 1;
            const QVector<std::pair<int, int>> periods = splitYear
                                                             ? QVector<std::pair<int, int>>{{1, 6}, {7, 12}}
                                                             : QVector<std::pair<int, int>>{{1, 12}};
            for (const auto& [from, to] : periods) {
                const Currency percent = units(splitYear && from == 7 ? 50 : 100);
                m_t.familyMembers.row({m_t.familyMemberId++, deductionId, text(code),
                                       m_random.pick(m_names.surnames), m_random.pick(m_names.maleNames),
                                       order, from, to, money(percent), disabled ? 1 : 0, 0, 0, 0, 0});
            }
        }
    }
}

void PersonWriter::writeCalendar(const Person& person)
{
    // Working days of February: Monday to Friday.
    for (QDate day(Year, 2, 1); day.month() == 2; day = day.addDays(1)) {
        if (day.dayOfWeek() <= 5)
            m_t.calendar.row({m_t.calendarId++, person.positionId, day});
    }
}

// --- Rows ------------------------------------------------------------------------------

qint64 PersonWriter::addRegister(qint64 positionId, int month, int legalPosition, int costItem, int payKind,
                                 int paidDays, const QDate& from, const QDate& to, bool exported,
                                 const QString& reason, int absences)
{
    const qint64 id = m_t.registerId++;
    m_t.registers.row({id, positionId, FinancialYearId, month, legalPosition, costItem, payKind, 0, paidDays,
                       absences, date(from), date(to), exported ? 1 : 0, text(reason)});
    return id;
}

void PersonWriter::addWithholding(qint64 registerId, int code, Currency employee, Currency employer,
                                  Currency taxableEmployee, Currency taxableEmployer, Currency grossTax,
                                  int percentTaxable)
{
    const Currency percent = units(percentTaxable);
    m_t.withholdings.row({m_t.withholdingId++, registerId, code, QVariant(), QVariant(), money(employee),
                          money(employer), money(taxableEmployee), money(taxableEmployer),
                          money(taxableEmployee.isZero() ? Currency() : percent),
                          money(taxableEmployer.isZero() ? Currency() : percent), money(grossTax)});
}

void PersonWriter::addItem(qint64 registerId, int item, Currency amount)
{
    m_t.items.row({m_t.itemId++, registerId, item, money(amount)});
}

} // namespace cu::demo
