// The main window on screens of scale 1, 1.25, 1.5 and 2 (set by ctest
// through QT_SCALE_FACTOR): the window keeps its proportions, every caption
// fits, and the caliper's lines are crisp, one line's width of whole device
// pixels, on the columns they take at scale 1, multiplied.
#include "drawingsurface.h"
#include "windowfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QStyleFactory>

#include <cmath>

class TestHiDpi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowKeepsItsProportions();
    void captionsFit();
    void ruleTicksAreCrisp();
};

void TestHiDpi::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    qInfo("screen scale %.2f", qApp->devicePixelRatio());
}

void TestHiDpi::windowKeepsItsProportions()
{
    auto window = startMainWindow();
    const qreal scale = window->devicePixelRatioF();
    QCOMPARE(window->centralWidget()->size(), QSize(792, 554));
    const QImage shot = window->centralWidget()->grab().toImage();
    QCOMPARE(shot.width(), qRound(792 * scale));
    QCOMPARE(shot.height(), qRound(554 * scale));
    QCOMPARE(window->PicCoordenades->geometry(), QRect(0, 104, 793, 241));
}

void TestHiDpi::captionsFit()
{
    auto window = startMainWindow();
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(needed <= label->contentsRect().width(), qPrintable(label->objectName()));
    }
    for (QPushButton *button : window->findChildren<QPushButton *>())
        QVERIFY2(button->sizeHint().width() <= button->width() + 8, qPrintable(button->objectName()));
}

void TestHiDpi::ruleTicksAreCrisp()
{
    auto window = startMainWindow();
    DrawingSurface *caliper = window->PicCoordenades;
    const qreal scale = caliper->devicePixelRatioF();
    const QImage image = caliper->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int w = DrawingSurface::lineWidth(scale);
    const int row = DrawingSurface::toDevice(1050, scale);
    const QRgb black = qRgb(0, 0, 0), peach = qRgb(255, 224, 192);

    // Between the rule's zero and its end, every pixel of this row is either
    // a tick's or the background's: no blurred, half-tone columns.
    for (int x = DrawingSurface::toDevice(1000, scale); x < DrawingSurface::toDevice(11000, scale); ++x) {
        const QRgb p = image.pixel(x, row);
        if (p != black && p != peach)
            QFAIL(qPrintable(QStringLiteral("column %1 is %2").arg(x).arg(QColor(p).name())));
    }
    for (int mm = 0; mm <= 100; ++mm) {
        const float twips = 1000 + 100 * mm;
        const int atScale1 = DrawingSurface::toDevice(twips, 1);
        const int column = static_cast<int>(std::floor(atScale1 * scale));
        QCOMPARE(DrawingSurface::toDevice(twips, scale), column);
        for (int dx = 0; dx < w; ++dx)
            QCOMPARE(image.pixel(column + dx, row), black);
        QCOMPARE(image.pixel(column - 1, row), peach);
        QCOMPARE(image.pixel(column + w, row), peach);
    }
}

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
