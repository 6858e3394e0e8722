// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading typed answers, writing numbers into labels, and judging an answer
// against the posed reading.
#include "answer.h"
#include "numbers.h"

#include <QTest>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <version>

namespace {

std::u16string u16(const QString &text)
{
    return text.toStdU16String();
}

QString tenThousandDigits()
{
    QString digits;
    for (int i = 0; i < 10000; ++i)
        digits += QLatin1Char(char('0' + (i * 7 + 3) % 10));
    return digits;
}

// Whether two doubles are the same, bit for bit: QCOMPARE takes doubles a
// relative 1e-12 apart for equal, and would miss a reading one unit off.
bool same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

QByteArray differ(double actual, double expected)
{
    return QByteArray::number(actual, 'g', 17) + " is not " + QByteArray::number(expected, 'g', 17);
}

// The decimal digits of a product of small factors, for values too long to
// write out.
std::string productDigits(std::initializer_list<std::pair<unsigned, int>> powers)
{
    std::string digits = "1"; // least significant first while multiplying
    for (const auto &[factor, count] : powers) {
        for (int i = 0; i < count; ++i) {
            unsigned long long carry = 0;
            for (char &d : digits) {
                carry += static_cast<unsigned long long>(d - '0') * factor;
                d = char('0' + carry % 10);
                carry /= 10;
            }
            for (; carry != 0; carry /= 10)
                digits.push_back(char('0' + carry % 10));
        }
    }
    return {digits.rbegin(), digits.rend()};
}

} // namespace

class TestAnswer : public QObject {
    Q_OBJECT

private slots:
    void parseNumber_data();
    void parseNumber();
    void parseLongNumbersRoundCorrectly_data();
    void parseLongNumbersRoundCorrectly();
    void scanNumber_data();
    void scanNumber();
    void decimalToDouble_data();
    void decimalToDouble();
    void decimalToDoubleAgreesWithTheLibrary();
    void numberText_data();
    void numberText();
    void toSingle_data();
    void toSingle();
    void judge_data();
    void judge();
};

void TestAnswer::parseNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("a reading") << "12.35" << 12.35;
    QTest::newRow("trailing zero") << "12.350" << 12.35;
    QTest::newRow("leading zero") << "012.35" << 12.35;
    QTest::newRow("whole number") << "12" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("the blank a new measurement leaves") << " " << 0.0;
    QTest::newRow("typed after the blank") << " 12.35" << 12.35;
    QTest::newRow("comma ends the number") << "12,35" << 12.0;
    QTest::newRow("unit after the number") << "12.35 mm" << 12.35;
    QTest::newRow("blanks between digits") << "1 2.3 5" << 12.35;
    QTest::newRow("tabs and line feeds are skipped") << "\t1\n2.\t35\n" << 12.35;
    QTest::newRow("carriage return ends the number") << "12\r.35" << 12.0;
    QTest::newRow("plus and point") << "+.5" << 0.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("negative zero keeps its sign") << "-0.0" << -0.0;
    QTest::newRow("blank after the sign") << "- 3" << -3.0;
    QTest::newRow("two points in a row") << "..5" << 0.0;
    QTest::newRow("second point ends the number") << "1.2.3" << 1.2;
    QTest::newRow("trailing point") << "7." << 7.0;
    QTest::newRow("lone sign") << "-" << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("two signs") << "+-3" << 0.0;
    QTest::newRow("sign after digits ends the number") << "3-4" << 3.0;
    QTest::newRow("letters first") << "abc12" << 0.0;
    QTest::newRow("no exponent") << "1e3" << 1.0;
    QTest::newRow("control character ends the number") << QStringLiteral("12\u00013") << 12.0;
    QTest::newRow("NUL ends the number") << QString::fromUtf16(u"4\u00005", 3) << 4.0;
    QTest::newRow("escape first") << QStringLiteral("\u001b12") << 0.0;
    QTest::newRow("Arabic-Indic digits are not digits") << QStringLiteral("\u0661\u0662") << 0.0;
    QTest::newRow("fullwidth digits are not digits") << QStringLiteral("1\uff12") << 1.0;
    QTest::newRow("non-breaking blank is not skipped") << QStringLiteral("1\u00a02") << 1.0;
    QTest::newRow("emoji") << QStringLiteral("3\U0001F600") << 3.0;
    QTest::newRow("right-to-left mark first") << QStringLiteral("\u200f12") << 0.0;
    QTest::newRow("many leading zeros") << QString(5000, QLatin1Char('0')) + "1.5" << 1.5;
    QTest::newRow("too large for a double") << "1" + QString(400, QLatin1Char('0')) << inf;
    QTest::newRow("too large, negative") << "-9" + QString(400, QLatin1Char('9')) << -inf;
    QTest::newRow("too small for a double") << "0." + QString(400, QLatin1Char('0')) + "1" << 0.0;
    QTest::newRow("largest double") << "179769313486231570" + QString(291, QLatin1Char('0')) << DBL_MAX;
}

void TestAnswer::parseNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const double parsed = ::parseNumber(u16(text));
    QVERIFY2(same(parsed, value), differ(parsed, value));
}

void TestAnswer::parseLongNumbersRoundCorrectly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sameAs");

    const QString digits = tenThousandDigits();
    QTest::newRow("10 000 digits") << digits << digits.left(400);
    QTest::newRow("10 000 digits after the point") << "0." + digits << "0." + digits.left(400);
    // Exactly halfway between two doubles, and just above it: only reading
    // every digit tells them apart.
    QTest::newRow("halfway, rounds to even") << "9007199254740993" << "9007199254740992";
    QTest::newRow("just above halfway") << "9007199254740993." + QString(5000, QLatin1Char('0')) + "1"
                                        << "9007199254740994";
}

void TestAnswer::parseLongNumbersRoundCorrectly()
{
    QFETCH(QString, text);
    QFETCH(QString, sameAs);
    // Compare by digits only: the texts differ far beyond what a double holds.
    const double parsed = ::parseNumber(u16(text));
    if (sameAs.contains(QLatin1Char('.')) || sameAs.size() < 400) {
        QVERIFY2(same(parsed, sameAs.toDouble()), differ(parsed, sameAs.toDouble()));
    } else {
        const double expected = std::strtod((sameAs + QString(text.size() - sameAs.size(), QLatin1Char('0'))).toLatin1().constData(), nullptr);
        QVERIFY2(same(parsed, expected), differ(parsed, expected));
    }
}

// What the conversion is handed, written as the sign, the digits and the
// power of ten ("-750e-2"), or "none" where the text holds no digit.
void TestAnswer::scanNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("scanned");

    const QString zeros(799, QLatin1Char('0'));
    QTest::newRow("a reading") << "12.35" << "+1235e-2";
    QTest::newRow("sign, blanks and zeros in front") << " - 0 07.50" << "-750e-2";
    QTest::newRow("digits after a stop are not read") << "+3-4" << "+3e0";
    QTest::newRow("no digit") << "-." << "none";
    QTest::newRow("zeros beyond 800 digits only scale") << "1" + QString(900, QLatin1Char('0')) << "+1" + zeros + "e101";
    QTest::newRow("a non-zero beyond 800 digits leaves a 1")
        << "1" + QString(900, QLatin1Char('0')) + "5" << "+1" + zeros + "1e101";
    QTest::newRow("beyond 800 digits after the point")
        << "0.00" + QString(900, QLatin1Char('1')) << "+" + QString(801, QLatin1Char('1')) + "e-803";
}

void TestAnswer::scanNumber()
{
    QFETCH(QString, text);
    const ScannedNumber number = ::scanNumber(u16(text));
    QString scanned = QStringLiteral("none");
    if (number.found)
        scanned = QStringLiteral("%1%2e%3").arg(QString(QLatin1Char(number.negative ? '-' : '+')),
                                                QString::fromStdString(number.digits), QString::number(number.exponent));
    QTEST(scanned, "scanned");
}

void TestAnswer::decimalToDouble_data()
{
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<int>("exponent");
    QTest::addColumn<double>("value");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("a reading") << QByteArray("1235") << -2 << 0x1.8b33333333333p+3;
    QTest::newRow("a tenth") << QByteArray("1") << -1 << 0x1.999999999999ap-4;
    QTest::newRow("1e23, close to halfway") << QByteArray("1") << 23 << 0x1.52d02c7e14af6p+76;
    QTest::newRow("halfway, rounds to even") << QByteArray("9007199254740993") << 0 << 0x1p53;
    QTest::newRow("halfway, rounds up to even") << QByteArray("9007199254740995") << 0 << 0x1.0000000000002p53;
    QTest::newRow("largest subnormal") << QByteArray("22250738585072011") << -324 << 0x0.fffffffffffffp-1022;
    QTest::newRow("smallest normal") << QByteArray("22250738585072012") << -324 << 0x1p-1022;
    QTest::newRow("smallest subnormal") << QByteArray("49406564584124654") << -340 << 0x1p-1074;
    QTest::newRow("largest double") << QByteArray("17976931348623157") << 292 << DBL_MAX;
    QTest::newRow("far too large") << QByteArray("1") << 400 << inf;
    QTest::newRow("far too small") << QByteArray("1") << -400 << 0.0;
    // 2^-1075, half the smallest subnormal, is 5^1075 x 10^-1075; ties go to
    // the even neighbour, zero.
    const std::string halfSmallest = productDigits({{5, 1075}});
    QTest::newRow("half the smallest subnormal, to even") << QByteArray::fromStdString(halfSmallest) << -1075 << 0.0;
    QTest::newRow("just above half the smallest subnormal")
        << QByteArray::fromStdString(halfSmallest + "1") << -1076 << 0x1p-1074;
    // Halfway between the largest double and 2^1024: (2^54 - 1) x 2^970.
    std::string halfwayOver = productDigits({{2, 970}, {(1u << 27) - 1, 1}, {(1u << 27) + 1, 1}});
    QTest::newRow("halfway beyond the largest double, to even") << QByteArray::fromStdString(halfwayOver) << 0 << inf;
    halfwayOver.back() = char(halfwayOver.back() - 1); // ends in 2: a tenth below it
    QTest::newRow("just below that halfway") << QByteArray::fromStdString(halfwayOver + "9") << -1 << DBL_MAX;
}

void TestAnswer::decimalToDouble()
{
    QFETCH(QByteArray, digits);
    QFETCH(int, exponent);
    QFETCH(double, value);
    const double read = ::decimalToDouble(digits.toStdString(), exponent);
    QVERIFY2(same(read, value), differ(read, value));
}

// The program reads with its own conversion on every platform. Where the
// library reads doubles with from_chars, the two must agree on anything, long
// digit strings near halfway, subnormals and overflow included.
void TestAnswer::decimalToDoubleAgreesWithTheLibrary()
{
#if defined(__cpp_lib_to_chars)
    std::mt19937_64 random(20260101);
    for (int i = 0; i < 20000; ++i) {
        const std::size_t length = 1 + random() % (i % 10 == 0 ? 800 : 25);
        std::string digits(1, char('1' + random() % 9));
        const bool nearHalfway = i % 3 == 0; // long runs of 0 or 9
        while (digits.size() < length)
            digits.push_back(nearHalfway && digits.size() > 17 ? (random() % 2 ? '0' : '9') : char('0' + random() % 10));
        const long exponent = long(random() % 700) - 360 - long(length);
        const std::string text = digits + 'e' + std::to_string(exponent);
        double expected = 0.0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), expected);
        if (result.ec == std::errc::result_out_of_range)
            expected = long(length) + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        const double read = ::decimalToDouble(digits, exponent);
        QVERIFY2(same(read, expected), QByteArray::fromStdString(text) + ": " + differ(read, expected));
    }
#else
    QSKIP("this C++ library has no floating-point from_chars to compare with");
#endif
}

void TestAnswer::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("one digit") << 3.0 << " 3";
    QTest::newRow("five hundredths, no zero in front") << 5.0 << " 5";
    QTest::newRow("largest reading") << 90.0 << " 90";
    QTest::newRow("no grouping") << 16777216.0 << " 16777216";
    QTest::newRow("negative") << -3.0 << "-3";
    QTest::newRow("point as separator") << 12.5 << " 12.5";
    QTest::newRow("plain digits, no exponent") << 1e20 << " 100000000000000000000";
}

void TestAnswer::numberText()
{
    QFETCH(double, value);
    QTEST(QString::fromStdString(::numberText(value)), "text");
}

void TestAnswer::toSingle_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<float>("single");
    const float inf = std::numeric_limits<float>::infinity();
    QTest::newRow("a reading") << 12.35 << 12.35f;
    QTest::newRow("largest float") << double(FLT_MAX) << FLT_MAX;
    QTest::newRow("just beyond, rounds down") << double(FLT_MAX) + 0x1.0p102 << FLT_MAX;
    QTest::newRow("halfway beyond, overflows") << double(FLT_MAX) + 0x1.0p103 << inf;
    QTest::newRow("largest double") << DBL_MAX << inf;
    QTest::newRow("negative largest double") << -DBL_MAX << -inf;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << inf;
}

void TestAnswer::toSingle()
{
    QFETCH(double, value);
    QTEST(::toSingle(value), "single");
}

void TestAnswer::judge_data()
{
    QTest::addColumn<int>("valorRegle");
    QTest::addColumn<int>("valorNonius");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("right");
    QTest::addColumn<float>("resultat");

    QTest::newRow("12.35 typed") << 12 << 35 << "12.35" << true << 12.35f;
    QTest::newRow("12,35 reads as 12") << 12 << 35 << "12,35" << false << 12.35f;
    QTest::newRow("12.35 mm typed") << 12 << 35 << "12.35 mm" << true << 12.35f;
    QTest::newRow("within half a unit of single precision") << 12 << 35 << "12.3500001" << true << 12.35f;
    QTest::newRow("a hundredth off") << 12 << 35 << "12.36" << false << 12.35f;
    QTest::newRow("12.5 for 12.05") << 12 << 5 << "12.5" << false << 12.05f;
    QTest::newRow("12.05 for 12.05") << 12 << 5 << "12.05" << true << 12.05f;
    QTest::newRow("12.3 at 0,1 mm") << 12 << 30 << "12.3" << true << 12.3f;
    QTest::newRow("12.30 at 0,1 mm") << 12 << 30 << "12.30" << true << 12.3f;
    QTest::newRow("nothing typed is 0") << 12 << 35 << " " << false << 12.35f;
    QTest::newRow("before any measurement, an empty box is right") << 0 << 0 << "" << true << 0.f;
    QTest::newRow("negative reading") << 12 << 35 << "-12.35" << false << 12.35f;
    QTest::newRow("too large for a double is wrong") << 90 << 0 << "9" + QString(400, QLatin1Char('9')) << false << 90.f;
    QTest::newRow("too large for a float is wrong") << 90 << 0 << "1" + QString(50, QLatin1Char('0')) << false << 90.f;
    QTest::newRow("longest reading") << 90 << 0 << "90.00" << true << 90.f;
    QTest::newRow("shortest reading") << 0 << 5 << "0.05" << true << 0.05f;
    QTest::newRow("shortest, no leading zero") << 0 << 5 << ".05" << true << 0.05f;
}

void TestAnswer::judge()
{
    QFETCH(int, valorRegle);
    QFETCH(int, valorNonius);
    QFETCH(QString, answer);
    QFETCH(bool, right);

    ExerciseState s;
    s.ValorRegle = float(valorRegle);
    s.ValorNonius = std::int16_t(valorNonius);
    s.NumEncerts = 4;
    QCOMPARE(judgeAnswer(s, u16(answer)), right);
    QFETCH(float, resultat);
    QVERIFY2(s.Resultat == resultat, "the reading must be the nearest float, exactly");
    QCOMPARE(s.NumEncerts, right ? 5.f : 4.f);
    QCOMPARE(s.ValorRegle, float(valorRegle));
    QCOMPARE(s.ValorNonius, std::int16_t(valorNonius));
}

QTEST_APPLESS_MAIN(TestAnswer)
#include "tst_answer.moc"
