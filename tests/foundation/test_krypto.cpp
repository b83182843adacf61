// The keyed digest: fixed for fixed arguments, sensitive to text and key,
// within the range, of any length, evenly spread over the range.
#include "foundation/catalogue/Krypto.h"
#include "foundation/operator/Errors.h"

#include <QtTest>

using namespace cu;

class TestKrypto : public QObject
{
    Q_OBJECT

private slots:
    void knownValue()
    {
        // Pins the algorithm (value computed independently from the
        // documented construction): signatures written by one build must be
        // recognised by every later one.
        QCOMPARE(Krypto(QStringLiteral("abc"), QStringLiteral("CHIAVEDIECI"), 32, u'A', u'Z'),
                 QStringLiteral("ZCEJPECRNOYHXNVAOLASNSRXMXVAWACW"));
    }

    void lengthAndRange_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QChar>("lowest");
        QTest::addColumn<QChar>("highest");
        QTest::newRow("signature") << 32 << QChar(u'A') << QChar(u'Z');
        QTest::newRow("longer than one digest") << 200 << QChar(u'0') << QChar(u'9');
        QTest::newRow("one character range") << 10 << QChar(u'Q') << QChar(u'Q');
        QTest::newRow("wide range") << 50 << QChar(u'A') << QChar(char16_t(0x2000));
        QTest::newRow("one") << 1 << QChar(u'a') << QChar(u'z');
    }
    void lengthAndRange()
    {
        QFETCH(int, length);
        QFETCH(QChar, lowest);
        QFETCH(QChar, highest);
        const QString digest =
            Krypto(QStringLiteral("testo"), QStringLiteral("chiave"), length, lowest, highest);
        QCOMPARE(digest.size(), length);
        for (QChar c : digest)
            QVERIFY(c >= lowest && c <= highest);
        QCOMPARE(Krypto(QStringLiteral("testo"), QStringLiteral("chiave"), length, lowest, highest), digest);
    }

    void dependsOnTextAndKey()
    {
        const QString base =
            Krypto(QStringLiteral("riga 1\nriga 2\n"), QStringLiteral("ABCDEFGHIJ"), 32, u'A', u'Z');
        QVERIFY(base !=
                Krypto(QStringLiteral("riga 1\nriga 3\n"), QStringLiteral("ABCDEFGHIJ"), 32, u'A', u'Z'));
        QVERIFY(base !=
                Krypto(QStringLiteral("riga 1\nriga 2\n"), QStringLiteral("ABCDEFGHIK"), 32, u'A', u'Z'));
        QVERIFY(base !=
                Krypto(QStringLiteral("riga 1\nriga 2"), QStringLiteral("ABCDEFGHIJ"), 32, u'A', u'Z'));
        // A longer output starts with the shorter one.
        QVERIFY(Krypto(QStringLiteral("riga 1\nriga 2\n"), QStringLiteral("ABCDEFGHIJ"), 64, u'A', u'Z')
                    .startsWith(base));
    }

    void spreadOverTheRange()
    {
        // 26 letters, 26000 characters: each letter about 1000 times. A
        // modulo bias of 256 % 26 would push the first letters about 10% up.
        const QString digest =
            Krypto(QStringLiteral("distribuzione"), QStringLiteral("k"), 26000, u'A', u'Z');
        QList<int> counts(26, 0);
        for (QChar c : digest)
            ++counts[c.unicode() - u'A'];
        for (int count : counts)
            QVERIFY2(count > 850 && count < 1150, qPrintable(QString::number(count)));
    }

    void degenerateArguments()
    {
        QCOMPARE(Krypto(QStringLiteral("x"), QStringLiteral("k"), 0, u'A', u'Z'), QString());
        QCOMPARE(Krypto(QStringLiteral("x"), QStringLiteral("k"), -3, u'A', u'Z'), QString());
        QVERIFY_THROWS_EXCEPTION(EAssertion, Krypto(QStringLiteral("x"), QStringLiteral("k"), 5, u'Z', u'A'));
        QCOMPARE(Krypto(QString(), QString(), 4, u'A', u'Z').size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestKrypto)
#include "test_krypto.moc"
