// The text functions: fixed widths (also for texts longer than the width),
// trimming, cutting and the number test.
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
        QTest::newRow("PadR shorter") << "R"
                                      << "Rossi" << 8 << "Rossi***";
        QTest::newRow("PadR exact") << "R"
                                    << "Rossi" << 5 << "Rossi";
        QTest::newRow("PadR longer keeps left") << "R"
                                                << "Rossignoli" << 5 << "Rossi";
        QTest::newRow("PadR empty") << "R"
                                    << "" << 3 << "***";
        QTest::newRow("PadR zero width") << "R"
                                         << "abc" << 0 << "";
        QTest::newRow("PadR negative width") << "R"
                                             << "abc" << -2 << "";
        QTest::newRow("PadL shorter") << "L"
                                      << "123" << 6 << "***123";
        QTest::newRow("PadL exact") << "L"
                                    << "123" << 3 << "123";
        QTest::newRow("PadL longer keeps right") << "L"
                                                 << "1234567" << 3 << "567";
        QTest::newRow("PadL empty") << "L"
                                    << "" << 2 << "**";
        QTest::newRow("StrZero") << "Z"
                                 << "42" << 5 << "00042";
        QTest::newRow("StrZero trims") << "Z"
                                       << " 42 " << 5 << "00042";
        QTest::newRow("StrZero empty") << "Z"
                                       << "" << 2 << "00";
        QTest::newRow("StrZero negative") << "Z"
                                          << "-42" << 5 << "-0042";
        QTest::newRow("StrZero exact") << "Z"
                                       << "12345" << 5 << "12345";
        QTest::newRow("StrZero longer keeps right") << "Z"
                                                    << "123456" << 3 << "456";
        QTest::newRow("StrZero one digit") << "Z"
                                           << "7" << 1 << "7";
        QTest::newRow("StrZero module") << "Z"
                                        << "2" << 3 << "002";
    }
    void padding()
    {
        QFETCH(QString, function);
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QString, expected);
        QString result;
        if (function == u"R")
            result = PadR(text, u'*', length);
        else if (function == u"L")
            result = PadL(text, u'*', length);
        else
            result = StrZero(text, length);
        QCOMPARE(result, expected);
        QCOMPARE(result.size(), qMax(length, 0));
        QCOMPARE(FitsWidth(text, length), text.size() <= length);
    }

    void trimming_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trim");
        QTest::addColumn<QString>("allTrim");
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
        QFETCH(QString, trim);
        QFETCH(QString, allTrim);
        QCOMPARE(Trim(text), trim);
        QCOMPARE(AllTrim(text), allTrim);
    }

    void leftAndRight_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::newRow("inside") << "DBXXX001" << 2 << "DB"
                                << "01";
        QTest::newRow("longer count") << "abc" << 10 << "abc"
                                      << "abc";
        QTest::newRow("zero") << "abc" << 0 << ""
                              << "";
        QTest::newRow("negative") << "abc" << -1 << ""
                                  << "";
    }
    void leftAndRight()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, left);
        QFETCH(QString, right);
        QCOMPARE(Left(text, count), left);
        QCOMPARE(Right(text, count), right);
    }

    void isNumeric_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("integer") << "12" << true;
        QTest::newRow("blanks around") << " 12 " << true;
        QTest::newRow("negative comma") << "-3,50" << true;
        QTest::newRow("plus point") << "+3.50" << true;
        QTest::newRow("leading separator") << ".5" << true;
        QTest::newRow("trailing separator") << "5." << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "   " << false;
        QTest::newRow("sign only") << "+" << false;
        QTest::newRow("exponent") << "1e3" << false;
        QTest::newRow("two separators") << "1.2.3" << false;
        QTest::newRow("inner blank") << "12 3" << false;
        QTest::newRow("letters") << "ABC" << false;
        QTest::newRow("fiscal code digits") << "01234567897" << true;
    }
    void isNumeric()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QCOMPARE(IsNumeric(text), numeric);
    }

    void latin1Equivalents()
    {
        for (QChar c : QStringLiteral("Aa9 'éÒÿ"))
            QCOMPARE(Latin1Equivalent(c), c);
        QCOMPARE(Latin1Equivalent(u'’'), QChar(u'\''));
        QCOMPARE(Latin1Equivalent(u'“'), QChar(u'"'));
        QCOMPARE(Latin1Equivalent(u'–'), QChar(u'-'));
        QCOMPARE(Latin1Equivalent(QChar(0x2009)), QChar(u' ')); // thin space
        QCOMPARE(Latin1Equivalent(u'Ș'), QChar(u'S'));
        QCOMPARE(Latin1Equivalent(u'ő'), QChar(u'o'));
        QCOMPARE(Latin1Equivalent(u'Ł'), QChar(u'L')); // a stroke, not a decomposable mark
        QCOMPARE(Latin1Equivalent(u'王'), QChar());
        QCOMPARE(Latin1Equivalent(u'€'), QChar());
    }
};

QTEST_GUILESS_MAIN(TestTextFunctions)
#include "test_textfunctions.moc"
