// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Measurement generation: the drawn value, the grid, the two parts of the
// reading, the judging of every reading either grid can pose, and the
// probabilities of the positions.
#include "answer.h"
#include "measurement.h"
#include "posedrandom.h"

#include <QSet>
#include <QTest>

#include <map>

namespace {

// Poses a measurement whose random draw is `drawn`.
bool pose(ExerciseState &s, PosedRandom &random, int drawn)
{
    random.pose(drawn);
    if (random.drawnOf(random.next()) != drawn)
        qFatal("posed value %d does not draw as itself", drawn);
    return poseMeasurement(s, random);
}

std::u16string u16(const QString &text)
{
    return text.toStdU16String();
}

} // namespace

class TestMeasurement : public QObject {
    Q_OBJECT

private slots:
    void edgeCases_data();
    void edgeCases();
    void unknownResolutionStopsAfterDrawing_data();
    void unknownResolutionStopsAfterDrawing();
    void everyGridPosition_data();
    void everyGridPosition();
    void distribution_data();
    void distribution();
    void clockSourceEveryOutputDrawsInRange();
    void clockSourceDiffersOnOneClockReading();
};

void TestMeasurement::edgeCases_data()
{
    QTest::addColumn<int>("apreciacio");
    QTest::addColumn<int>("drawn");
    QTest::addColumn<float>("posicio");
    QTest::addColumn<float>("valorRegle");
    QTest::addColumn<int>("valorNonius");

    QTest::newRow("0,05 mm: drawn 0 is raised to 1000, then 1005") << 1 << 0 << 1005.f << 0.f << 5;
    QTest::newRow("0,1 mm: drawn 0 is raised to 1000, then 1010") << 2 << 0 << 1010.f << 0.f << 10;
    QTest::newRow("0,05 mm: drawn 999 becomes 2000") << 1 << 999 << 2000.f << 10.f << 0;
    QTest::newRow("0,1 mm: drawn 999 becomes 2000") << 2 << 999 << 2000.f << 10.f << 0;
    QTest::newRow("0,05 mm: drawn 1000 is not raised") << 1 << 1000 << 1005.f << 0.f << 5;
    QTest::newRow("0,1 mm: drawn 1000 is not raised") << 2 << 1000 << 1010.f << 0.f << 10;
    QTest::newRow("0,05 mm: drawn 1995 moves a full step") << 1 << 1995 << 2000.f << 10.f << 0;
    QTest::newRow("0,1 mm: drawn 1995 moves half a step") << 2 << 1995 << 2000.f << 10.f << 0;
    QTest::newRow("0,05 mm: drawn 9999 becomes 10000") << 1 << 9999 << 10000.f << 90.f << 0;
    QTest::newRow("0,1 mm: drawn 9999 becomes 10000") << 2 << 9999 << 10000.f << 90.f << 0;
    QTest::newRow("0,05 mm: drawn 4567 becomes 4570") << 1 << 4567 << 4570.f << 35.f << 70;
    QTest::newRow("0,1 mm: drawn 4567 becomes 4570") << 2 << 4567 << 4570.f << 35.f << 70;
    QTest::newRow("0,05 mm: drawn 4560 becomes 4565") << 1 << 4560 << 4565.f << 35.f << 65;
    QTest::newRow("0,1 mm: drawn 4560 becomes 4570") << 2 << 4560 << 4570.f << 35.f << 70;
    QTest::newRow("0,05 mm: 1100 is exactly 1 mm") << 1 << 1095 << 1100.f << 1.f << 0;
    QTest::newRow("0,1 mm: 1100 is exactly 1 mm") << 2 << 1090 << 1100.f << 1.f << 0;
}

void TestMeasurement::edgeCases()
{
    QFETCH(int, apreciacio);
    QFETCH(int, drawn);
    ExerciseState s;
    s.Apreciacio = static_cast<std::uint8_t>(apreciacio);
    s.NumMesures = 6;
    PosedRandom random;
    QVERIFY(pose(s, random, drawn));
    QCOMPARE(random.reseeds, 1);
    QCOMPARE(s.NumMesures, 7.f);
    QTEST(s.Posicio, "posicio");
    QTEST(s.ValorRegle, "valorRegle");
    QTEST(int(s.ValorNonius), "valorNonius");
}

void TestMeasurement::unknownResolutionStopsAfterDrawing_data()
{
    QTest::addColumn<int>("apreciacio");
    QTest::addColumn<int>("drawn");
    QTest::addColumn<float>("rawPosicio");
    QTest::newRow("resolution 0, drawn 12 is raised") << 0 << 12 << 1012.f;
    QTest::newRow("resolution 3, drawn 4567 stays") << 3 << 4567 << 4567.f;
}

void TestMeasurement::unknownResolutionStopsAfterDrawing()
{
    QFETCH(int, apreciacio);
    QFETCH(int, drawn);
    ExerciseState s;
    s.Apreciacio = static_cast<std::uint8_t>(apreciacio);
    s.ValorNonius = 35;
    s.ValorRegle = 12;
    PosedRandom random;
    QVERIFY(!pose(s, random, drawn));
    QCOMPARE(s.NumMesures, 1.f); // counted all the same
    QTEST(s.Posicio, "rawPosicio");
    QCOMPARE(s.ValorNonius, std::int16_t(35));
    QCOMPARE(s.ValorRegle, 12.f);
}

void TestMeasurement::everyGridPosition_data()
{
    QTest::addColumn<int>("apreciacio");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("positions");
    QTest::newRow("0,05 mm grid") << 1 << 5 << 1800;
    QTest::newRow("0,1 mm grid") << 2 << 10 << 900;
}

// Poses every position of the grid and judges the answers a student could
// type for it: the reading written out is right, its neighbours 0.01 mm
// away are wrong.
void TestMeasurement::everyGridPosition()
{
    QFETCH(int, apreciacio);
    QFETCH(int, step);
    QFETCH(int, positions);

    int seen = 0;
    for (int posicio = 1000 + step; posicio <= 10000; posicio += step, ++seen) {
        ExerciseState s;
        s.Apreciacio = static_cast<std::uint8_t>(apreciacio);
        PosedRandom random;
        QVERIFY(pose(s, random, posicio - 1));
        QCOMPARE(s.Posicio, float(posicio));
        QCOMPARE(s.Posicio, 1000.f + 100.f * s.ValorRegle + float(s.ValorNonius));
        QCOMPARE(int(s.ValorRegle), (posicio - 1000) / 100);
        QCOMPARE(int(s.ValorNonius), posicio % 100);
        // The state at a given Posicio, as the pictures are drawn from it,
        // is the one posing leaves, but for the count.
        ExerciseState at = measurementAt(posicio, s.Apreciacio);
        at.NumMesures = s.NumMesures;
        QVERIFY(at == s);

        const int mm = (posicio - 1000) / 100;
        const int hundredths = posicio % 100;
        const QString reading = QStringLiteral("%1.%2").arg(mm).arg(hundredths, 2, 10, QLatin1Char('0'));
        QStringList right = {reading, reading + QLatin1Char('0'), QLatin1Char('0') + reading};
        if (hundredths == 0)
            right << QString::number(mm);
        for (const QString &answer : right) {
            if (!judgeAnswer(s, u16(answer)))
                QFAIL(qPrintable(QStringLiteral("%1 judged wrong at Posicio %2").arg(answer).arg(posicio)));
        }
        for (int delta : {-1, 1}) {
            const int total = mm * 100 + hundredths + delta;
            const QString neighbour = QStringLiteral("%1.%2").arg(total / 100).arg(total % 100, 2, 10, QLatin1Char('0'));
            if (judgeAnswer(s, u16(neighbour)))
                QFAIL(qPrintable(QStringLiteral("%1 judged right at Posicio %2").arg(neighbour).arg(posicio)));
        }
        QCOMPARE(s.NumEncerts, float(right.size()));
    }
    QCOMPARE(seen, positions);
}

void TestMeasurement::distribution_data()
{
    QTest::addColumn<int>("apreciacio");
    QTest::addColumn<int>("step");
    QTest::newRow("0,05 mm") << 1 << 5;
    QTest::newRow("0,1 mm") << 2 << 10;
}

// Every drawn whole number 0..9999 is equally likely, so counting the
// positions they lead to gives each position's probability exactly.
void TestMeasurement::distribution()
{
    QFETCH(int, apreciacio);
    QFETCH(int, step);

    std::map<int, int> count;
    for (int drawn = 0; drawn < 10000; ++drawn) {
        ExerciseState s;
        s.Apreciacio = static_cast<std::uint8_t>(apreciacio);
        PosedRandom random;
        QVERIFY(pose(s, random, drawn));
        ++count[int(s.Posicio)];
    }
    QCOMPARE(int(count.size()), 9000 / step);
    for (const auto &[posicio, times] : count) {
        QVERIFY(posicio % step == 0);
        const int expected = posicio <= 2000 ? 2 * step : step;
        if (times != expected)
            QFAIL(qPrintable(QStringLiteral("Posicio %1 drawn %2 times in 10000, not %3")
                                 .arg(posicio).arg(times).arg(expected)));
    }
    QCOMPARE(count.begin()->first, 1000 + step);
    QCOMPARE(count.rbegin()->first, 10000);
}

// The largest value the source can give, 1 - 2^-24, must still draw 9999:
// a value that rounds up to 10000 would pose a reading beyond 90 mm.
void TestMeasurement::clockSourceEveryOutputDrawsInRange()
{
    for (std::uint64_t top = 0; top < (1u << 24); ++top) {
        const float r = ClockRandomSource::toUnitFloat(top << 40);
        const int drawn = PosedRandom::drawnOf(r);
        if (r >= 1.0f || drawn < 0 || drawn > 9999)
            QFAIL(qPrintable(QStringLiteral("output %1 draws %2").arg(top).arg(drawn)));
    }
    QCOMPARE(ClockRandomSource::toUnitFloat(~0ull), 1.0f - 0x1.0p-24f);
}

// Two presses in quick succession can reseed from the same clock reading (a
// coarse clock, or one tick apart); they must still give unrelated positions.
void TestMeasurement::clockSourceDiffersOnOneClockReading()
{
    ClockRandomSource random([] { return std::uint64_t(1'765'000'000'000'000'000); });
    QSet<float> values;
    for (int i = 0; i < 1000; ++i) {
        random.reseed();
        values.insert(random.next());
    }
    QVERIFY2(values.size() >= 990, qPrintable(QString::number(values.size())));
}

QTEST_APPLESS_MAIN(TestMeasurement)
#include "tst_measurement.moc"
