// The data checks: mandatory columns, the representative rule, fiscal codes
// and the recipient data of record D.
#include "certificates/checks/CheckData.h"
#include "certificates/checks/FiscalCode.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/text/Currency.h"

#include <QDate>
#include <QTest>

using namespace cu;

namespace {

// A dataset of one row with string fields of the given names and values.
void oneRow(Dataset& dataset, const QVector<FieldDef>& fields, const QVariantMap& values)
{
    dataset.setFields(fields);
    dataset.open();
    dataset.append();
    for (auto it = values.begin(); it != values.end(); ++it)
        dataset.setValue(it.key(), it.value());
    dataset.post();
}

FieldDef text(const char* name)
{
    return {QString::fromLatin1(name), FieldType::String, 60};
}

} // namespace

class TestCheckData : public QObject
{
    Q_OBJECT

private slots:
    void supplierWithoutFiscalCode();
    void valueByType_data();
    void valueByType();
    void representativeRule_data();
    void representativeRule();
    void datasetsWithoutListedColumnsPass();
    void onlyDatasetsUpToTheLastIndex();
    void fiscalCodes_data();
    void fiscalCodes();
    void fiscalCodeColumnsOfARow();
    void recipientData_data();
    void recipientData();
};

void TestCheckData::supplierWithoutFiscalCode()
{
    Dataset supplier;
    oneRow(supplier, {text("SFORCODFIS"), text("STFOCODICE")},
           {{QStringLiteral("STFOCODICE"), QStringLiteral("01")}});
    QStringList messages;
    QVERIFY(!checkData(messages, {&supplier}, 0));
    QCOMPARE(messages,
             QStringList{QStringLiteral(" - Dato obbligatorio mancante: Codice fiscale del fornitore")});
}

void TestCheckData::valueByType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("missing");
    QTest::newRow("amount 0 is missing")
        << int(FieldType::Currency) << QVariant::fromValue(Currency()) << true;
    QTest::newRow("empty amount has a value") << int(FieldType::Currency) << QVariant() << false;
    QTest::newRow("amount 2 has a value")
        << int(FieldType::Currency) << QVariant::fromValue(Currency::fromUnits(2)) << false;
    QTest::newRow("integer 0 is missing") << int(FieldType::Integer) << QVariant(qint64(0)) << true;
    QTest::newRow("empty integer has a value") << int(FieldType::Integer) << QVariant() << false;
    QTest::newRow("empty date is missing") << int(FieldType::Date) << QVariant() << true;
    QTest::newRow("date has a value") << int(FieldType::Date) << QVariant(QDate(1970, 5, 1)) << false;
    QTest::newRow("empty text is missing") << int(FieldType::String) << QVariant() << true;
    QTest::newRow("text has a value") << int(FieldType::String) << QVariant(QStringLiteral("1")) << false;
}

void TestCheckData::valueByType()
{
    QFETCH(int, type);
    QFETCH(QVariant, value);
    QFETCH(bool, missing);
    // ISOSSEZ, DSOSDTNASRAPPR and SCARCODICE are mandatory; the type decides what "a value" is.
    const char* column = FieldType(type) == FieldType::Date     ? "DSOSDTNASRAPPR"
                         : FieldType(type) == FieldType::String ? "SCARCODICE"
                                                                : "ISOSSEZ";
    Dataset agent;
    oneRow(agent, {{QString::fromLatin1(column), FieldType(type), 10}},
           value.isNull() ? QVariantMap() : QVariantMap{{QString::fromLatin1(column), value}});
    QStringList messages;
    QCOMPARE(checkData(messages, {&agent}, 0), !missing);
    QCOMPARE(messages.size(), missing ? 1 : 0);
}

void TestCheckData::representativeRule_data()
{
    QTest::addColumn<QString>("denomination");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("denomination and surname") << "STUDIO SRL"
                                              << "ROSSI"
                                              << ""
                                              << " - Dati in eccesso: Nome o cognome del rappresentante "
                                                 "della dichiarazione compilati in presenza della "
                                                 "denominazione";
    QTest::newRow("denomination alone") << "STUDIO SRL"
                                        << ""
                                        << ""
                                        << "";
    QTest::newRow("name without surname")
        << ""
        << ""
        << "MARIO"
        << " - Dato obbligatorio mancante: Cognome del rappresentante della dichiarazione";
    QTest::newRow("surname without name")
        << ""
        << "ROSSI"
        << ""
        << " - Dato obbligatorio mancante: Nome del rappresentante della dichiarazione";
    QTest::newRow("nothing")
        << ""
        << ""
        << ""
        << " - Dato obbligatorio mancante: Denominazione o cognome e nome del rappresentante "
           "della dichiarazione";
    QTest::newRow("surname and name") << ""
                                      << "ROSSI"
                                      << "MARIO"
                                      << "";
}

void TestCheckData::representativeRule()
{
    QFETCH(QString, denomination);
    QFETCH(QString, surname);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    Dataset agent;
    QVariantMap values;
    if (!denomination.isEmpty())
        values[QStringLiteral("SSOSDENRAPPR")] = denomination;
    if (!surname.isEmpty())
        values[QStringLiteral("SSOSCOGNRAPPR")] = surname;
    if (!name.isEmpty())
        values[QStringLiteral("SSOSNOMERAPPR")] = name;
    oneRow(agent, {text("SSOSCOGNRAPPR"), text("SSOSDENRAPPR"), text("SSOSNOMERAPPR")}, values);
    QStringList messages;
    QCOMPARE(checkData(messages, {&agent}, 0), expected.isEmpty());
    QCOMPARE(messages, expected.isEmpty() ? QStringList() : QStringList{expected});
}

void TestCheckData::datasetsWithoutListedColumnsPass()
{
    Dataset certificate;
    oneRow(
        certificate,
        {text("SCUDCODFIS"), text("SCUDCOGNOME"), {QStringLiteral("FCUDREDDPENS"), FieldType::Currency, 0}},
        {});
    QStringList messages;
    QVERIFY(checkData(messages, {&certificate}, 0));
    QVERIFY(messages.isEmpty());
}

void TestCheckData::onlyDatasetsUpToTheLastIndex()
{
    Dataset complete;
    oneRow(complete, {text("SFORCODFIS")}, {{QStringLiteral("SFORCODFIS"), QStringLiteral("01234567897")}});
    Dataset incomplete;
    oneRow(incomplete, {text("SSOSDENOM")}, {});
    QStringList messages;
    QVERIFY(checkData(messages, {&complete, &incomplete}, 0));
    QVERIFY(!checkData(messages, {&complete, &incomplete}, 1));
    QCOMPARE(messages,
             QStringList{QStringLiteral(" - Dato obbligatorio mancante: Denominazione del sostituto")});
}

void TestCheckData::fiscalCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("valid");
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
}

void TestCheckData::fiscalCodes()
{
    QFETCH(QString, code);
    QFETCH(bool, valid);
    QCOMPARE(isValidFiscalCode(code), valid);
    QCOMPARE(fiscalCodeDefect(code).isEmpty(), valid);
}

void TestCheckData::fiscalCodeColumnsOfARow()
{
    Dataset family;
    oneRow(family,
           {text("SCUDCODFIS"), text("SCUDCODFISCON"), text("SCUDCODFISPERCEST"), text("SCUDCODFISFIGL"),
            text("SCUDCFPPAAAZIENDA")},
           {{QStringLiteral("SCUDCODFIS"), QStringLiteral("rssmra85t10a562s")},
            {QStringLiteral("SCUDCODFISCON"), QStringLiteral("RSSMRA85T10A562X")},
            {QStringLiteral("SCUDCODFISPERCEST"), QStringLiteral("FOREIGN-123")},
            {QStringLiteral("SCUDCFPPAAAZIENDA"), QStringLiteral("1234")}});
    QStringList messages;
    QVERIFY(!checkFiscalCodes(messages, family));
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages[0].startsWith(
        QStringLiteral(" - Campo errato: codice fiscale RSSMRA85T10A562X (SCUDCODFISCON)")));
    QVERIFY(messages[1].contains(QStringLiteral("SCUDCFPPAAAZIENDA")));
    QCOMPARE(family.asString(u"SCUDCODFIS"), QStringLiteral("rssmra85t10a562s"));
}

void TestCheckData::recipientData_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("complete person") << "RSSMRA85T10A562S"
                                     << "MARIO" << QStringList();
    QTest::newRow("person without name")
        << "RSSMRA85T10A562S"
        << "" << QStringList{QStringLiteral(" - Dato obbligatorio mancante: Nome del percipiente")};
    QTest::newRow("entity needs no name") << "01234567897"
                                          << "" << QStringList();
}

void TestCheckData::recipientData()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    Dataset certificate;
    QVariantMap values{{QStringLiteral("SCUDCODFIS"), code},
                       {QStringLiteral("SCUDCOGNOME"), QStringLiteral("ROSSI")},
                       {QStringLiteral("SCUDSEX"), QStringLiteral("M")},
                       {QStringLiteral("DCUDDATANAS"), QDate(1985, 12, 10)},
                       {QStringLiteral("SCUDCOMNAS"), QStringLiteral("ROMA")}};
    if (!name.isEmpty())
        values[QStringLiteral("SCUDNOME")] = name;
    oneRow(certificate,
           {text("SCUDCODFIS"),
            text("SCUDCOGNOME"),
            text("SCUDNOME"),
            text("SCUDSEX"),
            {QStringLiteral("DCUDDATANAS"), FieldType::Date, 0},
            text("SCUDCOMNAS")},
           values);
    QStringList messages;
    QCOMPARE(checkRecipient(messages, certificate), expected.isEmpty());
    QCOMPARE(messages, expected);
}

QTEST_GUILESS_MAIN(TestCheckData)
#include "test_check_data.moc"
