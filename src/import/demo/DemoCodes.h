// The payroll codes that the demo archive writes, as db/archive/base-data.sql
// defines them (legal positions, categories, qualifications, cost items,
// kinds of pay, withholding codes, compensation items). docs/archive.md
// explains each.
#pragma once

#include "foundation/installation/HlmAnno.h"
#include "foundation/installation/WorkingYear.h"

namespace cu::demo::codes {

constexpr int Year = WorkingYear::Income;
constexpr int FinancialYearId = HlmAnnoFinanziario::YearToId(Year);
constexpr int PreviousYearId = FinancialYearId - 1;
constexpr int SiteId = 1;

namespace tno {
constexpr int TeacherPermanent = 1;
constexpr int AtaPermanent = 2;
constexpr int AnnualSubstitute = 3;
constexpr int SubstituteToJune = 4;
constexpr int TemporarySubstitute = 5;
constexpr int OccasionalSelfEmployed = 10;
constexpr int Cococo = 11;
constexpr int Professional = 14;
constexpr int RightsAndEquipment = 15;
constexpr int Scholarship = 17;
} // namespace tno

namespace cal {
constexpr int Teachers = 1;
constexpr int Ata = 2;
constexpr int Collaborators = 3;
constexpr int SelfEmployed = 4;
constexpr int Scholarships = 5;
} // namespace cal

namespace qar {
constexpr int PrimaryTeacher = 1;
constexpr int SecondaryTeacher = 2;
constexpr int Janitor = 3;
constexpr int Clerk = 4;
constexpr int External = 6;
} // namespace qar

namespace cot {
constexpr int PermanentSalaries = 1;
constexpr int Substitutes = 2;
constexpr int Accessory = 3;
constexpr int Collaborations = 4;
} // namespace cot

// Kind of pay of a register (ICOSID).
namespace cos {
constexpr int Basic = 1;
constexpr int Accessory = 2;
constexpr int Collaborators = 3;
} // namespace cos

// Withholding codes (IRICEID).
namespace rice {
constexpr int PublicPension = 1;
constexpr int PublicSeverance = 2;
constexpr int PublicCredit = 3;
constexpr int InpsUnemployment = 4;
constexpr int InpsIvs = 5;
constexpr int InpsSeparate = 6;
constexpr int Irpef = 7;
constexpr int MunicipalBalance = 8;
constexpr int MunicipalAdvance = 9;
constexpr int Regional = 10;
constexpr int IrpefSelfEmployed = 11;
constexpr int IrpefArrears = 12;
constexpr int Fpls = 13;
constexpr int FundEmployee = 14;
constexpr int FundEmployer = 15;
constexpr int FundSeverance = 16;
constexpr int FplsAdditional = 18;
} // namespace rice

// Compensation items (ICOMRID).
namespace comr {
constexpr int Salary = 1001;
constexpr int TeacherAllowance = 1002;
constexpr int Accessory = 1003;
constexpr int Collaboration = 1004;
constexpr int Professional = 1005;
constexpr int Scholarship = 1006;
constexpr int Arrears = 1007;
constexpr int Occasional = 1008;
constexpr int NotSubject = 2001;
constexpr int Reimbursed = 3001;
constexpr int SuspendedIrpef = 10054;
constexpr int SupplementaryTreatment = 10069;
constexpr int SupplementaryTreatmentPrevious = 11069;
constexpr int Group730 = 4;
} // namespace comr

constexpr int TaxDomicile = 2; // ILOCID of the tax domicile address

} // namespace cu::demo::codes
