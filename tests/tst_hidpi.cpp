// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window on screens of scale 1, 1.25, 1.5 and 2 (set by ctest
// through QT_SCALE_FACTOR), and on a system without fonts: the window keeps
// its proportions, every caption fits in the program's faces, and the caliper's lines are crisp, one line's width of whole device
// pixels, on the columns worked out by hand for each scale.
#include "appfonts.h"
#include "controls.h"
#include "picturearea.h"
#include "windowfixture.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <map>

namespace {

// Device pixels at each scale: a twip value stands on the nearest pixel at
// 96 dpi, which the scale multiplies, rounded down; a line is the scale's
// nearest whole number of pixels wide.
struct ScaleFacts {
    int lineWidth;
    QList<int> ruleColumns; // the rule's lines at 0, 1, 48 and 100 mm (x 1000, 1100, 5800, 11000 twips)
    int row;                // y 1050 twips, between the rule's lower edge and its shortest ticks
};

const std::map<qreal, ScaleFacts> facts = {
    {1.0, {1, {67, 73, 387, 733}, 70}},
    {1.25, {1, {83, 91, 483, 916}, 87}},
    {1.5, {2, {100, 109, 580, 1099}, 105}},
    {2.0, {2, {134, 146, 774, 1466}, 140}},
};

} // namespace

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
    setUpApplication();
    qInfo("screen scale %.2f", qApp->devicePixelRatio());
    QVERIFY2(facts.count(qApp->devicePixelRatio()), "no figures for this scale");
    // The system's faces, or on a system without them the shipped ones.
    QCOMPARE(QFontInfo(appfonts::sans(appfonts::Small, false)).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(appfonts::sans(appfonts::Large, true)).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(appfonts::wide(appfonts::Title)).family(), QStringLiteral("Liberation Serif"));
}

void TestHiDpi::windowKeepsItsProportions()
{
    auto w = startMainWindow();
    const qreal scale = w->devicePixelRatioF();
    const QSize client = pixelsOf(places::frmMenvori).size();
    QCOMPARE(w->centralWidget()->size(), client);
    const QImage shot = w->centralWidget()->grab().toImage();
    QCOMPARE(shot.size(), client * scale);
    QCOMPARE(w.PicCoordenades->geometry(), pixelsOf(places::PicCoordenades));
}

// Every caption fits its control, and so do the longest texts the drill
// writes into its labels.
void TestHiDpi::captionsFit()
{
    auto w = startMainWindow();
    for (QLabel *label : w->findChildren<QLabel *>())
        QVERIFY2(captionWidth(label, label->text()) <= label->contentsRect().width(), qPrintable(label->objectName()));
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{w.cmdNovaMesura, w.cmdComprovacio, w.cmdSortir})
        QVERIFY2(captionWidth(b, b->text()) + 12 <= b->width(), qPrintable(b->objectName()));
    for (QRadioButton *o : {w.OptZoom, w.OptNoZoom})
        QVERIFY2(o->sizeHint().width() <= o->width(), qPrintable(o->objectName()));
    const QList<std::pair<QLabel *, QString>> written = {
        {w.lblOK, QStringLiteral("NO HO HAS FET BÉ")},
        {w.lblResultat, QStringLiteral(" 90 milímetres")},
        {w.lblValorNonius, QStringLiteral(" 95 centèssimes")},
        {w.lblTirades, QStringLiteral("Mesura núm:  9999")},
        {w.lblEncerts, QStringLiteral("Núm d'encerts:  999")},
    };
    for (const auto &[label, text] : written) {
        const int room = label->contentsRect().width() - std::max(0, label->indent()) - label->margin();
        QVERIFY2(captionWidth(label, text) <= room, qPrintable(text));
    }
    QVERIFY(captionWidth(w.txtApreciacio, QStringLiteral("0,05 mm")) + 8 <= w.txtApreciacio->width());
}

void TestHiDpi::ruleTicksAreCrisp()
{
    auto w = startMainWindow();
    PictureArea *caliper = w.PicCoordenades;
    const ScaleFacts &f = facts.at(caliper->devicePixelRatioF());
    const QImage image = caliper->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb black = qRgb(0, 0, 0), peach = qRgb(255, 224, 192);

    // Along this row, from the rule's zero to its end, every pixel is a
    // tick's or the background's (no blurred, half-tone columns), and the
    // ticks are 101 runs of one line's width.
    QList<int> runs;
    for (int x = f.ruleColumns.front(); x <= f.ruleColumns.back(); ++x) {
        const QRgb p = image.pixel(x, f.row);
        if (p != black && p != peach)
            QFAIL(qPrintable(QStringLiteral("column %1 is %2").arg(x).arg(QColor(p).name())));
        if (p != black || image.pixel(x - 1, f.row) == black)
            continue;
        runs << x;
        int width = 0;
        while (image.pixel(x + width, f.row) == black)
            ++width;
        if (width != f.lineWidth)
            QFAIL(qPrintable(QStringLiteral("the tick at column %1 is %2 wide").arg(x).arg(width)));
    }
    QCOMPARE(runs.size(), 101);
    for (int column : f.ruleColumns)
        QVERIFY2(runs.contains(column), qPrintable(QString::number(column)));
}

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
