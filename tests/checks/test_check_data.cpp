// The data checks: mandatory columns, the representative rule, fiscal codes
// and the recipient data of record D.
#include "certificates/checks/CheckData.h"
#include "certificates/checks/FiscalCode.h"
#include "foundation/dataset/Dataset.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace cu;

namespace {

// A dataset of one row with the given fields and values.
void oneRow(Dataset& dataset, const QVector<FieldDef>& fields, const QVariantMap& values)
{
    dataset.setFields(fields);
    dataset.open();
    cu::test::appendRow(dataset, values);
}

FieldDef text(const char* name)
{
    return {QString::fromLatin1(name), FieldType::String, 60};
}

const QString Missing = u" - Dato obbligatorio mancante: "_s;

} // namespace

class TestCheckData : public QObject
{
    Q_OBJECT

private slots:
    void supplierWithoutFiscalCode()
    {
        Dataset supplier;
        oneRow(supplier, {text("SFORCODFIS"), text("STFOCODICE")}, {{u"STFOCODICE"_s, u"01"_s}});
        QStringList messages;
        QVERIFY(!checkData(messages, {&supplier}, 0));
        QCOMPARE(messages, QStringList{Missing + u"Codice fiscale del fornitore"_s});
        // A listed column the dataset lacks is not checked.
        Dataset certificate;
        oneRow(certificate, {text("SCUDCODFIS"), {u"FCUDREDDPENS"_s, FieldType::Currency, 0}}, {});
        messages.clear();
        QVERIFY(checkData(messages, {&certificate}, 0));
        QVERIFY(messages.isEmpty());
        // Only the datasets up to the last index are checked.
        Dataset incomplete;
        oneRow(incomplete, {text("SSOSDENOM")}, {});
        QVERIFY(checkData(messages, {&certificate, &incomplete}, 0));
        QVERIFY(!checkData(messages, {&certificate, &incomplete}, 1));
        QCOMPARE(messages, QStringList{Missing + u"Denominazione del sostituto"_s});
    }

    // ISOSSEZ, DSOSDTNASRAPPR and SCARCODICE are mandatory; the type decides what "a value" is.
    void valueByType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("missing");
        const int amount = int(FieldType::Currency), integer = int(FieldType::Integer),
                  date = int(FieldType::Date);
        // clang-format off
        QTest::newRow("amount 0 is missing") << amount << QVariant::fromValue(Currency()) << true;
        QTest::newRow("empty amount has a value") << amount << QVariant() << false;
        QTest::newRow("amount 2 has a value") << amount << QVariant::fromValue(Currency::fromUnits(2)) << false;
        QTest::newRow("integer 0 is missing") << integer << QVariant(qint64(0)) << true;
        QTest::newRow("empty integer has a value") << integer << QVariant() << false;
        QTest::newRow("empty date is missing") << date << QVariant() << true;
        QTest::newRow("date has a value") << date << QVariant(QDate(1970, 5, 1)) << false;
        QTest::newRow("empty text is missing") << int(FieldType::String) << QVariant() << true;
        QTest::newRow("text has a value") << int(FieldType::String) << QVariant(u"1"_s) << false;
        // clang-format on
    }
    void valueByType()
    {
        QFETCH(int, type);
        QFETCH(QVariant, value);
        QFETCH(bool, missing);
        const QString column = FieldType(type) == FieldType::Date     ? u"DSOSDTNASRAPPR"_s
                               : FieldType(type) == FieldType::String ? u"SCARCODICE"_s
                                                                      : u"ISOSSEZ"_s;
        Dataset agent;
        oneRow(agent, {{column, FieldType(type), 10}},
               value.isNull() ? QVariantMap() : QVariantMap{{column, value}});
        QStringList messages;
        QCOMPARE(checkData(messages, {&agent}, 0), !missing);
        QCOMPARE(messages.size(), missing ? 1 : 0);
    }

    void representativeRule_data()
    {
        QTest::addColumn<QString>("denomination");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const QString of = u" del rappresentante della dichiarazione"_s;
        // clang-format off
        QTest::newRow("denomination and surname") << "STUDIO SRL" << "ROSSI" << "" << u" - Dati in eccesso: Nome o cognome"_s + of + u" compilati in presenza della denominazione"_s;
        QTest::newRow("denomination alone") << "STUDIO SRL" << "" << "" << "";
        QTest::newRow("name without surname") << "" << "" << "MARIO" << Missing + u"Cognome"_s + of;
        QTest::newRow("surname without name") << "" << "ROSSI" << "" << Missing + u"Nome"_s + of;
        QTest::newRow("nothing") << "" << "" << "" << Missing + u"Denominazione o cognome e nome"_s + of;
        QTest::newRow("surname and name") << "" << "ROSSI" << "MARIO" << "";
        // clang-format on
    }
    void representativeRule()
    {
        QFETCH(QString, denomination);
        QFETCH(QString, surname);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QVariantMap values;
        for (const auto& [column, value] : {std::pair{u"SSOSDENRAPPR"_s, denomination},
                                            {u"SSOSCOGNRAPPR"_s, surname},
                                            {u"SSOSNOMERAPPR"_s, name}})
            if (!value.isEmpty())
                values[column] = value;
        Dataset agent;
        oneRow(agent, {text("SSOSCOGNRAPPR"), text("SSOSDENRAPPR"), text("SSOSNOMERAPPR")}, values);
        QStringList messages;
        QCOMPARE(checkData(messages, {&agent}, 0), expected.isEmpty());
        QCOMPARE(messages, expected.isEmpty() ? QStringList() : QStringList{expected});
    }

    void fiscalCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("valid");
        // clang-format off
        QTest::newRow("personal code") << "RSSMRA85T10A562S" << true;
        QTest::newRow("woman, day plus 40") << "BNCLRA70A41H501B" << true;
        QTest::newRow("homonym, one digit replaced") << "RSSMRA85T10A56NH" << true;
        QTest::newRow("homonym, two digits replaced") << "RSSMRA85T10A5RNS" << true;
        QTest::newRow("wrong check character") << "RSSMRA85T10A562T" << false;
        QTest::newRow("replacement letter outside the table") << "RSSMRA85T10A56AH" << false;
        QTest::newRow("month letter") << "RSSMRA85Z10A562S" << false;
        QTest::newRow("day 32") << "RSSMRA85T32A562S" << false;
        QTest::newRow("digit among the letters") << "R5SMRA85T10A562S" << false;
        QTest::newRow("numeric code") << "01234567897" << true;
        QTest::newRow("numeric code, wrong check digit") << "01234567890" << false;
        QTest::newRow("numeric code with a letter") << "0123456789A" << false;
        QTest::newRow("length 15") << "RSSMRA85T10A562" << false;
        QTest::newRow("empty") << "" << false;
        // clang-format on
    }
    void fiscalCodes()
    {
        QFETCH(QString, code);
        QFETCH(bool, valid);
        QCOMPARE(isValidFiscalCode(code), valid);
        QCOMPARE(fiscalCodeDefect(code).isEmpty(), valid);
    }

    void fiscalCodeColumnsOfARow()
    {
        Dataset family;
        oneRow(family,
               {text("SCUDCODFIS"), text("SCUDCODFISCON"), text("SCUDCODFISPERCEST"), text("SCUDCODFISFIGL"),
                text("SCUDCFPPAAAZIENDA")},
               {{u"SCUDCODFIS"_s, u"rssmra85t10a562s"_s},
                {u"SCUDCODFISCON"_s, u"RSSMRA85T10A562X"_s},
                {u"SCUDCODFISPERCEST"_s, u"FOREIGN-123"_s},
                {u"SCUDCFPPAAAZIENDA"_s, u"1234"_s}});
        QStringList messages;
        QVERIFY(!checkFiscalCodes(messages, family));
        QCOMPARE(messages.size(), 2);
        QVERIFY(
            messages[0].startsWith(u" - Campo errato: codice fiscale RSSMRA85T10A562X (SCUDCODFISCON)"_s));
        QVERIFY(messages[1].contains(u"SCUDCFPPAAAZIENDA"_s));
        QCOMPARE(family.asString(u"SCUDCODFIS"), u"rssmra85t10a562s"_s);
    }

    void recipientData_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        // clang-format off
        QTest::newRow("complete person") << "RSSMRA85T10A562S" << "MARIO" << QStringList();
        QTest::newRow("person without name") << "RSSMRA85T10A562S" << "" << QStringList{Missing + u"Nome del percipiente"_s};
        QTest::newRow("entity needs no name") << "01234567897" << "" << QStringList();
        // clang-format on
    }
    void recipientData()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        QVariantMap values{{u"SCUDCODFIS"_s, code},
                           {u"SCUDCOGNOME"_s, u"ROSSI"_s},
                           {u"SCUDSEX"_s, u"M"_s},
                           {u"DCUDDATANAS"_s, QDate(1985, 12, 10)},
                           {u"SCUDCOMNAS"_s, u"ROMA"_s}};
        if (!name.isEmpty())
            values[u"SCUDNOME"_s] = name;
        Dataset certificate;
        oneRow(certificate,
               {text("SCUDCODFIS"), text("SCUDCOGNOME"), text("SCUDNOME"), text("SCUDSEX"),
                {u"DCUDDATANAS"_s, FieldType::Date, 0}, text("SCUDCOMNAS")},
               values);
        QStringList messages;
        QCOMPARE(checkRecipient(messages, certificate), expected.isEmpty());
        QCOMPARE(messages, expected);
    }
};

QTEST_GUILESS_MAIN(TestCheckData)
#include "test_check_data.moc"
