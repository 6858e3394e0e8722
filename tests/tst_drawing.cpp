// The drawing surface and the caliper's pictures: what each routine draws,
// in twips, and how it appears on screens of different scales.
#include "caliper.h"
#include "drawingsurface.h"

#include <QSet>
#include <QTest>

#include <algorithm>

namespace {

using Kind = DrawOp::Kind;

struct Surfaces {
    DrawingSurface caliper;
    DrawingSurface zoom;
    Surfaces()
    {
        caliper.resize(11895 / 15, 3615 / 15);
        zoom.resize(5805 / 15, 1455 / 15);
    }
};

// A measurement's state as generation leaves it.
ExerciseState measured(int posicio, int apreciacio)
{
    ExerciseState s;
    s.Apreciacio = std::uint8_t(apreciacio);
    s.Posicio = float(posicio);
    s.ValorNonius = std::int16_t(posicio % 100);
    s.ValorRegle = float((posicio - 1000) / 100);
    return s;
}

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

bool sameOps(const DrawingSurface &a, const DrawingSurface &b)
{
    const auto &x = a.operations();
    const auto &y = b.operations();
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const DrawOp &p, const DrawOp &q) {
        return p.kind == q.kind && p.x1 == q.x1 && p.y1 == q.y1 && p.x2 == q.x2 && p.y2 == q.y2
               && p.colour == q.colour && p.text == q.text;
    });
}

// Operations as "kind x1,y1 x2,y2 colour" lines, for the outline tables.
QStringList describe(const DrawingSurface &surface, int first, int count)
{
    static const char *names[] = {"line", "lineTo", "fillBox", "outlineBox", "printNumber"};
    QStringList out;
    const auto &ops = surface.operations();
    for (int i = first; i < first + count && i < int(ops.size()); ++i) {
        const DrawOp &op = ops[size_t(i)];
        out << QStringLiteral("%1 %2,%3 %4,%5 %6")
                   .arg(QLatin1String(names[int(op.kind)]))
                   .arg(op.x1).arg(op.y1).arg(op.x2).arg(op.y2)
                   .arg(QColor(op.colour).name());
    }
    return out;
}

QRgb pixelAt(const QImage &image, float xTwips, float yTwips, qreal scale)
{
    return image.pixel(DrawingSurface::toDevice(xTwips, scale), DrawingSurface::toDevice(yTwips, scale)) & 0xFFFFFF;
}

constexpr QRgb rgb(QRgb c) { return c & 0xFFFFFF; }

} // namespace

class TestDrawing : public QObject {
    Q_OBJECT

private slots:
    void surfaceCurrentPoint();
    void surfaceKeepsWhatWasDrawn();
    void fixedRuleOutline();
    void fixedRuleTicks();
    void restSlide();
    void restZoom();
    void routinesChangeOnlyIndex();
    void slideOutline_data();
    void slideOutline();
    void slideVernier_data();
    void slideVernier();
    void coincidenceOnEveryPosition_data();
    void coincidenceOnEveryPosition();
    void zoomRedLines_data();
    void zoomRedLines();
    void zoomDependsOnlyOnHundredths();
    void pictureColours_data();
    void pictureColours();
    void coincidingLinesShareAColumn_data();
    void coincidingLinesShareAColumn();
    void slideAtTheEndIsClipped_data();
    void slideAtTheEndIsClipped();
    void pictureSurvivesHideAndShow();
    void restDrawingOverItselfChangesNothing();
};

void TestDrawing::surfaceCurrentPoint()
{
    DrawingSurface s;
    s.line(10, 20, 30, 40);
    QCOMPARE(s.currentX(), 30.f);
    s.clear();
    QVERIFY(s.operations().empty());
    s.lineTo(150, 300, DrawingSurface::Red);
    const DrawOp &op = s.operations().front();
    QCOMPARE(op.kind, Kind::LineTo);
    QCOMPARE(op.x1, 0.f);
    QCOMPARE(op.y1, 0.f);
    QCOMPARE(op.colour, DrawingSurface::Red);
    s.printNumber(10);
    QCOMPARE(s.operations().back().text, QStringLiteral(" 10 "));
    QCOMPARE(s.operations().back().x1, 150.f);
    QCOMPARE(s.operations().back().y1, 300.f);
    s.fillBox(0, 0, 15, 15, DrawingSurface::Blue);
    QCOMPARE(s.currentX(), 150.f); // boxes leave the current point alone
}

// outlineBox with x1 = x2 looks like line between the same points, and a
// segment partly outside shows its inside part.
void TestDrawing::surfaceKeepsWhatWasDrawn()
{
    DrawingSurface a, b;
    a.resize(100, 100);
    b.resize(100, 100);
    a.outlineBox(300, 100, 300, 1400, DrawingSurface::Red);
    b.line(300, 100, 300, 1400, DrawingSurface::Red);
    for (qreal scale : {1.0, 2.0})
        QCOMPARE(a.render(scale), b.render(scale));

    DrawingSurface c;
    c.resize(100, 100);
    c.line(-3000, 750, 30000, 750);
    const QImage image = c.render(1);
    QCOMPARE(image.size(), QSize(100, 100));
    QCOMPARE(rgb(image.pixel(0, 50)), rgb(DrawingSurface::Black));
    QCOMPARE(rgb(image.pixel(99, 50)), rgb(DrawingSurface::Black));
    QCOMPARE(rgb(image.pixel(50, 40)), rgb(DrawingSurface::Peach));
}

void TestDrawing::fixedRuleOutline()
{
    Surfaces p;
    ExerciseState s;
    drawFixedRule(s, p.caliper);
    const QStringList expected = {
        "line 350,100 11000,100 #000000",   "lineTo 11000,100 11000,1100 #000000",
        "lineTo 11000,1100 800,1100 #000000", "line 350,1100 350,100 #000000",
        "line 350,1100 400,1800 #000000",   "lineTo 400,1800 750,3500 #000000",
        "lineTo 750,3500 850,3500 #000000", "lineTo 850,3500 850,1800 #000000",
        "lineTo 850,1800 800,1800 #000000", "lineTo 800,1800 800,1100 #000000",
    };
    QCOMPARE(describe(p.caliper, 0, 10), expected);
}

void TestDrawing::fixedRuleTicks()
{
    Surfaces p;
    ExerciseState s;
    drawFixedRule(s, p.caliper);
    QCOMPARE(verticals(p.caliper, 1100, 1000), range(1000, 11000, 100));
    QCOMPARE(verticals(p.caliper, 1100, 700), range(1000, 11000, 1000));
    QCOMPARE(verticals(p.caliper, 1100, 900), range(1500, 10500, 1000));
    const auto numbers = printed(p.caliper);
    QCOMPARE(numbers.size(), 11);
    QCOMPARE(numbers.front(), std::make_tuple(1000, 700, QStringLiteral(" 0 ")));
    QCOMPARE(numbers.back(), std::make_tuple(11000, 700, QStringLiteral(" 100 ")));
    QCOMPARE(std::get<2>(numbers[5]), QStringLiteral(" 50 "));
    QCOMPARE(int(p.caliper.operations().size()), 10 + 101 + 2 * 11 + 10);
}

void TestDrawing::restSlide()
{
    Surfaces p;
    ExerciseState s;
    s.Apreciacio = 2; // the rest vernier has twenty divisions whatever is chosen
    drawRestSlide(s, p.caliper);
    const QStringList expected = {
        "fillBox 900,1100 3200,1600 #ffff00",  "line 900,1100 900,1800 #000000",
        "lineTo 900,1800 850,1800 #000000",    "lineTo 850,1800 850,3500 #000000",
        "lineTo 850,3500 950,3500 #000000",    "lineTo 950,3500 1400,1800 #000000",
        "lineTo 1400,1800 3200,1800 #000000",  "lineTo 3200,1800 3200,1600 #000000",
        "line 900,1100 3200,1100 #0000ff",     "lineTo 3200,1100 3200,1600 #0000ff",
        "lineTo 3200,1600 900,1600 #0000ff",   "lineTo 900,1600 900,1100 #0000ff",
    };
    QCOMPARE(describe(p.caliper, 0, 12), expected);
    QCOMPARE(verticals(p.caliper, 1100, 1200), range(1095, 2805, 190));
    QCOMPARE(verticals(p.caliper, 1100, 1300), range(1000, 2900, 190));
    const auto numbers = printed(p.caliper);
    QCOMPARE(numbers.size(), 11);
    QCOMPARE(numbers.back(), std::make_tuple(2900, 1300, QStringLiteral(" 10 ")));
}

void TestDrawing::restZoom()
{
    Surfaces p;
    drawRestZoom(p.zoom);
    QCOMPARE(describe(p.zoom, 0, 5), QStringList({
        "fillBox 100,600 5100,1300 #ffff00", "line 100,600 5100,600 #000000",
        "lineTo 5100,600 5100,1300 #000000", "lineTo 5100,1300 100,1300 #000000",
        "lineTo 100,1300 100,600 #000000"}));
    QCOMPARE(verticals(p.zoom, 600, 900), range(100, 5100, 500));
    QCOMPARE(verticals(p.zoom, 600, 750), range(350, 4850, 500));
    QCOMPARE(verticals(p.zoom, 400, 600, DrawingSurface::Red), QList<int>({100}));
    QCOMPARE(printed(p.zoom).back(), std::make_tuple(5100, 900, QStringLiteral(" 10 ")));
}

void TestDrawing::routinesChangeOnlyIndex()
{
    Surfaces p;
    ExerciseState s = measured(4565, 1);
    s.Ajust = 3;
    s.Resultat = 12.5f;
    s.NumMesures = 7;
    s.NumEncerts = 4;
    const ExerciseState before = s;
    drawFixedRule(s, p.caliper);
    drawRestSlide(s, p.caliper);
    drawRestZoom(p.zoom);
    drawZoom(s, p.zoom);
    drawSlide(s, p.caliper);
    s.Index = before.Index;
    QCOMPARE(std::memcmp(&s, &before, sizeof s), 0);
}

void TestDrawing::slideOutline_data()
{
    QTest::addColumn<int>("posicio");
    QTest::addColumn<int>("apreciacio");
    QTest::newRow("0.05 mm, jaw face 5 twips from the fixed one") << 1005 << 1;
    QTest::newRow("45.65 mm") << 5565 << 1;
    QTest::newRow("0.1 mm at 0,1 mm") << 1010 << 2;
}

void TestDrawing::slideOutline()
{
    QFETCH(int, posicio);
    QFETCH(int, apreciacio);
    Surfaces p;
    ExerciseState s = measured(posicio, apreciacio);
    drawSlide(s, p.caliper);
    const float P = float(posicio);
    auto at = [&](const char *kind, float x1, float y1, float x2, float y2, QRgb c) {
        return QStringLiteral("%1 %2,%3 %4,%5 %6").arg(QLatin1String(kind)).arg(x1).arg(y1).arg(x2).arg(y2).arg(QColor(c).name());
    };
    const QRgb fg = DrawingSurface::Black, red = DrawingSurface::Red, yellow = DrawingSurface::Yellow,
               blue = DrawingSurface::Blue;
    const QStringList expected = {
        at("outlineBox", P, 1100, P, 100, red),
        at("fillBox", P - 100, 1100, P + 2300, 1600, yellow),
        at("line", P - 100, 1100, P - 100, 1800, fg),
        at("lineTo", P - 100, 1800, P - 150, 1800, fg),
        at("lineTo", P - 150, 1800, P - 150, 3500, fg),
        at("lineTo", P - 150, 3500, P - 50, 3500, fg),
        at("lineTo", P - 50, 3500, P + 350, 1800, fg),
        at("lineTo", P + 350, 1800, P + 2300, 1800, fg),
        at("lineTo", P + 2300, 1800, P + 2300, 1600, fg),
        at("line", P - 100, 1100, P + 2300, 1100, blue),
        at("lineTo", P + 2300, 1100, P + 2300, 1600, blue),
        at("lineTo", P + 2300, 1600, P - 100, 1600, blue),
        at("lineTo", P - 100, 1600, P - 100, 1100, blue),
    };
    QCOMPARE(describe(p.caliper, 0, 13), expected);
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
    Surfaces p;
    ExerciseState s = measured(posicio, apreciacio);
    drawSlide(s, p.caliper);
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

    Surfaces rule;
    ExerciseState r;
    drawFixedRule(r, rule.caliper);
    const QList<int> ruleLines = verticals(rule.caliper, 1100, 1000);
    const QSet<int> ruleSet(ruleLines.begin(), ruleLines.end());

    int beyond = 0;
    for (int posicio = 1000 + step; posicio <= 10000; posicio += step) {
        Surfaces p;
        ExerciseState s = measured(posicio, apreciacio);
        drawSlide(s, p.caliper);
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
    Surfaces p;
    ExerciseState s = measured(1000 + 4200 + hundredths, apreciacio);
    drawZoom(s, p.zoom);
    QCOMPARE(verticals(p.zoom, 400, 600, DrawingSurface::Red), red);
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
        Surfaces a, b;
        ExerciseState s1 = measured(1230, apreciacio);
        ExerciseState s2 = measured(8730, apreciacio);
        drawZoom(s1, a.zoom);
        drawZoom(s2, b.zoom);
        QVERIFY(sameOps(a.zoom, b.zoom));
        QCOMPARE(a.zoom.render(2), b.zoom.render(2));
    }
}

void TestDrawing::pictureColours_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::newRow("scale 1") << 1.0;
    QTest::newRow("scale 1.25") << 1.25;
    QTest::newRow("scale 1.5") << 1.5;
    QTest::newRow("scale 2") << 2.0;
}

void TestDrawing::pictureColours()
{
    QFETCH(qreal, scale);
    Surfaces p;
    ExerciseState s = measured(4565, 1);
    drawFixedRule(s, p.caliper);
    drawZoom(s, p.zoom);
    drawSlide(s, p.caliper);
    const QImage caliper = p.caliper.render(scale);
    QCOMPARE(caliper.size(), QSize(qCeil(793 * scale), qCeil(241 * scale)));
    QCOMPARE(pixelAt(caliper, 6000, 3000, scale), rgb(DrawingSurface::Peach));
    QCOMPARE(pixelAt(caliper, 5000, 1450, scale), rgb(DrawingSurface::Yellow));
    // The red zero mark on the pixel column of Posicio, one pixel wide,
    // rounded to whole device pixels.
    const int column = DrawingSurface::toDevice(4565, scale);
    const int row = DrawingSurface::toDevice(600, scale);
    const int w = DrawingSurface::lineWidth(scale);
    for (int dx = 0; dx < w; ++dx)
        QCOMPARE(caliper.pixel(column + dx, row) & 0xFFFFFF, rgb(DrawingSurface::Red));
    QCOMPARE(caliper.pixel(column - 1, row) & 0xFFFFFF, rgb(DrawingSurface::Peach));
    QCOMPARE(caliper.pixel(column + w, row) & 0xFFFFFF, rgb(DrawingSurface::Peach));

    const QImage zoom = p.zoom.render(scale);
    QCOMPARE(pixelAt(zoom, 200, 1200, scale), rgb(DrawingSurface::Yellow));
    QCOMPARE(pixelAt(zoom, 100 + 50 * 65, 500, scale), rgb(DrawingSurface::Red));
    QCOMPARE(pixelAt(zoom, 5500, 200, scale), rgb(DrawingSurface::Peach));
}

void TestDrawing::coincidingLinesShareAColumn_data()
{
    pictureColours_data();
}

// 45.65 mm: vernier line 13 (x = 5800) lies on the rule's 48 mm line. The
// rule's tick above the edge and the vernier's line below it must fill the
// very same device pixel columns.
void TestDrawing::coincidingLinesShareAColumn()
{
    QFETCH(qreal, scale);
    Surfaces p;
    ExerciseState s = measured(4565, 1);
    drawFixedRule(s, p.caliper);
    drawSlide(s, p.caliper);
    const QImage image = p.caliper.render(scale);
    const int ruleRow = DrawingSurface::toDevice(1050, scale);
    const int vernierRow = DrawingSurface::toDevice(1150, scale);
    auto blackColumns = [&](int row, int around) {
        QList<int> cols;
        for (int x = around - 4; x <= around + 4; ++x) {
            if ((image.pixel(x, row) & 0xFFFFFF) == rgb(DrawingSurface::Black))
                cols << x;
        }
        return cols;
    };
    const int column = DrawingSurface::toDevice(5800, scale);
    const QList<int> rule = blackColumns(ruleRow, column);
    QVERIFY(!rule.isEmpty());
    QCOMPARE(rule.front(), column);
    QCOMPARE(rule.size(), DrawingSurface::lineWidth(scale));
    QCOMPARE(blackColumns(vernierRow, column), rule);
}

void TestDrawing::slideAtTheEndIsClipped_data()
{
    pictureColours_data();
}

void TestDrawing::slideAtTheEndIsClipped()
{
    QFETCH(qreal, scale);
    Surfaces p;
    ExerciseState s = measured(10000, 1);
    drawFixedRule(s, p.caliper);
    drawSlide(s, p.caliper);
    const QImage image = p.caliper.render(scale);
    QCOMPARE(image.size(), QSize(qCeil(793 * scale), qCeil(241 * scale)));
    // The body runs on past the right edge: its last visible column is yellow.
    const int row = DrawingSurface::toDevice(1450, scale);
    QCOMPARE(image.pixel(image.width() - 1, row) & 0xFFFFFF, rgb(DrawingSurface::Yellow));
    QCOMPARE(pixelAt(image, 10000, 600, scale), rgb(DrawingSurface::Red));
}

void TestDrawing::pictureSurvivesHideAndShow()
{
    DrawingSurface surface;
    surface.resize(793, 241);
    ExerciseState s = measured(3335, 2);
    drawFixedRule(s, surface);
    drawSlide(s, surface);
    surface.show();
    QVERIFY(QTest::qWaitForWindowExposed(&surface));
    const QImage before = surface.grab().toImage();
    surface.hide();
    surface.show();
    QVERIFY(QTest::qWaitForWindowExposed(&surface));
    QCOMPARE(surface.grab().toImage(), before);
    QCOMPARE(before.convertToFormat(QImage::Format_RGB32), surface.render(surface.devicePixelRatioF()));
}

void TestDrawing::restDrawingOverItselfChangesNothing()
{
    Surfaces once, twice;
    ExerciseState s;
    for (Surfaces *p : {&once, &twice}) {
        drawFixedRule(s, p->caliper);
        drawRestSlide(s, p->caliper);
        drawRestZoom(p->zoom);
    }
    drawFixedRule(s, twice.caliper);
    drawRestSlide(s, twice.caliper);
    drawRestZoom(twice.zoom);
    for (qreal scale : {1.0, 2.0}) {
        QCOMPARE(twice.caliper.render(scale), once.caliper.render(scale));
        QCOMPARE(twice.zoom.render(scale), once.zoom.render(scale));
    }
}

QTEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
