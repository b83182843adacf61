// The text functions: fixed widths under both overflow rules, zero-filling,
// trimming and the nearest Latin-1 characters.
#include "foundation/text/TextFunctions.h"

#include <QtTest>

using namespace cu;

class TestTextFunctions : public QObject
{
    Q_OBJECT

private slots:
    void padding_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::newRow("right shorter") << "R cut"
                                       << "Rossi" << 8 << "Rossi***";
        QTest::newRow("right exact") << "R cut"
                                     << "Rossi" << 5 << "Rossi";
        QTest::newRow("right longer cut keeps left") << "R cut"
                                                     << "Rossignoli" << 5 << "Rossi";
        QTest::newRow("right longer kept") << "R keep"
                                           << "Rossignoli" << 5 << "Rossignoli";
        QTest::newRow("right zero width cut") << "R cut"
                                              << "abc" << 0 << "";
        QTest::newRow("right negative width cut") << "R cut"
                                                  << "abc" << -2 << "";
        QTest::newRow("left shorter") << "L keep"
                                      << "123" << 6 << "***123";
        QTest::newRow("left exact") << "L keep"
                                    << "123" << 3 << "123";
        QTest::newRow("left longer cut keeps right") << "L cut"
                                                     << "1234567" << 3 << "567";
        QTest::newRow("left longer kept") << "L keep"
                                          << "1234567" << 3 << "1234567";
        QTest::newRow("left empty") << "L cut"
                                    << "" << 2 << "**";
        QTest::newRow("zeros") << "Z"
                               << "42" << 5 << "00042";
        QTest::newRow("zeros trims") << "Z"
                                     << " 42 " << 5 << "00042";
        QTest::newRow("zeros empty") << "Z"
                                     << "" << 2 << "00";
        QTest::newRow("zeros longer kept") << "Z"
                                           << "123456" << 3 << "123456";
        QTest::newRow("zeros module") << "Z"
                                      << "2" << 3 << "002";
    }
    void padding()
    {
        QFETCH(QString, function);
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QString, expected);
        const text::Overflow overflow =
            function.endsWith(u"keep") ? text::Overflow::Keep : text::Overflow::Cut;
        QString result;
        if (function.startsWith(u'R'))
            result = text::padRight(text, u'*', length, overflow);
        else if (function.startsWith(u'L'))
            result = text::padLeft(text, u'*', length, overflow);
        else
            result = text::zeroPadLeft(text, length);
        QCOMPARE(result, expected);
    }

    void trimming_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("both");
        QTest::newRow("both sides") << "  Rossi  "
                                    << "  Rossi"
                                    << "Rossi";
        QTest::newRow("inner blanks stay") << " De Rossi\t\r\n"
                                           << " De Rossi"
                                           << "De Rossi";
        QTest::newRow("only blanks") << " \t "
                                     << ""
                                     << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("nothing to trim") << "X"
                                         << "X"
                                         << "X";
    }
    void trimming()
    {
        QFETCH(QString, text);
        QFETCH(QString, end);
        QFETCH(QString, both);
        QCOMPARE(text::trimEnd(text), end);
        QCOMPARE(text::trimBoth(text), both);
    }

    void latin1Equivalents()
    {
        for (QChar c : QStringLiteral("Aa9 'éÒÿ"))
            QCOMPARE(text::latin1Equivalent(c), c);
        QCOMPARE(text::latin1Equivalent(u'’'), QChar(u'\''));
        QCOMPARE(text::latin1Equivalent(u'“'), QChar(u'"'));
        QCOMPARE(text::latin1Equivalent(u'–'), QChar(u'-'));
        QCOMPARE(text::latin1Equivalent(QChar(0x2009)), QChar(u' ')); // thin space
        QCOMPARE(text::latin1Equivalent(u'Ș'), QChar(u'S'));
        QCOMPARE(text::latin1Equivalent(u'ő'), QChar(u'o'));
        QCOMPARE(text::latin1Equivalent(u'Ł'), QChar(u'L')); // a stroke, not a decomposable mark
        QCOMPARE(text::latin1Equivalent(u'王'), QChar());
        QCOMPARE(text::latin1Equivalent(u'€'), QChar());
    }
};

QTEST_GUILESS_MAIN(TestTextFunctions)
#include "test_textfunctions.moc"
