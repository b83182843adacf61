// The smaller writers of a certificate: pension-fund contributions, pay
// periods, annotations and their checks, the legal-position lists; the
// calculations (rounding, percentages, floored differences, the days for
// deductions) and the layout of the import log.
#include "ImportTestSupport.h"
#include "foundation/operator/Errors.h"
#include "certificates/NoteTable.h"
#include "import/archive/PeriodiPaga.h"
#include "import/builders/Annotazioni.h"
#include "import/builders/Calcoli.h"
#include "import/builders/CudFields.h"
#include "import/builders/FondoPensione.h"
#include "import/run/Info.h"
#include "import/run/PosizioniGiuridicheScelta.h"

#include <QTest>

using namespace cu;
using namespace cu::test;

namespace {

const QStringList FpcCols = {
    "IREGSID", "IMESID", "IRICEID", "FVARRRITDIP", "FVARRRITAMM", "FVARRIMPONIBILEDIP", "FVARRIMPONIBILEAMM"};

NoteTable notes()
{
    return NoteTable({{"AI", "Periodi:"},
                      {"AL", "Addizionali."},
                      {"AC", "Familiari."},
                      {"CC", "Contributi."},
                      {"AN", "Minima."}});
}

// Pension-fund rows of a position: kind k's position is 200 + k.
void fondo(Person& p, const QHash<qint64, ArchiveRows>& byPosition, const QString& adesione)
{
    p.archive.on("QRY_CUD_FPC", [byPosition](const ArchiveRequest& r) {
        return byPosition.value(r.params.value("IACOMID").toLongLong());
    });
    p.archive.on("QRY_ABL_ACOM_AP", [](const ArchiveRequest& r) {
        return rows({"IACOMID"}, {{200 + (55 - r.params.value("IANFID").toInt())}});
    });
    p.archive.on("QRY_ANAFPC", rows({"DAFPADESIONE"}, {{QDate::fromString(adesione, Qt::ISODate)}}));
}

} // namespace

class TestScrittori : public QObject
{
    Q_OBJECT
private slots:
    void pensionFundAdheredAfterReform()
    {
        Person p;
        fondo(p,
              {{100, rows(FpcCols, {{1, 1, 14, "100", "50.50", "1000", "1234.57"},
                                    {2, 2, 15, "20", "0", "800", "0"}})},
               {201, rows(FpcCols, {{9, 1, 14, "10", "5", "0", "0"}})},
               {204, rows(FpcCols, {{9, 1, 14, "1", "0", "0", "0"}})}},
              "2010-03-01");
        FondoPensione::Scrivi(p.ctx);
        QCOMPARE(p.cud->asDate(u"DCUDDTISCFONDO"), QDate(2010, 3, 1));
        QCOMPARE(p.amount("FCUDCONTRESCLUSI"), money("170.50"));
        QCOMPARE(p.amount("FCUDPRSOCVERSANN"), money("170.50"));
        // 6.91 % of the largest base 1234.57 = 85.308787 -> 85.31
        QCOMPARE(p.amount("FCUDPRECOMTFRFONDO"), money("85.31"));
        // Kinds 1 to 4 added: 15 + 0 + 0 + 1.
        QCOMPARE(p.amount("FCUDCONTRIBPREVCOMP"), money("186.50"));
        const QVector<ArchiveRequest> fpc = p.archive.requests("QRY_CUD_FPC");
        QCOMPARE(fpc.size(), 5);
        QCOMPARE(fpc.first().formatArgs, QStringList({"14,15,16", " AND REGS.ITNOID IN (1)"}));
        QVector<int> years;
        for (const ArchiveRequest& r : p.archive.requests("QRY_ABL_ACOM_AP"))
            years.append(r.params.value("IANFID").toInt());
        QCOMPARE(years, QVector<int>({54, 53, 52, 51}));
    }

    void pensionFundAdheredBeforeReform()
    {
        Person p;
        fondo(p, {{100, rows(FpcCols, {{1, 1, 14, "100", "0", "1000", "0"}})}}, "2006-12-31");
        FondoPensione::Scrivi(p.ctx);
        QVERIFY(!p.cud->asDate(u"DCUDDTISCFONDO").isValid());
        QCOMPARE(p.amount("FCUDCONTRESCLUSI"), money("100"));
        QVERIFY(p.amount("FCUDCONTRIBPREVCOMP").isZero());
        QVERIFY(p.amount("FCUDPRECOMTFRFONDO").isZero());
        QVERIFY(p.archive.requests("QRY_ABL_ACOM_AP").isEmpty());
    }

    void pensionFundNothingWithoutFiscalList()
    {
        Person p;
        p.ctx.tno.fiscale.clear();
        fondo(p, {{100, rows(FpcCols, {{1, 1, 14, "100", "0", "1000", "0"}})}}, "2010-01-01");
        FondoPensione::Scrivi(p.ctx);
        QVERIFY(p.archive.requests().isEmpty());
    }

    void payPeriodsMergeAndInterruption()
    {
        const QStringList cols = {"IREGSID", "IMESID", "DREGSDAL", "DREGSAL", "IMPONIBILE_IRPEF"};
        const ArchiveRows regs = rows(cols, {{3, 3, QDate(2024, 3, 1), QDate(2024, 3, 31), "1000"},
                                             {1, 1, QDate(2024, 1, 1), QDate(2024, 1, 31), "1000.50"},
                                             {2, 2, QDate(2024, 2, 1), QDate(2024, 2, 29), "999.50"},
                                             {4, 4, QVariant(), QDate(2024, 4, 30), "77"},
                                             {5, 6, QDate(2024, 6, 1), QDate(2024, 6, 30), "1234.56"}});
        const PeriodiPaga periods = PeriodiPaga::fromRows(regs);
        QVERIFY(periods.interruption);
        QCOMPARE(periods.periods.size(), 2);
        QCOMPARE(periods.text(), QString("dal:01/01/2024 al: 31/03/2024 per un importo di 3.000,00; "
                                         "dal:01/06/2024 al: 30/06/2024 per un importo di 1.234,56\r\n"));
        const PeriodiPaga single =
            PeriodiPaga::fromRows(rows(cols, {{1, 1, QDate(2024, 1, 1), QDate(2024, 1, 31), "1"}}));
        QVERIFY(!single.interruption);
        QVERIFY(PeriodiPaga::fromRows(rows(cols, {})).text().isEmpty());
    }

    void annotationsOfAnUnadjustedPartYear()
    {
        Person p;
        p.cud->setValue(u"LCUDCONGUAGLIO", "0");
        p.cud->setValue(u"LCUDCOMPRENSIVO", "X");
        p.cud->setValue(u"ICUDPERIODOLAV", 90);
        setAmount(*p.cud, u"FCUDREDDDETR", money("5000"));
        setAmount(*p.cud, u"FCUDDEDNOTAXFAM", money("100"));
        setAmount(*p.cud, u"FCUDCONTRESCLUSI", money("50"));
        p.ctx.pos.inizioRapporto = QDate(2024, 1, 1);
        p.ctx.pos.fineRapporto = QDate(2024, 3, 31);
        p.archive.on("QRY_CUD_PERIODI", rows({"DREGSDAL", "DREGSAL", "IMPONIBILE_IRPEF"},
                                             {{QDate(2024, 1, 1), QDate(2024, 3, 31), "5000"}}));
        Annotazioni::Scrivi(p.ctx, notes());
        QCOMPARE(p.cud->state(), Dataset::State::Browse);
        QCOMPARE(p.text("SCUDANNOTAZIONI"),
                 QString("ZZ) Conguaglio non effettuato\r\n"
                         "ZZ) Il presente annulla e sostituisce eventuali CUD precedenti\r\n"
                         "AI) dal:01/01/2024 al: 31/03/2024 per un importo di 5.000,00\r\n"
                         "AC) Familiari.\r\nCC) Contributi.\r\n"));
        QCOMPARE(p.text("SCUDPTRCOD1"), QString("1"));
        QCOMPARE(p.amount("FCUDPTRIMP1"), money("5000"));
        QCOMPARE(p.cud->asDate(u"DCUDDATINIRL"), QDate(2024, 1, 1));
        QCOMPARE(p.cud->asDate(u"DCUDDATFINRL"), QDate(2024, 3, 31));
        // 91 calendar days against 90 declared.
        QCOMPARE(p.log.lines().last(),
                 QString("- Giorni per detrazioni non congruenti con i giorni di lavoro "
                         "calcolati (91):\r\n  (verificare campi 6,8 e 9 dei Dati fiscali)"));
    }

    void annotationsOfAnAdjustedLeaver()
    {
        Person p;
        p.cud->setValue(u"LCUDCONGUAGLIO", "X");
        p.cud->setValue(u"ICUDPERIODOLAV", 400);
        setAmount(*p.cud, u"FCUDREDDETTRDET", money("9000"));
        setAmount(*p.cud, u"FCUDADDREGIRPEF", money("10"));
        p.ctx.pos.inizioRapporto = QDate(2020, 9, 1);
        p.ctx.pos.fineRapporto = QDate(2024, 6, 30);
        p.archive.on("QRY_CUD_PERIODI", rows({"DREGSDAL", "DREGSAL", "IMPONIBILE_IRPEF"},
                                             {{QDate(2024, 1, 1), QDate(2024, 2, 29), "3000"},
                                              {QDate(2024, 4, 1), QDate(2024, 6, 30), "6000"}}));
        Annotazioni::Scrivi(p.ctx, notes());
        QCOMPARE(p.text("SCUDANNOTAZIONI"), QString("ZZ) Data fine: 30/06/2024\r\n"));
        QCOMPARE(p.text("ICUDPERPART"), QString("1"));
        QCOMPARE(p.cud->asInteger(u"ICUDPERIODOLAV"), 365);
        QCOMPARE(p.text("LCUDINFORZA3112"), QString("0"));
    }

    void annotationsOfAFullYearWithoutIncomeDays()
    {
        Person p;
        p.cud->setValue(u"LCUDCONGUAGLIO", "X");
        setAmount(*p.cud, u"FCUDREDDDETR", money("800"));
        p.ctx.pos.inizioRapporto = QDate(2015, 9, 1);
        Annotazioni::Scrivi(p.ctx, notes());
        QCOMPARE(p.text("ICUDPERPART"), QString("4"));
        QCOMPARE(p.text("LCUDINFORZA3112"), QString("X"));
        QVERIFY(p.text("SCUDANNOTAZIONI").isEmpty());
        QVERIFY(p.log.isEmpty());
    }

    void daysCheckForMultiYearCollaboration()
    {
        Person p;
        p.ctx.tno.cococo = "11";
        p.cud->setValue(u"ICUDPERIODOLAV", 500);
        Annotazioni::controllaGiorni(p.ctx);
        QCOMPARE(
            p.log.lines().last(),
            QString("- Periodo di lavoro per co.co.co. su più anni. Giorni per detrazioni impostate "
                    "automaticamente.\r\n  Su dati retributivi inserito: 500, calcolato sul periodo lavorato "
                    "nell'anno: 365."));
    }

    void daysCheckAccessoryPayOnly()
    {
        Person p;
        setAmount(*p.cud, u"FCUDREDDETTRDET", money("300"));
        Annotazioni::controllaGiorni(p.ctx);
        QCOMPARE(p.text("ICUDPERPART"), QString("4"));
        QCOMPARE(p.log.lines().size(), 3);
        QVERIFY(p.log.lines().last().startsWith("- Non sono presenti giorni per detrazioni"));
    }

    void minimumDeduction_data()
    {
        QTest::addColumn<int>("itno");
        QTest::addColumn<QString>("deduction");
        QTest::addColumn<bool>("noted");
        // clang-format off
        QTest::newRow("permanent at minimum") << 1 << "690" << true;
        QTest::newRow("permanent above") << 1 << "690.01" << false;
        QTest::newRow("fixed term at its minimum") << 3 << "1380" << true;
        QTest::newRow("fixed term above") << 3 << "1380.01" << false;
        // clang-format on
    }
    void minimumDeduction()
    {
        QFETCH(int, itno);
        QFETCH(QString, deduction);
        QFETCH(bool, noted);
        Person p;
        p.ctx.pos.itnoId = itno;
        setAmount(*p.cud, u"FCUDDETRDIPPENSREDD", *Currency::parse(deduction));
        setAmount(*p.cud, u"FCUDIMPLORDA", money("2000"));
        p.archive.on("QRY_TDLA", rows({"FTDLAMININD", "FTDLAMINDET"}, {{"690", "1380"}}));
        Annotazioni::controllaDetrazioneMinima(p.ctx, notes());
        QCOMPARE(p.text("SCUDANNOTAZIONI"), noted ? QString("AN) Minima.\r\n") : QString());
    }

    void unknownAnnotationCodeStopsThePerson()
    {
        Person p;
        setAmount(*p.cud, u"FCUDDETRDIPPENSREDD", money("1"));
        setAmount(*p.cud, u"FCUDIMPLORDA", money("2000"));
        p.archive.on("QRY_TDLA", rows({"FTDLAMININD", "FTDLAMINDET"}, {{"690", "1380"}}));
        try {
            Annotazioni::controllaDetrazioneMinima(p.ctx, NoteTable());
            QFAIL("an unknown code must raise");
        } catch (const EAssertion& e) {
            QVERIFY(e.message().startsWith("Codice annotazione non gestito :AN"));
        }
    }

    void legalPositionLists_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("positionTno");
        QTest::addColumn<QVector<int>>("registerTnos");
        QTest::addColumn<bool>("cococoTick");
        QTest::addColumn<QString>("fiscal");
        QTest::addColumn<QString>("inps");
        QTest::addColumn<QString>("cococo");
        QTest::addColumn<bool>("asked");
        // clang-format off
        QTest::newRow("only self-employed") << 7 << 1 << QVector<int>{1} << false << "" << "" << "" << false;
        QTest::newRow("one position, all categories") << 0 << 1 << QVector<int>{1} << false << "1,3" << "1,3,11" << "" << false;
        QTest::newRow("one position, a category") << 4 << 3 << QVector<int>{3} << false << "3" << "3" << "" << false;
        QTest::newRow("collaboration") << 4 << 11 << QVector<int>{11} << false << "" << "" << "11" << false;
        QTest::newRow("two positions ask") << 0 << 1 << QVector<int>{1, 3} << false << "1,3" << "1" << "" << true;
        QTest::newRow("tick makes collaborations") << 0 << 1 << QVector<int>{1} << true << "1" << "1" << "11" << true;
        // clang-format on
    }
    void legalPositionLists()
    {
        QFETCH(int, category);
        QFETCH(int, positionTno);
        QFETCH(QVector<int>, registerTnos);
        QFETCH(bool, cococoTick);
        QFETCH(QString, fiscal);
        QFETCH(QString, inps);
        QFETCH(QString, cococo);
        QFETCH(bool, asked);
        Person p;
        p.params.icalId = category;
        p.params.cococo = cococoTick;
        p.ctx.pos.itnoId = positionTno;
        ArchiveRows regs(
            {"ITNOID", "ITNOZEFIRCODE", "STNOLDESC", "LPER_INPS", "LPER_ALTRI_DATI", "LTNOCOCOCO"});
        for (int tno : registerTnos)
            regs.append({tno, tno, "x", tno == 1 ? 1 : 0, 1, tno == 1 ? 1 : 0});
        p.archive.on("QRY_CUD_TNO", regs);
        struct Recorder : SceltaPosizioniGiuridiche
        {
            bool called = false;
            bool scegli(const QString&, QVector<PosizioneGiuridicaRiga>&, bool&) override
            {
                called = true;
                return true;
            }
        } choice;
        QVERIFY(PosizioniGiuridicheScelta::determina(p.ctx, choice, "1,3", "1,3,11"));
        QCOMPARE(p.ctx.tno.fiscale, fiscal);
        QCOMPARE(p.ctx.tno.inps, inps);
        QCOMPARE(p.ctx.tno.cococo, cococo);
        QCOMPARE(choice.called, asked);
    }

    void roundCurrRefusesImpossibleDecimals()
    {
        QVERIFY_THROWS_EXCEPTION(EAssertion, Calcoli::RoundCurr(money("1.5"), 5));
    }

    void percentages_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("exact");
        QTest::addColumn<QString>("toCents");
        // clang-format off
        QTest::newRow("municipal advance") << "100.05" << "30" << "30.015" << "30.02";
        QTest::newRow("hundred keeps four decimals") << "12.3456" << "100" << "12.3456" << "12.35";
        QTest::newRow("pension fund share") << "1000" << "6.91" << "69.10" << "69.10";
        QTest::newRow("share of an odd base") << "1234.57" << "6.91" << "85.3088" << "85.31";
        QTest::newRow("negative amount") << "-100.05" << "30" << "-30.015" << "-30.02";
        QTest::newRow("zero percent") << "500" << "0" << "0" << "0";
        // clang-format on
    }
    void percentages()
    {
        QFETCH(QString, amount);
        QFETCH(QString, percent);
        QFETCH(QString, exact);
        QFETCH(QString, toCents);
        const Currency a = *Currency::parse(amount);
        const Currency p = *Currency::parse(percent);
        QCOMPARE(Calcoli::Percentuale(a, p), *Currency::parse(exact));
        QCOMPARE(Calcoli::PercentualeArrotondata(2, a, p), *Currency::parse(toCents));
    }

    void differenzaNonNegativa()
    {
        QCOMPARE(Calcoli::DifferenzaNonNegativa(money("100"), money("150")), Currency());
        QCOMPARE(Calcoli::DifferenzaNonNegativa(money("150"), money("100")), money("50"));
        QCOMPARE(Calcoli::DifferenzaNonNegativa(money("0.0001"), money("0.0002")), Currency());
        QCOMPARE(Calcoli::DifferenzaNonNegativa(money("10"), money("10")), Currency());
    }

    void giorni_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QVector<int>>("paid");    // month, days, month, days, ...
        QTest::addColumn<int>("calendarFebruary"); // -1 = no calendar
        QTest::addColumn<int>("absences");
        QTest::addColumn<int>("expected");
        QTest::newRow("leap February paid full") << 2024 << QVector<int>{2, 30} << -1 << 0 << 29;
        QTest::newRow("February paid full") << 2023 << QVector<int>{2, 30} << -1 << 0 << 28;
        QTest::newRow("February from the calendar") << 2024 << QVector<int>{2, 30} << 20 << 0 << 20;
        QTest::newRow("February partly paid") << 2024 << QVector<int>{2, 12} << -1 << 0 << 12;
        QTest::newRow("January paid full") << 2024 << QVector<int>{1, 30} << -1 << 0 << 31;
        QTest::newRow("April paid full") << 2024 << QVector<int>{4, 30} << -1 << 0 << 30;
        QTest::newRow("absences taken away") << 2024 << QVector<int>{3, 30, 4, 30} << -1 << 10 << 51;
        QTest::newRow("absences beyond the days") << 2024 << QVector<int>{4, 10} << -1 << 30 << 0;
        QTest::newRow("no days, absences ignored") << 2024 << QVector<int>{} << -1 << 5 << 0;
        QVector<int> fullYear;
        for (int m = 1; m <= 12; ++m)
            fullYear << m << 30;
        QTest::newRow("full year") << 2023 << fullYear << -1 << 0 << 365;
        QTest::newRow("full leap year capped") << 2024 << fullYear << -1 << 0 << 365;
        QTest::newRow("arrears months capped")
            << 2023 << (QVector<int>(fullYear) << 13 << 30 << 14 << 30) << -1 << 0 << 365;
    }
    void giorni()
    {
        QFETCH(int, year);
        QFETCH(QVector<int>, paid);
        QFETCH(int, calendarFebruary);
        QFETCH(int, absences);
        QFETCH(int, expected);
        QVector<MesePagato> months;
        for (int i = 0; i + 1 < paid.size(); i += 2)
            months.append({paid[i], paid[i + 1]});
        QVector<int> asked;
        const Calcoli::CalendarioMese calendar = [&](int month) -> std::optional<int> {
            asked.append(month);
            if (month == 2 && calendarFebruary >= 0)
                return calendarFebruary;
            return std::nullopt;
        };
        QCOMPARE(Calcoli::giorniDetrazioni(months, year, calendar, absences), expected);
        // The calendar is asked only for full months that have not 30 days.
        for (int month : asked)
            QVERIFY(Calcoli::giorniDelMese(year, month) != 30);
    }
    void twoRemarksOfOnePersonAndSection()
    {
        Info log;
        log.add("ROSSI", "MARIO", "primo", Info::Fiscale);
        log.add("ROSSI", "MARIO", "secondo", Info::Fiscale);
        QCOMPARE(log.lines(),
                 QStringList({"Dipendente ROSSI MARIO", "--- Sezione fiscale", "- primo", "- secondo"}));
    }

    void newSectionOfSamePersonStartsWithEmptyLine()
    {
        Info log;
        log.add("ROSSI", "MARIO", "a", Info::Fiscale);
        log.add("ROSSI", "MARIO", "b", Info::Autonomo);
        QCOMPARE(log.lines(), QStringList({"Dipendente ROSSI MARIO", "--- Sezione fiscale", "- a", "",
                                           "--- Dati autonomo", "- b"}));
    }

    void sectionTitleWrittenOnceForTheWholeLog()
    {
        Info log;
        log.add("ROSSI", "MARIO", "a", Info::Familiari);
        log.add("BIANCHI", "ANNA", "b", Info::Familiari);
        log.add("BIANCHI", "ANNA", "c", Info::InpsPubblica);
        QCOMPARE(log.lines(),
                 QStringList({"Dipendente ROSSI MARIO", "--- Sezione familiari a carico per detrazioni",
                              "- a", "", "Dipendente BIANCHI ANNA", "- b", "",
                              "--- INPS Sezione 2 - Gestione Pubblica", "- c"}));
    }

    void clearForgetsPersonAndSections()
    {
        Info log;
        log.add("ROSSI", "MARIO", "a", Info::Fiscale);
        log.clear();
        QVERIFY(log.isEmpty());
        log.add("ROSSI", "MARIO", "b", Info::Fiscale);
        QCOMPARE(log.lines(), QStringList({"Dipendente ROSSI MARIO", "--- Sezione fiscale", "- b"}));
        QCOMPARE(log.text(), QString("Dipendente ROSSI MARIO\r\n--- Sezione fiscale\r\n- b"));
    }
};

QTEST_GUILESS_MAIN(TestScrittori)
#include "test_scrittori.moc"
