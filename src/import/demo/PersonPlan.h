// What the demo archive writes for one person: the kind of relationship and
// the features that exercise the import's branches. The first plans of an
// archive are fixed (each one listed in docs/demo.md); the others are drawn
// from a realistic mix.
#pragma once

#include <QVector>

namespace cu::demo {

class DemoRandom;

enum class PersonKind
{
    Teacher,             // permanent teacher, basic pay all year
    Ata,                 // permanent administrative or auxiliary staff
    AnnualSubstitute,    // fixed term, relationship from 1/9/2023 to 30/6/2024
    NewSubstitute,       // fixed term, relationship from September 2024
    ShortSubstitute,     // fixed term with an interruption
    Cococo,              // coordinated collaboration
    Scholarship,         // scholarship holder
    DoctoralScholarship, // doctoral scholarship holder
    Professional,        // self-employed, reason "A"
    Occasional,          // self-employed, reason "M"
    Rights,              // self-employed, reason "P"
    FlatRate,            // self-employed, reason "A", flat-rate (no withholding)
    Fpls,                // self-employed, reason "M", subject to FPLS
    InpsAndFpls,         // self-employed with INPS and FPLS contributions
    AccessoryOnly,       // permanent staff paid only accessory compensation here
};

struct PersonPlan
{
    PersonKind kind = PersonKind::Teacher;
    bool adjustment = true; // a year-end adjustment record in the last month
    bool spouse = false;
    bool spouseWithoutCode = false;
    int children = 0;              // children with deductions (aged 21 or more)
    bool disabledChild = false;    // the first further child is disabled
    bool childWithoutCode = false; // the last child has no fiscal code
    int otherDependants = 0;       // 0..2, the first one disabled when 2
    bool arrears = false;          // arrears taxed separately (code 12)
    bool pensionFund = false;      // supplementary pension with adhesion after 2007
    bool items730 = false;         // refunds and withholdings of the 730 assistance
    bool suspendedIrpef = false;   // IRPEF suspended in the last quarter
    bool lowIncome = false;        // part time: supplementary treatment items
    bool twoLegalPositions = false;
    bool noFiscalCode = false;
    bool accessoryPay = false;      // one accessory register in June
    bool accessoryExported = false; // accessory registers sent to NoiPA
    bool absences = false;          // absence days and a calendar for February
    bool bornAbroad = false;
};

class DemoRoster
{
public:
    // The fixed plans that the archive starts with, in order.
    static const QVector<PersonPlan>& specialPlans();
    // A plan drawn from the usual mix of a school.
    static PersonPlan randomPlan(DemoRandom& random);
};

} // namespace cu::demo
