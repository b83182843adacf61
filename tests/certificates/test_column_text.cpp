// The texts of column values (display, edit, typed) and the set value of
// the flags, by column type, without a database.
#include "certificates/CertificateSchema.h"
#include "certificates/FlagValue.h"
#include "certificates/editing/ColumnText.h"
#include "certificates/editing/Lookup.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"
#include "support/TestSupport.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace cu;

class TestColumnText : public QObject
{
    Q_OBJECT

    CertificateSchema m_schema;

    const TableSchema& table(const QString& name) { return *m_schema.table(name); }
    const ColumnSchema& column(const QString& tableName, const QString& name)
    {
        return *table(tableName).column(name);
    }

private slots:
    void initTestCase() { m_schema = cu::test::certificateSchema(); }

    void texts_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("refusal");
        const QString cud = u"TCUD_DATICUD"_s;
        // clang-format off
        QTest::newRow("amount, Italian") << cud << "fCudReddDetr" << "1.234.567,891" << "1.234.567,89" << "1234567,89" << "";
        QTest::newRow("amount, point") << cud << "fCudReddDetr" << "1234.5" << "1.234,50" << "1234,50" << "";
        QTest::newRow("amount, negative") << cud << "fCudReddDetr" << "-0,01" << "-0,01" << "-0,01" << "";
        QTest::newRow("amount zero is blank") << cud << "fCudReddDetr" << "0,00" << "" << "" << "";
        QTest::newRow("amount, words") << cud << "fCudReddDetr" << "mille" << "" << "" << "Valore non valido per fCudReddDetr: \"mille\" (importo come 1234,56)";
        QTest::newRow("rate, three decimals") << cud << "FCUDQUOTA2122" << "0,5" << "0,500" << "0,500" << "";
        QTest::newRow("date") << cud << "DCUDDATANAS" << "1/2/1980" << "01/02/1980" << "01/02/1980" << "";
        QTest::newRow("date, ISO") << cud << "DCUDDATANAS" << "1980-02-29" << "29/02/1980" << "29/02/1980" << "";
        QTest::newRow("date, impossible") << cud << "DCUDDATANAS" << "31/02/1980" << "" << "" << "Valore non valido per DCUDDATANAS: \"31/02/1980\" (data gg/mm/aaaa)";
        QTest::newRow("integer") << cud << "iCudPeriodoLav" << "365" << "365" << "365" << "";
        QTest::newRow("integer, decimals") << cud << "iCudPeriodoLav" << "36,5" << "" << "" << "Valore non valido per iCudPeriodoLav: \"36,5\" (numero intero)";
        QTest::newRow("text, trimmed") << cud << "SCUDNOME" << "  MARIO " << "MARIO" << "MARIO" << "";
        QTest::newRow("text, too long") << cud << "SCUDPROVNAS" << "ROM" << "" << "" << "Testo troppo lungo per SCUDPROVNAS: 3 caratteri, al massimo 2";
        QTest::newRow("flag X, typed 1") << cud << "LCUDCONGUAGLIO" << "1" << "X" << "X" << "";
        QTest::newRow("flag 1, typed si") << cud << "LCUDANNULLAMENTO" << "si" << "1" << "1" << "";
        QTest::newRow("flag, empty is unset") << cud << "LCUDINFORZA3112" << "" << "0" << "0" << "";
        QTest::newRow("agent flag, typed X") << "TCUS_DATISOST" << "LSOSCT" << "X" << "1" << "1" << "";
        QTest::newRow("family flag") << "TCUDC_CONFAMCARICO" << "LCUDRELPARCON" << "x" << "1" << "1" << "";
        QTest::newRow("INAIL travelling staff") << "TCUIN_INAIL" << "SINA7PERSVIAGG" << "1" << "1" << "1" << "";
        QTest::newRow("flag, other text") << cud << "LCUDCONGUAGLIO" << "forse" << "" << "" << "Valore non valido per LCUDCONGUAGLIO: \"forse\" (X oppure 0)";
        // clang-format on
    }
    void texts()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, typed);
        QFETCH(QString, display);
        QFETCH(QString, edit);
        QFETCH(QString, refusal);
        const ColumnSchema& c = this->column(table, column);
        try {
            const QVariant value = columntext::parse(this->table(table), c, typed);
            QVERIFY2(refusal.isEmpty(), "accepted a text that should be refused");
            QCOMPARE(columntext::display(c, value), display);
            QCOMPARE(columntext::edit(c, value), edit);
        } catch (const EZfError& e) {
            QCOMPARE(e.message(), refusal);
        }
    }

    void lookupFromFile_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("position");
        // clang-format off
        QTest::newRow("nothing typed") << "" << 0;
        QTest::newRow("a prefix") << "0" << 0;
        QTest::newRow("between the codes") << "02" << 1;
        QTest::newRow("after the last") << "5" << 1;
        // clang-format on
    }
    void lookupFromFile()
    {
        QFETCH(QString, typed);
        QFETCH(int, position);
        const ColumnSchema& type = column(u"TCFO_FORNITORE"_s, u"STFOCODICE"_s);
        const LookupSource source = lookupSource(type);
        QCOMPARE(source.kind, LookupSource::Kind::File);
        Dataset rows;
        loadLookupFile(rows, source, Folders(cu::test::buildRoot()));
        QCOMPARE(firstShownField(rows, source), u"Codice"_s);
        QCOMPARE(rows.recordCount(), 2);
        QCOMPARE(nearestRow(rows, u"Codice"_s, typed), position);
        QCOMPARE(lookupSource(column(u"TCUD_DATICUD"_s, u"SCUDNOME"_s)).kind, LookupSource::Kind::None);
    }

    void unsetFlagIsShownUnticked()
    {
        const ColumnSchema& annulment = column(u"TCUD_DATICUD"_s, u"LCUDANNULLAMENTO"_s);
        QVERIFY(isFlagSet(table(u"TCUD_DATICUD"_s), annulment, u"1"_s));
        QVERIFY(!isFlagSet(table(u"TCUD_DATICUD"_s), annulment, u"X"_s));
        QVERIFY(!isFlagSet(table(u"TCUD_DATICUD"_s), annulment, FlagUnset));
    }
};

QTEST_GUILESS_MAIN(TestColumnText)
#include "test_column_text.moc"
