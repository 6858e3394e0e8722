// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The drawing surface and the caliper's pictures: what each routine draws,
// in twips, and how it appears on screens of different scales.
#include "caliper.h"
#include "colours.h"
#include "drawingsurface.h"
#include "measurement.h"

#include <QSet>
#include <QTest>

#include <algorithm>

namespace {

using Kind = DrawOp::Kind;

// The x of every vertical line that runs from y = from to y = to.
QList<int> verticals(const DrawingSurface &surface, float from, float to, std::optional<QRgb> colour = {})
{
    QList<int> xs;
    for (const DrawOp &op : surface.operations()) {
        if (op.kind == Kind::Line && op.x1 == op.x2 && op.y1 == from && op.y2 == to
            && (!colour || op.colour == *colour))
            xs << int(op.x1);
    }
    return xs;
}

QList<int> range(int from, int to, int step)
{
    QList<int> xs;
    for (int x = from; step > 0 ? x <= to : x >= to; x += step)
        xs << x;
    return xs;
}

// The numbers printed, with where they stand.
QList<std::tuple<int, int, QString>> printed(const DrawingSurface &surface)
{
    QList<std::tuple<int, int, QString>> numbers;
    for (const DrawOp &op : surface.operations()) {
        if (op.kind == Kind::PrintNumber)
            numbers << std::make_tuple(int(op.x1), int(op.y1), op.text);
    }
    return numbers;
}

constexpr QRgb rgb(QRgb c) { return c & 0xFFFFFF; }

void expectBlack(const QImage &image, std::initializer_list<QPoint> points)
{
    for (const QPoint &at : points)
        QVERIFY2(rgb(image.pixel(at)) == rgb(colours::Black), qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
}

// A slanted line crosses this row within a pixel of x, and the row is
// background 5 pixels either side.
void expectBlackNear(const QImage &image, int x, int row)
{
    bool crossed = false;
    for (int dx = -1; dx <= 2; ++dx)
        crossed = crossed || rgb(image.pixel(x + dx, row)) == rgb(colours::Black);
    QVERIFY2(crossed, qPrintable(QStringLiteral("no line near %1,%2").arg(x).arg(row)));
    QCOMPARE(rgb(image.pixel(x - 5, row)), rgb(colours::Peach));
    QCOMPARE(rgb(image.pixel(x + 6, row)), rgb(colours::Peach));
}

} // namespace

class TestDrawing : public QObject {
    Q_OBJECT

private slots:
    void surfaceCurrentPoint();
    void surfaceKeepsWhatWasDrawn();
    void jawsAtRest();
    void fixedRuleTicks();
    void restSlide();
    void restZoom();
    void slideMovesWithTheReading_data();
    void slideMovesWithTheReading();
    void slideVernier_data();
    void slideVernier();
    void coincidenceOnEveryPosition_data();
    void coincidenceOnEveryPosition();
    void zoomRedLines_data();
    void zoomRedLines();
    void zoomDependsOnlyOnHundredths();
    void scales_data();
    void pictureColours_data() { scales_data(); }
    void pictureColours();
    void coincidingLinesShareAColumn_data() { scales_data(); }
    void coincidingLinesShareAColumn();
    void slideAtTheEndIsClipped_data() { scales_data(); }
    void slideAtTheEndIsClipped();
    void restDrawingOverItselfChangesNothing();
};

void TestDrawing::surfaceCurrentPoint()
{
    DrawingSurface s(1500, 1500);
    s.line(10, 20, 30, 40);
    QCOMPARE(s.currentPoint(), QPointF(30, 40));
    s.clear();
    QCOMPARE(s, DrawingSurface(1500, 1500));
    s.lineTo(150, 300, colours::Red);
    const DrawOp &op = s.operations().front();
    QCOMPARE(op.kind, Kind::LineTo);
    QCOMPARE(op.x1, 0.f);
    QCOMPARE(op.y1, 0.f);
    QCOMPARE(op.colour, colours::Red);
    s.printNumber(10);
    QCOMPARE(s.operations().back().text, QStringLiteral(" 10 "));
    QCOMPARE(s.operations().back().x1, 150.f);
    QCOMPARE(s.operations().back().y1, 300.f);
    s.fillBox(0, 0, 15, 15, colours::Blue);
    QCOMPARE(s.currentPoint(), QPointF(150, 300)); // boxes leave the current point alone
}

// outlineBox with x1 = x2 looks like line between the same points, and a
// segment partly outside shows its inside part.
void TestDrawing::surfaceKeepsWhatWasDrawn()
{
    DrawingSurface a(1500, 1500), b(1500, 1500);
    a.outlineBox(300, 100, 300, 1400, colours::Red);
    b.line(300, 100, 300, 1400, colours::Red);
    for (qreal scale : {1.0, 2.0})
        QCOMPARE(a.render(scale), b.render(scale));

    DrawingSurface c(1500, 1500);
    c.line(-3000, 750, 30000, 750);
    const QImage image = c.render(1);
    QCOMPARE(image.size(), QSize(100, 100));
    QCOMPARE(rgb(image.pixel(0, 50)), rgb(colours::Black));
    QCOMPARE(rgb(image.pixel(99, 50)), rgb(colours::Black));
    QCOMPARE(rgb(image.pixel(50, 40)), rgb(colours::Peach));
}

// The caliper at rest is closed: the moving jaw's face lies on the fixed
// jaw's. The beam, the fixed jaw and a measurement's slide stand where they
// are drawn, on the pixels worked out by hand for scale 1.
void TestDrawing::jawsAtRest()
{
    CaliperPictures fixed, moving;
    drawFixedRule(fixed.caliper);
    drawRestSlide(moving.caliper);
    auto faceAt850 = [](const DrawingSurface &surface) {
        return std::any_of(surface.operations().begin(), surface.operations().end(), [](const DrawOp &op) {
            return op.x1 == 850 && op.x2 == 850 && std::min(op.y1, op.y2) == 1800 && std::max(op.y1, op.y2) == 3500;
        });
    };
    QVERIFY(faceAt850(fixed.caliper));
    QVERIFY(faceAt850(moving.caliper));

    // Pixels at scale 1: the beam's corners (350,100), (11000,100) and
    // (11000,1100), and the jaw's tip from x 750 to 850 at y 3500.
    const QImage image = fixed.caliper.render(1);
    expectBlack(image, {QPoint(23, 7), QPoint(733, 7), QPoint(733, 73), QPoint(50, 233), QPoint(57, 233)});
    QCOMPARE(rgb(image.pixel(40, 40)), rgb(colours::Peach)); // inside the beam

    // The slide at 35.65 mm (Posicio 4565): its jaw's tip from x 4415 to 4515
    // at y 3500, its heel at x 4465 (y 1100 to 1800) and its end at x 6865
    // (y 1600 to 1800).
    const QImage picture = measurementPictures(measurementAt(4565, 1)).caliper.render(1);
    expectBlack(picture, {QPoint(294, 233), QPoint(301, 233), QPoint(298, 115), QPoint(458, 113)});
    QCOMPARE(rgb(picture.pixel(293, 233)), rgb(colours::Peach));
    QCOMPARE(rgb(picture.pixel(302, 233)), rgb(colours::Peach));
    // Its jaw's slanted edge, from (4515,3500) to (4915,1800), crosses y 2250
    // at x 4809: pixel 320.6.
    expectBlackNear(picture, 320, 150);

    // The slide at rest: the jaw's tip from x 850 to 950 at y 3500, the end
    // at x 3200 (y 1600 to 1800), and the slanted edge from (950,3500) to
    // (1400,1800), at x 1281 (pixel 85.4) on y 2250.
    const QImage rest = moving.caliper.render(1);
    expectBlack(rest, {QPoint(57, 233), QPoint(63, 233), QPoint(213, 113)});
    QCOMPARE(rgb(rest.pixel(64, 233)), rgb(colours::Peach));
    expectBlackNear(rest, 85, 150);
}

void TestDrawing::fixedRuleTicks()
{
    CaliperPictures p;
    drawFixedRule(p.caliper);
    QCOMPARE(verticals(p.caliper, 1100, 1000), range(1000, 11000, 100));
    QCOMPARE(verticals(p.caliper, 1100, 700), range(1000, 11000, 1000));
    QCOMPARE(verticals(p.caliper, 1100, 900), range(1500, 10500, 1000));
    const auto numbers = printed(p.caliper);
    QCOMPARE(numbers.size(), 11);
    QCOMPARE(numbers.front(), std::make_tuple(1000, 700, QStringLiteral(" 0 ")));
    QCOMPARE(numbers.back(), std::make_tuple(11000, 700, QStringLiteral(" 100 ")));
    QCOMPARE(std::get<2>(numbers[5]), QStringLiteral(" 50 "));
}

void TestDrawing::restSlide()
{
    CaliperPictures p;
    drawRestSlide(p.caliper); // twenty divisions, whatever resolution is chosen
    QCOMPARE(verticals(p.caliper, 1100, 1200), range(1095, 2805, 190));
    QCOMPARE(verticals(p.caliper, 1100, 1300), range(1000, 2900, 190));
    const auto numbers = printed(p.caliper);
    QCOMPARE(numbers.size(), 11);
    QCOMPARE(numbers.back(), std::make_tuple(2900, 1300, QStringLiteral(" 10 ")));
}

void TestDrawing::restZoom()
{
    CaliperPictures p;
    drawRestZoom(p.zoom);
    // At scale 1: the yellow plate between its lines, its right edge at
    // x 5100 (pixel 340) and its lower edge at y 1300 (pixel 87).
    const QImage image = p.zoom.render(1);
    QCOMPARE(rgb(image.pixel(200, 80)), rgb(colours::Yellow));
    expectBlack(image, {QPoint(340, 80), QPoint(200, 87)});
    QCOMPARE(rgb(image.pixel(342, 80)), rgb(colours::Peach));
    QCOMPARE(rgb(image.pixel(200, 89)), rgb(colours::Peach));
    QCOMPARE(verticals(p.zoom, 600, 900), range(100, 5100, 500));
    QCOMPARE(verticals(p.zoom, 600, 750), range(350, 4850, 500));
    QCOMPARE(verticals(p.zoom, 400, 600, colours::Red), QList<int>({100}));
    QCOMPARE(printed(p.zoom).back(), std::make_tuple(5100, 900, QStringLiteral(" 10 ")));
}

void TestDrawing::slideMovesWithTheReading_data()
{
    QTest::addColumn<int>("posicio");
    QTest::addColumn<int>("apreciacio");
    QTest::newRow("0.05 mm") << 1005 << 1;
    QTest::newRow("45.65 mm") << 5565 << 1;
    QTest::newRow("0.1 mm at 0,1 mm") << 1010 << 2;
    QTest::newRow("90 mm at 0,1 mm") << 10000 << 2;
}

// The slide keeps its shape wherever it stands: a measurement's drawing is
// the one at reading 0 moved by the reading. Its jaw's face then stands as
// far from the fixed jaw's (x 850) as the reading says, and the red zero mark
// runs from the rule's lower edge to its top on Posicio.
void TestDrawing::slideMovesWithTheReading()
{
    QFETCH(int, posicio);
    QFETCH(int, apreciacio);
    CaliperPictures moved, closed;
    drawSlide(measurementAt(posicio, apreciacio), moved.caliper);
    drawSlide(measurementAt(1000, apreciacio), closed.caliper);

    const auto &m = moved.caliper.operations();
    const auto &o = closed.caliper.operations();
    QCOMPARE(m.size(), o.size());
    const float dx = float(posicio - 1000);
    for (size_t i = 0; i < m.size(); ++i) {
        const DrawOp &a = m[i], &b = o[i];
        if (a.kind != b.kind || a.x1 != b.x1 + dx || a.y1 != b.y1 || a.x2 != b.x2 + dx || a.y2 != b.y2
            || a.colour != b.colour || a.text != b.text)
            QFAIL(qPrintable(QStringLiteral("operation %1 is not the closed slide's, moved").arg(i)));
    }
    const auto face = std::find_if(m.begin(), m.end(), [](const DrawOp &op) {
        return op.x1 == op.x2 && op.y1 == 1800 && op.y2 == 3500;
    });
    QVERIFY(face != m.end());
    QCOMPARE(face->x1, 850 + dx);
    QCOMPARE(m[0].kind, Kind::OutlineBox);
    QCOMPARE(QList<float>({m[0].x1, m[0].y1, m[0].x2, m[0].y2}), QList<float>({float(posicio), 1100, float(posicio), 100}));
    QCOMPARE(m[0].colour, colours::Red);
}

void TestDrawing::slideVernier_data()
{
    QTest::addColumn<int>("posicio");
    QTest::addColumn<int>("apreciacio");
    QTest::addColumn<int>("shortLines");
    QTest::newRow("0,05 mm vernier") << 2000 << 1 << 10;
    QTest::newRow("0,1 mm vernier") << 2000 << 2 << 0;
}

void TestDrawing::slideVernier()
{
    QFETCH(int, posicio);
    QFETCH(int, apreciacio);
    QFETCH(int, shortLines);
    const CaliperPictures p = measurementPictures(measurementAt(posicio, apreciacio));
    const QList<int> shorts = verticals(p.caliper, 1100, 1200);
    QCOMPARE(shorts.size(), shortLines);
    if (shortLines)
        QCOMPARE(shorts, range(posicio + 95, posicio + 1805, 190));
    QCOMPARE(verticals(p.caliper, 1100, 1300), range(posicio, posicio + 1900, 190));
    // Each numbered line is followed by its own number, at its lower end.
    const auto &ops = p.caliper.operations();
    int numbered = 0;
    for (size_t i = 0; i + 1 < ops.size(); ++i) {
        if (ops[i].kind == Kind::Line && ops[i].y2 == 1300) {
            QCOMPARE(ops[i + 1].kind, Kind::PrintNumber);
            QCOMPARE(ops[i + 1].x1, ops[i].x2);
            QCOMPARE(ops[i + 1].y1, 1300.f);
            QCOMPARE(ops[i + 1].text, QStringLiteral(" %1 ").arg(numbered++));
        }
    }
    QCOMPARE(numbered, 11);
    // All short lines come before the first numbered one.
    const auto firstLong = std::find_if(ops.begin(), ops.end(), [](const DrawOp &o) { return o.y2 == 1300; });
    QVERIFY(std::none_of(firstLong, ops.end(), [](const DrawOp &o) { return o.y2 == 1200; }));
}

void TestDrawing::coincidenceOnEveryPosition_data()
{
    QTest::addColumn<int>("apreciacio");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("beyondTheRule");
    QTest::newRow("0,05 mm") << 1 << 5 << 36;
    QTest::newRow("0,1 mm") << 2 << 10 << 16;
}

// For every position of the grid, exactly the vernier line that the reading
// names lies on the rule line it names; no other does, but for the last one
// at whole millimetres. Readings whose rule line is past 100 mm show none.
void TestDrawing::coincidenceOnEveryPosition()
{
    QFETCH(int, apreciacio);
    QFETCH(int, step);
    QFETCH(int, beyondTheRule);

    CaliperPictures rule;
    drawFixedRule(rule.caliper);
    const QList<int> ruleLines = verticals(rule.caliper, 1100, 1000);
    const QSet<int> ruleSet(ruleLines.begin(), ruleLines.end());

    int beyond = 0;
    for (int posicio = 1000 + step; posicio <= 10000; posicio += step) {
        const ExerciseState s = measurementAt(posicio, apreciacio);
        const CaliperPictures p = measurementPictures(s);
        const int regle = (posicio - 1000) / 100;
        const int k = s.ValorNonius / (apreciacio == 1 ? 5 : 10);
        const int spacing = apreciacio == 1 ? 95 : 190;
        const int ruleLine = apreciacio == 1 ? regle + k : regle + 2 * k;

        QList<int> vernier = verticals(p.caliper, 1100, 1200) + verticals(p.caliper, 1100, 1300);
        std::sort(vernier.begin(), vernier.end());
        QCOMPARE(vernier.size(), apreciacio == 1 ? 21 : 11);
        QCOMPARE(vernier[k], posicio + k * spacing);

        QList<int> meeting;
        QStringList meetingText;
        for (int x : vernier) {
            if (ruleSet.contains(x)) {
                meeting << x;
                meetingText << QString::number(x);
            }
        }
        QList<int> expected;
        if (ruleLine <= 100)
            expected << 1000 + 100 * ruleLine;
        else
            ++beyond;
        if (s.ValorNonius == 0 && regle + 19 <= 100)
            expected << 1000 + 100 * (regle + 19);
        if (meeting != expected)
            QFAIL(qPrintable(QStringLiteral("Posicio %1: vernier meets the rule at %2")
                                 .arg(posicio)
                                 .arg(meetingText.join(QLatin1Char(',')))));
    }
    QCOMPARE(beyond, beyondTheRule);
}

void TestDrawing::zoomRedLines_data()
{
    QTest::addColumn<int>("apreciacio");
    QTest::addColumn<int>("hundredths");
    QTest::addColumn<QList<int>>("red");

    QTest::newRow("0,05 mm, h 0") << 1 << 0 << QList<int>({100, 550, 1000, 1450, 100, -350, -800, -1250});
    QTest::newRow("0,05 mm, h 95") << 1 << 95
        << QList<int>({4850, 5300, 5750, 6200, 4850, 4400, 3950, 3500});
    QTest::newRow("0,05 mm, h 50") << 1 << 50
        << QList<int>({2600, 3050, 3500, 3950, 2600, 2150, 1700, 1250});
    QTest::newRow("0,1 mm, h 0") << 2 << 0
        << range(100, 3250, 450) + range(100, -3500, -450);
    QTest::newRow("0,1 mm, h 90") << 2 << 90
        << range(4600, 7750, 450) + range(4600, 1000, -450);
}

void TestDrawing::zoomRedLines()
{
    QFETCH(int, apreciacio);
    QFETCH(int, hundredths);
    QFETCH(QList<int>, red);
    const CaliperPictures p = measurementPictures(measurementAt(1000 + 4200 + hundredths, apreciacio));
    QCOMPARE(verticals(p.zoom, 400, 600, colours::Red), red);
    QCOMPARE(QSet<int>(red.begin(), red.end()).size(), apreciacio == 1 ? 7 : 16);
    QCOMPARE(verticals(p.zoom, 600, 900), range(100, 5100, 500));
    QCOMPARE(verticals(p.zoom, 600, 750).size(), apreciacio == 1 ? 10 : 0);
    // The red line at x0 continues the coinciding vernier line upwards.
    const int n = hundredths / (apreciacio == 1 ? 5 : 10);
    QCOMPARE(red.front(), 100 + (apreciacio == 1 ? 250 : 500) * n);
}

void TestDrawing::zoomDependsOnlyOnHundredths()
{
    for (int apreciacio : {1, 2}) {
        const DrawingSurface a = measurementPictures(measurementAt(1230, apreciacio)).zoom;
        const DrawingSurface b = measurementPictures(measurementAt(8730, apreciacio)).zoom;
        QCOMPARE(a, b);
        QCOMPARE(a.render(2), b.render(2));
    }
}

// Where things land at each screen scale, worked out by hand: a twip value
// stands on the nearest pixel at 96 dpi (x / 15, rounded), which the scale
// multiplies, rounded down; a line is the scale's nearest whole number of
// pixels wide.
void TestDrawing::scales_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("x4565"); // the zero mark of 35.65 mm
    QTest::addColumn<int>("x5800"); // the rule's 48 mm line
    QTest::addColumn<int>("x10000"); // the zero mark of 90 mm
    QTest::addColumn<int>("y600");   // the zero mark, above the rule's ticks
    QTest::addColumn<int>("y1050");  // the rule's ticks
    QTest::addColumn<int>("y1150");  // the vernier's lines
    QTest::addColumn<int>("y1450");  // the slide's body
    QTest::newRow("scale 1") << 1.0 << 1 << 304 << 387 << 667 << 40 << 70 << 77 << 97;
    QTest::newRow("scale 1.25") << 1.25 << 1 << 380 << 483 << 833 << 50 << 87 << 96 << 121;
    QTest::newRow("scale 1.5") << 1.5 << 2 << 456 << 580 << 1000 << 60 << 105 << 115 << 145;
    QTest::newRow("scale 2") << 2.0 << 2 << 608 << 774 << 1334 << 80 << 140 << 154 << 194;
}

void TestDrawing::pictureColours()
{
    QFETCH(qreal, scale);
    QFETCH(int, width);
    QFETCH(int, x4565);
    QFETCH(int, y600);
    QFETCH(int, y1450);
    const CaliperPictures p = measurementPictures(measurementAt(4565, 1));
    auto inside = [scale](int pixelsAt96) { return int(pixelsAt96 * scale); };
    const QImage caliper = p.caliper.render(scale);
    QCOMPARE(caliper.size(), QSize(qCeil(793 * scale), qCeil(241 * scale)));
    QCOMPARE(rgb(caliper.pixel(inside(400), inside(200))), rgb(colours::Peach));
    QCOMPARE(rgb(caliper.pixel(inside(333), y1450)), rgb(colours::Yellow));
    // The red zero mark on the pixel column of Posicio, one line wide.
    for (int dx = 0; dx < width; ++dx)
        QCOMPARE(rgb(caliper.pixel(x4565 + dx, y600)), rgb(colours::Red));
    QCOMPARE(rgb(caliper.pixel(x4565 - 1, y600)), rgb(colours::Peach));
    QCOMPARE(rgb(caliper.pixel(x4565 + width, y600)), rgb(colours::Peach));

    // The zoom: the yellow plate, the red line over vernier line 13 (x 3350,
    // y 500: pixel 223, 33 at 96 dpi), and peach beside the plate.
    const QImage zoom = p.zoom.render(scale);
    QCOMPARE(rgb(zoom.pixel(inside(13), inside(80))), rgb(colours::Yellow));
    QCOMPARE(rgb(zoom.pixel(int(223 * scale), int(33 * scale))), rgb(colours::Red));
    QCOMPARE(rgb(zoom.pixel(inside(367), inside(13))), rgb(colours::Peach));
}

// 45.65 mm: vernier line 13 (x = 5800) lies on the rule's 48 mm line. The
// rule's tick above the edge and the vernier's line below it must fill the
// very same device pixel columns.
void TestDrawing::coincidingLinesShareAColumn()
{
    QFETCH(int, width);
    QFETCH(int, x5800);
    QFETCH(int, y1050);
    QFETCH(int, y1150);
    QFETCH(qreal, scale);
    const QImage image = measurementPictures(measurementAt(4565, 1)).caliper.render(scale);
    auto blackColumns = [&](int row) {
        QList<int> cols;
        for (int x = x5800 - 4; x <= x5800 + 4; ++x) {
            if (rgb(image.pixel(x, row)) == rgb(colours::Black))
                cols << x;
        }
        return cols;
    };
    QList<int> expected;
    for (int dx = 0; dx < width; ++dx)
        expected << x5800 + dx;
    QCOMPARE(blackColumns(y1050), expected);
    QCOMPARE(blackColumns(y1150), expected);
}

void TestDrawing::slideAtTheEndIsClipped()
{
    QFETCH(qreal, scale);
    QFETCH(int, x10000);
    QFETCH(int, y600);
    QFETCH(int, y1450);
    const QImage image = measurementPictures(measurementAt(10000, 1)).caliper.render(scale);
    QCOMPARE(image.size(), QSize(qCeil(793 * scale), qCeil(241 * scale)));
    // The body runs on past the right edge: its last visible column is yellow.
    QCOMPARE(rgb(image.pixel(image.width() - 1, y1450)), rgb(colours::Yellow));
    QCOMPARE(rgb(image.pixel(x10000, y600)), rgb(colours::Red));
}

void TestDrawing::restDrawingOverItselfChangesNothing()
{
    const CaliperPictures once = restPictures();
    CaliperPictures twice = restPictures();
    drawFixedRule(twice.caliper);
    drawRestSlide(twice.caliper);
    drawRestZoom(twice.zoom);
    for (qreal scale : {1.0, 2.0}) {
        QCOMPARE(twice.caliper.render(scale), once.caliper.render(scale));
        QCOMPARE(twice.zoom.render(scale), once.zoom.render(scale));
    }
}

QTEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
