// The standard and adjusted builders and the fiscal section writer, on rows
// given by the test: NoiPA rule, deductions and their cap, the municipal
// surtax options, points 1 and 2, arrears, the 730 sums and the installed
// 730 items' columns.
#include "ImportTestSupport.h"
#include "foundation/operator/Errors.h"
#include "import/builders/CudCong.h"
#include "import/builders/SezioneFiscale.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using namespace cu::test;

namespace {

const QStringList RegCols = {"IREGSID", "EXP_CSFA", "TOTALE", "LORDO"};

// QRY_CUD_RIT / QRY_CUD_REDD answering by the code list of the first "%s".
FakeArchive::Handler byCodes(QHash<QString, ArchiveRows> answers)
{
    return [answers](const ArchiveRequest& r) { return answers.value(r.formatArgs.value(0)); };
}

ArchiveRows one(const QVector<QVariant>& values)
{
    return rows(RegCols, {values});
}

ArchiveRows congRow(const QVariantMap& values)
{
    ArchiveRows r({"FCONGRITLORDA",    "FCONGRITNETTA",    "FCONGIMPONIBILE_T", "FCONGIMPONIBILE_P",
                   "FCONGGIORNI",      "FCONGADDCOM_DOV",  "FCONGADDREG_DOV",   "FCONGIMPCONCAR",
                   "FCONGIMPFIGLICAR", "FCONGIMPALTRICAR", "FCONGIMPLAVDIP",    "FCONGIMPLAVAGG",
                   "FCONGDETRAZIONI",  "FCONGDETFAMNUM",   "FCONGCREFAMNUM",    "FCONGCNRFAMNUM",
                   "FCONGDETCANONE",   "FCONGCRECANONE",   "FCONGCNRCANONE",    "FCONGBONUS66_DOV"});
    r.appendNamed(values);
    return r;
}

ArchiveRows noCong(const char* concar, const char* lavdip, const char* lavagg)
{
    return rows(
        {"FADETIMPCONCAR", "FADETIMPFIGLICAR", "FADETIMPALTRICAR", "FADETIMPLAVDIP", "FADETIMPLAVAGG"},
        {{concar, "0", "0", lavdip, lavagg}});
}

// A standard person: taxable 20000, net IRPEF 3000 (gross 4500), municipal
// surtax 150, regional 300, arrears 1000 with 230 withheld.
void standardRegisters(Person& p)
{
    p.archive.on("QRY_CUD_REDD",
                 byCodes({{"7,11", one({1, 0, "20000", "0"})}, {"12", one({2, 0, "1000", "0"})}}));
    p.archive.on("QRY_CUD_RIT", byCodes({{"7,11", one({1, 0, "3000", "4500"})},
                                         {"12", one({2, 0, "230", "0"})},
                                         {"8", one({1, 0, "150", "0"})},
                                         {"10", one({1, 0, "300", "0"})}}));
}

// Runs a builder and the fiscal section writer on the person.
template <typename Builder> void write(Person& p)
{
    Builder builder;
    builder.Inizializza(p.ctx);
    SezioneFiscale::Scrivi(builder, p.ctx);
}

} // namespace

class TestBuilders : public QObject
{
    Q_OBJECT
private slots:
    void standardWithoutOptionLeavesDeductionsAtZero()
    {
        Person p;
        standardRegisters(p);
        p.archive.on("QRY_CUD_NO_CONG", noCong("500", "1800", "0"));
        write<CudStd>(p);
        for (const char* column :
             {"FCUDIMPLORDA", "FCUDDEDNOTAXFAM", "FCUDDETRDIPPENSREDD", "FCUDTOTDETR", "FCUDDETRIMPNETTA"})
            QVERIFY2(p.amount(column).isZero(), column);
        QCOMPARE(p.amount("FCUDRITIRPEF"), money("3000"));
        QCOMPARE(p.amount("FCUDREDDDETR"), money("20000"));
        QCOMPARE(p.amount("FCUDADDCOMSALDO"), money("150"));
        QCOMPARE(p.amount("FCUDADDREGIRPEF"), money("300"));
        // Without the option no deduction statement is read at all.
        QVERIFY(p.archive.requests("QRY_CUD_NO_CONG").isEmpty());
    }

    void standardWithOptionTakesDeductionsAndGrossTax()
    {
        Person p;
        p.params.ancheSenzaConguaglio = true;
        standardRegisters(p);
        p.archive.on("QRY_CUD_NO_CONG", noCong("500", "1800", "0"));
        CudStd builder;
        builder.AncheSenzaConguaglio = true;
        builder.Inizializza(p.ctx);
        SezioneFiscale::Scrivi(builder, p.ctx);
        QCOMPARE(p.amount("FCUDIMPLORDA"), money("4500"));
        QCOMPARE(p.amount("FCUDDEDNOTAXFAM"), money("500"));
        // min(2300, 4500 - 3000) = 1500, below the gross tax: spread in order.
        QCOMPARE(p.amount("FCUDTOTDETR"), money("1500"));
        QCOMPARE(p.amount("FCUDDETRDIPPENSREDD"), money("1000"));
        QCOMPARE(p.amount("FCUDDETRIMPNETTA"), money("3000"));
    }

    // The deductions of the adjustment record against the gross tax: the
    // further deduction larger than the deduction, the cap of the gross tax
    // less the IRPEF spread over the columns in order, a cap that leaves the
    // columns as they are.
    void adjustedDeductions_data()
    {
        QTest::addColumn<QVariantMap>("record");
        QTest::addColumn<QVariantMap>("expected");
        // clang-format off
        QTest::newRow("further deduction larger") << QVariantMap{{"FCONGIMPLAVDIP", "300"}, {"FCONGIMPLAVAGG", "450.50"}, {"FCONGRITLORDA", "5000"}, {"FCONGDETRAZIONI", "300"}}
            << QVariantMap{{"FCUDDETRDIPPENSREDD", "0"}, {"FCUDDETRULTDETR", "450.50"}};
        QTest::newRow("cap spread in order") << QVariantMap{{"FCONGRITLORDA", "800"}, {"FCONGRITNETTA", "300"}, {"FCONGIMPCONCAR", "300"}, {"FCONGIMPLAVDIP", "400"}, {"FCONGDETFAMNUM", "150"}, {"FCONGDETCANONE", "150"}, {"FCONGDETRAZIONI", "1000"}}
            << QVariantMap{{"FCUDTOTDETR", "500"}, {"FCUDDEDNOTAXFAM", "300"}, {"FCUDDETRFAMNUM", "150"}, {"FCUDDETRDIPPENSREDD", "50"}, {"FCUDDETRONERI", "0"}, {"FCUDDETRCANLOC", "0"}};
        QTest::newRow("cap reaching the gross tax") << QVariantMap{{"FCONGRITLORDA", "800"}, {"FCONGRITNETTA", "0"}, {"FCONGIMPCONCAR", "900"}, {"FCONGIMPLAVDIP", "700"}, {"FCONGDETRAZIONI", "1600"}}
            << QVariantMap{{"FCUDTOTDETR", "800"}, {"FCUDDEDNOTAXFAM", "900"}, {"FCUDDETRDIPPENSREDD", "700"}};
        // clang-format on
    }
    void adjustedDeductions()
    {
        QFETCH(QVariantMap, record);
        QFETCH(QVariantMap, expected);
        Person p;
        p.archive.on("QRY_CUD_CONG", congRow(record));
        write<CudCong>(p);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(p.cud->asCurrency(it.key()), *Currency::parse(it.value().toString()));
    }

    void municipalSurtaxOptions_data()
    {
        QTest::addColumn<bool>("adjusted");
        QTest::addColumn<bool>("advanceOption");
        QTest::addColumn<QString>("point26");
        QTest::addColumn<QString>("point27");
        // clang-format off
        QTest::newRow("standard, balance") << false << false << "40" << "150";
        QTest::newRow("standard, advance") << false << true << "190" << "0";
        QTest::newRow("adjusted, advance ignored") << true << true << "0" << "150";
        // clang-format on
    }
    void municipalSurtaxOptions()
    {
        QFETCH(bool, adjusted);
        QFETCH(bool, advanceOption);
        QFETCH(QString, point26);
        QFETCH(QString, point27);
        Person p;
        p.params.accontoAddComAnno = advanceOption;
        standardRegisters(p);
        p.archive.on("QRY_CUD_RITV", rows({"TOTALE"}, {{"40"}}));
        p.archive.on("QRY_CUD_CONG", congRow({{"FCONGADDCOM_DOV", "150"}}));
        std::unique_ptr<CudStd> builder = adjusted ? std::make_unique<CudCong>() : std::make_unique<CudStd>();
        builder->Inizializza(p.ctx);
        SezioneFiscale::Scrivi(*builder, p.ctx);
        QCOMPARE(p.amount("FCUDADDCOMIRPEF"), *Currency::parse(point26));
        QCOMPARE(p.amount("FCUDADDCOMSALDO"), *Currency::parse(point27));
    }

    void nextYearAdvanceRoundedToTheCent()
    {
        Person p;
        p.params.accontoAddCom = true;
        p.archive.on("QRY_CUD_CONG", congRow({{"FCONGADDCOM_DOV", "100.05"}}));
        write<CudCong>(p);
        QCOMPARE(p.amount("FCUDADDCOMIRPEFAC"), money("30.02"));
    }

    void pointOneOrTwoByLegalPosition_data()
    {
        QTest::addColumn<int>("itno");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("code");
        // clang-format off
        QTest::newRow("permanent 1") << 1 << "FCUDREDDDETR" << "1";
        QTest::newRow("permanent 2") << 2 << "FCUDREDDDETR" << "1";
        QTest::newRow("fixed term") << 3 << "FCUDREDDETTRDET" << "2";
        // clang-format on
    }
    void pointOneOrTwoByLegalPosition()
    {
        QFETCH(int, itno);
        QFETCH(QString, column);
        QFETCH(QString, code);
        Person p;
        p.ctx.pos.itnoId = itno;
        standardRegisters(p);
        write<CudStd>(p);
        QCOMPARE(p.cud->asCurrency(column), money("20000"));
        QCOMPARE(p.text("SCUDDETINDET"), code);
        const QString other = column == "FCUDREDDDETR" ? "FCUDREDDETTRDET" : "FCUDREDDDETR";
        QVERIFY(p.cud->asCurrency(other).isZero());
        // No supplementary treatment paid: code "2".
        QCOMPARE(p.text("SCUDTICODTRATT"), QString("2"));
    }

    void supplementaryTreatmentFromItems()
    {
        Person p;
        standardRegisters(p);
        p.archive.on("QRY_CUD_VOCE", [](const ArchiveRequest& r) {
            const int item = r.params.value("ICOMRID").toInt();
            return rows({"TOTALE_VOCE"}, {{item == 10069 ? "600" : item == 11069 ? "40.50" : "0"}});
        });
        write<CudStd>(p);
        QCOMPARE(p.text("SCUDTICODTRATT"), QString("1"));
        QCOMPARE(p.amount("FCUDTITRATTERO"), money("640.50"));
    }

    void noipaRule_data()
    {
        QTest::addColumn<bool>("fiscaleNoipa");
        QTest::addColumn<QVector<int>>("sent"); // EXP_CSFA of two registers of 100 and 50
        QTest::addColumn<QString>("expected");  // "" = raises
        QTest::addColumn<QString>("flag");
        // clang-format off
        QTest::newRow("none sent") << true << QVector<int>{0, 0} << "150" << "0";
        QTest::newRow("all sent, option on") << true << QVector<int>{1, 1} << "150" << "X";
        QTest::newRow("all sent, option off") << false << QVector<int>{1, 1} << "0" << "0";
        QTest::newRow("mix, option off") << false << QVector<int>{0, 1} << "100" << "0";
        QTest::newRow("mix, option on") << true << QVector<int>{0, 1} << "" << "";
        // clang-format on
    }
    void noipaRule()
    {
        QFETCH(bool, fiscaleNoipa);
        QFETCH(QVector<int>, sent);
        QFETCH(QString, expected);
        QFETCH(QString, flag);
        auto cud = certificate();
        const ArchiveRows regs =
            rows(RegCols, {{1, sent[0], "100", "0"}, {2, sent[1], "50", "0"}, {3, 1, "0", "0"}});
        if (expected.isEmpty()) {
            try {
                CudStd::sommaNoipa(regs, "TOTALE", fiscaleNoipa, *cud);
                QFAIL("the mix must raise");
            } catch (const EHlmWarning& e) {
                QCOMPARE(
                    e.message(),
                    QString(
                        "Impossibile crea la Certificazione: Esistono liquidazioni non inviate a NoiPa."));
            }
            return;
        }
        QCOMPARE(CudStd::sommaNoipa(regs, "TOTALE", fiscaleNoipa, *cud), *Currency::parse(expected));
        QCOMPARE(cud->asString(u"LCUDCPOSCNACFC"), flag);
    }

    void queriesCarryCodesAndLegalPositionClause()
    {
        Person p;
        p.ctx.tno.fiscale = "1,3";
        p.ctx.tno.cococo = "11";
        standardRegisters(p);
        write<CudStd>(p);
        const QVector<ArchiveRequest> rit = p.archive.requests("QRY_CUD_RIT");
        QVERIFY(!rit.isEmpty());
        for (const ArchiveRequest& r : rit) {
            QCOMPARE(r.formatArgs.size(), 2);
            QCOMPARE(r.formatArgs[1], QString(" AND REGS.ITNOID IN (1,3,11)"));
            QCOMPARE(r.params.value("IACOMID").toInt(), 100);
        }
        QStringList codes;
        for (const ArchiveRequest& r : rit)
            codes.append(r.formatArgs[0]);
        QVERIFY(codes.contains("7,11") && codes.contains("12") && codes.contains("8") &&
                codes.contains("10"));
        const ArchiveRequest voce = p.archive.requests("QRY_CUD_VOCE").first();
        QCOMPARE(voce.appended, QString(" AND REGS.ITNOID IN (1,3,11)"));
        QCOMPARE(voce.params.value("IANFID").toInt(), 55);
    }

    void emptyListsSelectNoRegister()
    {
        PosizioniGiuridiche none;
        QCOMPARE(none.clausola(), QString(" AND REGS.ITNOID IN (NULL)"));
        PosizioniGiuridiche onlyCococo;
        onlyCococo.cococo = "11";
        QCOMPARE(onlyCococo.clausola(), QString(" AND REGS.ITNOID IN (11)"));
    }

    void arrearsColumnsByOption_data()
    {
        QTest::addColumn<bool>("detraibili");
        // clang-format off
        QTest::newRow("point 511") << true;
        QTest::newRow("point 512") << false;
        // clang-format on
    }
    void arrearsColumnsByOption()
    {
        QFETCH(bool, detraibili);
        Person p;
        p.params.arretratiDetr = detraibili;
        standardRegisters(p);
        write<CudStd>(p);
        const Currency thousand = money("1000");
        QCOMPARE(p.amount("FCUDTCOMPARRDETR"), detraibili ? thousand : Currency());
        QCOMPARE(p.amount("FCUDCRAPCOMARRDET"), detraibili ? thousand : Currency());
        QCOMPARE(p.amount("FCUDTCOMPARRNODETR"), detraibili ? Currency() : thousand);
        QCOMPARE(p.amount("FCUDCRAPCOMARRNODET"), detraibili ? Currency() : thousand);
        QCOMPARE(p.amount("FCUDTOTRITOPER"), money("230"));
        QCOMPARE(p.amount("FCUDCRAPRITOP"), money("230"));
    }

    void suspendedIrpefCappedAtWithheld()
    {
        Person p;
        standardRegisters(p);
        p.archive.on("QRY_CUD_VOCE", [](const ArchiveRequest& r) {
            return rows({"TOTALE_VOCE"}, {{r.params.value("ICOMRID").toInt() == 10054 ? "3500" : "0"}});
        });
        write<CudStd>(p);
        QCOMPARE(p.amount("FCUDRITIRPEFSOS"), money("3000"));
    }

    void sums730PerItem()
    {
        Person p;
        p.tables.voci730 = {{10026, "FCUDSITRATT"}, {10027, "FCUDSIRIMB"}, {10120, "FCUDPRIMOACCIRPEF"}};
        p.archive.on(
            "QRY_CUD_730",
            rows({"IVACRID", "ICOMRID", "FVACRLORDO"},
                 {{1, 10026, "100.10"}, {2, 10026, "50.05"}, {3, 10120, "12.3456"}, {4, 99999, "1000"}}));
        SezioneFiscale::assistenza730(p.ctx);
        QCOMPARE(p.amount("FCUDSITRATT"), money("150.15"));
        QCOMPARE(p.amount("FCUDSIRIMB"), Currency());
        QCOMPARE(p.amount("FCUDPRIMOACCIRPEF"), money("12.3456"));
        const ArchiveRequest r = p.archive.requests("QRY_CUD_730").first();
        QCOMPARE(r.params.value("ICOMRGRUPPO").toInt(), 4);
        QCOMPARE(r.appended, QString(" AND REGS.ITNOID IN (1)"));
    }

    // Every 730 item of the installation feeds a column with a point of the
    // form, so that its amount reaches the file and the prints; the
    // substitute tax on productivity bonuses goes to points 101 and 301.
    void installed730ItemsFeedPointedColumns()
    {
        Person p;
        p.tables.load730(buildRoot() + u"/etc/kbr/TV730_VOCI730.cds"_s);
        QVERIFY(!p.tables.voci730.isEmpty());
        for (const auto& [item, column] : p.tables.voci730) {
            const ColumnSchema* c = certificateSchema().table(u"TCUD_DATICUD")->column(column);
            QVERIFY2(c && !c->point.isEmpty(),
                     qPrintable(u"voce %1: colonna %2 senza punto"_s.arg(item).arg(column)));
        }
        p.archive.on("QRY_CUD_730", rows({"IVACRID", "ICOMRID", "FVACRLORDO"},
                                         {{1, 10057, "120.50"}, {2, 10058, "80.25"}, {3, 10057, "9.50"}}));
        SezioneFiscale::assistenza730(p.ctx);
        QCOMPARE(p.amount("FCUDISPRT"), money("130"));    // point 101
        QCOMPARE(p.amount("FCUDCISPRT"), money("80.25")); // point 301
    }

    void scholarshipWhenNoTaxableIncome()
    {
        Person p;
        p.ctx.tno.fiscale = "17";
        p.archive.on("QRY_CUD_BORSISTA_LORDO", rows({"TOTALE"}, {{"7200"}}));
        write<CudStd>(p);
        QCOMPARE(p.amount("FCUDREDDESAMM2"), money("7200"));
        QCOMPARE(p.text("SCUDREDDESCOD2"), QString("23"));
    }

    void sommaVoceNarrowsMonths_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("fromMonth");
        QTest::addColumn<int>("toMonth");
        // clang-format off
        QTest::newRow("whole row") << 0 << 0 << 3 << 9;
        QTest::newRow("inside") << 4 << 8 << 4 << 8;
        QTest::newRow("outside kept") << 1 << 12 << 3 << 9;
        // clang-format on
    }
    void sommaVoceNarrowsMonths()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, fromMonth);
        QFETCH(int, toMonth);
        Person p;
        p.ctx.sel.meseIniziale = 3;
        p.ctx.sel.meseFinale = 9;
        CudStd::SommaVoce(p.ctx, 10069, first, last);
        const ArchiveRequest r = p.archive.requests("QRY_CUD_VOCE").first();
        QCOMPARE(r.params.value("MESE_INIZIALE").toInt(), fromMonth);
        QCOMPARE(r.params.value("MESE_FINALE").toInt(), toMonth);
    }

    void nothingWrittenOnInpsOnlyRun()
    {
        Person p;
        p.params.soloInps = true;
        standardRegisters(p);
        write<CudStd>(p);
        QVERIFY(p.archive.requests().isEmpty());
        QVERIFY(p.amount("FCUDRITIRPEF").isZero());
    }

    void adjustedBuilderWithoutRecordGivesZero()
    {
        Person p;
        write<CudCong>(p);
        QCOMPARE(p.cud->asInteger(u"ICUDPERIODOLAV"), 0);
        QVERIFY(p.amount("FCUDIMPLORDA").isZero());
        QVERIFY(p.amount("FCUDRITIRPEF").isZero());
        const ArchiveRequest r = p.archive.requests("QRY_CUD_CONG").first();
        QCOMPARE(r.params.value("IMESID").toInt(), 12);
    }
};

QTEST_GUILESS_MAIN(TestBuilders)
#include "test_builders.moc"
