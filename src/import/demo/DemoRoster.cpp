// The fixed persons of the demo archive and the usual mix of a school.
#include "import/demo/DemoRandom.h"
#include "import/demo/PersonPlan.h"

namespace cu::demo {

namespace {

PersonPlan plan(PersonKind kind)
{
    PersonPlan p;
    p.kind = kind;
    return p;
}

QVector<PersonPlan> buildSpecialPlans()
{
    QVector<PersonPlan> plans;
    auto add = [&plans](PersonKind kind, auto&& tune) {
        PersonPlan p = plan(kind);
        tune(p);
        plans.append(p);
    };
    const auto none = [](PersonPlan&) {};
    add(PersonKind::Teacher, [](PersonPlan& p) {
        p.spouse = true;
        p.children = 2;
        p.items730 = true;
    });
    add(PersonKind::Ata, [](PersonPlan& p) { p.adjustment = false; });
    add(PersonKind::AnnualSubstitute, none);
    add(PersonKind::ShortSubstitute, [](PersonPlan& p) { p.adjustment = false; });
    add(PersonKind::Cococo, none);
    add(PersonKind::Scholarship, none);
    add(PersonKind::DoctoralScholarship, none);
    add(PersonKind::Professional, none);
    add(PersonKind::Occasional, none);
    add(PersonKind::Rights, none);
    add(PersonKind::FlatRate, none);
    add(PersonKind::Fpls, none);
    add(PersonKind::InpsAndFpls, none);
    add(PersonKind::AccessoryOnly, [](PersonPlan& p) {
        p.adjustment = false;
        p.accessoryExported = true;
    });
    add(PersonKind::Teacher, [](PersonPlan& p) {
        p.accessoryPay = true;
        p.accessoryExported = true;
    });
    add(PersonKind::Teacher, [](PersonPlan& p) { p.arrears = true; });
    add(PersonKind::Teacher, [](PersonPlan& p) { p.pensionFund = true; });
    add(PersonKind::Ata, [](PersonPlan& p) { p.suspendedIrpef = true; });
    add(PersonKind::Ata, [](PersonPlan& p) { p.lowIncome = true; });
    add(PersonKind::Teacher, [](PersonPlan& p) {
        p.spouse = true;
        p.spouseWithoutCode = true;
        p.children = 3;
        p.disabledChild = true;
        p.childWithoutCode = true;
        p.otherDependants = 2;
    });
    add(PersonKind::AnnualSubstitute, [](PersonPlan& p) { p.twoLegalPositions = true; });
    add(PersonKind::Teacher, [](PersonPlan& p) { p.noFiscalCode = true; });
    add(PersonKind::AccessoryOnly, [](PersonPlan& p) { p.adjustment = false; });
    add(PersonKind::Teacher, [](PersonPlan& p) { p.absences = true; });
    add(PersonKind::NewSubstitute, [](PersonPlan& p) { p.bornAbroad = true; });
    add(PersonKind::Teacher, [](PersonPlan& p) {
        p.accessoryPay = true;
        p.otherDependants = 1;
    });
    return plans;
}

PersonKind randomKind(DemoRandom& random)
{
    const auto draw = random.between(1, 100);
    if (draw <= 52)
        return PersonKind::Teacher;
    if (draw <= 67)
        return PersonKind::Ata;
    if (draw <= 77)
        return PersonKind::AnnualSubstitute;
    if (draw <= 84)
        return PersonKind::NewSubstitute;
    if (draw <= 87)
        return PersonKind::ShortSubstitute;
    if (draw <= 90)
        return PersonKind::Cococo;
    if (draw <= 92)
        return PersonKind::Scholarship;
    if (draw <= 96)
        return PersonKind::Occasional;
    if (draw <= 98)
        return PersonKind::Professional;
    return PersonKind::AccessoryOnly;
}

bool isEmployee(PersonKind kind)
{
    switch (kind) {
    case PersonKind::Teacher:
    case PersonKind::Ata:
    case PersonKind::AnnualSubstitute:
    case PersonKind::NewSubstitute:
    case PersonKind::ShortSubstitute:
        return true;
    default:
        return false;
    }
}

} // namespace

const QVector<PersonPlan>& DemoRoster::specialPlans()
{
    static const QVector<PersonPlan> plans = buildSpecialPlans();
    return plans;
}

PersonPlan DemoRoster::randomPlan(DemoRandom& random)
{
    PersonPlan p = plan(randomKind(random));
    if (!isEmployee(p.kind))
        return p;
    p.adjustment = random.percent(85);
    p.spouse = random.percent(25);
    p.children = random.percent(20) ? static_cast<int>(random.between(1, 2)) : 0;
    p.pensionFund = random.percent(10);
    p.items730 = random.percent(15);
    p.accessoryPay = random.percent(30);
    p.absences = random.percent(5);
    return p;
}

} // namespace cu::demo
