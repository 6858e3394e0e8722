// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the program's own pictures: the window icon and the introduction
// window's caliper, a 478 x 174 one-bit white-on-black line drawing. Run it
// after changing a picture and commit what it writes:
//   make_art <resources folder>
#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QStringList>

#include <cstdio>

namespace {

// The vernier caliper seen from the front, jaws at the left.
QImage introCaliper(const QString &fontFile)
{
    QImage img(478, 174, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);

    const int beamLeft = 30, beamRight = 430, beamTop = 40, beamBottom = 84;

    // Beam.
    p.drawRect(beamLeft, beamTop, beamRight - beamLeft, beamBottom - beamTop);

    // Graduation along both edges, numbers 0 to 16 between them: a long tick
    // at each number, short ones between.
    const int zero = 70;
    const double unit = 21.0;
    const int family = QFontDatabase::addApplicationFont(fontFile);
    QFont font(QFontDatabase::applicationFontFamilies(family).value(0));
    font.setPixelSize(10);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    for (int k = 0; k <= 16 * 5; ++k) {
        const int x = zero + static_cast<int>(k * unit / 5 + 0.5);
        const int len = k % 5 == 0 ? 8 : 4;
        p.drawLine(x, beamTop, x, beamTop + len);
        p.drawLine(x, beamBottom, x, beamBottom - (k % 5 == 0 ? 8 : 5));
        if (k % 5 == 0) {
            const QString n = QString::number(k / 5);
            const int w = p.fontMetrics().horizontalAdvance(n);
            p.drawText(x - w / 2, beamTop + 28 - 3, n);
        }
    }

    // Fixed jaws: the large outside jaw hangs down, the small inside jaw
    // points up.
    p.drawPolygon(QPolygon({{beamLeft, beamBottom}, {beamLeft + 4, 150}, {beamLeft + 22, 168},
                            {beamLeft + 30, 168}, {beamLeft + 30, beamBottom}}));
    p.drawPolygon(QPolygon({{beamLeft, beamTop}, {beamLeft + 6, 8}, {beamLeft + 14, 8},
                            {beamLeft + 18, beamTop}}));

    // The slide, standing a little open, drawn over the beam.
    const int sl = 150, sr = 250, st = 30, sb = 100;
    p.setBrush(Qt::black);
    p.drawRect(sl, st, sr - sl, sb - st);
    p.setBrush(Qt::NoBrush);
    // Its vernier window over the lower graduation, with the vernier's lines.
    p.drawRect(sl + 10, beamBottom - 14, sr - sl - 30, 24);
    for (int k = 0; k <= 10; ++k) {
        const int x = sl + 14 + k * 6;
        p.drawLine(x, beamBottom - 14, x, beamBottom - 14 + (k % 5 == 0 ? 10 : 6));
    }
    // Thumb screw on top of the slide.
    p.drawRect(sl + 60, st - 12, 20, 12);
    for (int x = sl + 63; x < sl + 80; x += 4)
        p.drawLine(x, st - 12, x, st - 1);
    p.drawRect(sl + 66, st - 16, 8, 4);
    // The moving jaws: outside, hanging down against the fixed one; inside,
    // pointing up.
    p.drawPolygon(QPolygon({{sl, sb}, {sl, 168}, {sl + 8, 168}, {sl + 26, 150}, {sl + 30, sb}}));
    p.drawPolygon(QPolygon({{sl, st}, {sl - 4, 8}, {sl + 4, 8}, {sl + 10, st}}));

    // Two screws at the right end of the beam.
    for (int y : {beamTop + 12, beamBottom - 12}) {
        p.drawEllipse(QPoint(beamRight - 14, y), 5, 5);
        p.drawLine(beamRight - 18, y, beamRight - 10, y);
    }

    // Depth rod projecting from that end.
    p.drawRect(beamRight, 58, 40, 6);
    p.end();

    return img.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
}

// The window icon: a small caliper on the drill's peach, with the yellow
// slide and its red zero mark.
QImage icon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 224, 192));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);

    QPen outline(Qt::black, 1.5);
    p.setPen(outline);
    // Beam and fixed jaw.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 14, 52, 12));
    p.drawPolygon(QPolygonF({{6, 26}, {7, 40}, {13, 54}, {16, 54}, {16, 26}}));
    // Millimetre ticks.
    for (int k = 0; k <= 20; ++k) {
        const double x = 18 + k * 2.0;
        p.drawLine(QPointF(x, 26), QPointF(x, k % 5 == 0 ? 19 : 22.5));
    }
    // Slide with its jaw.
    p.setBrush(QColor(255, 255, 0));
    p.drawRect(QRectF(28, 26, 20, 8));
    p.drawPolygon(QPolygonF({{28, 34}, {27, 54}, {30, 54}, {36, 34}}));
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.drawLine(QPointF(29, 12), QPointF(29, 28));
    p.end();
    return img;
}

// A Windows icon file holding the images as PNG, which every Windows since
// Vista reads, largest last.
bool saveIco(const QList<QImage> &images, const QString &path)
{
    QByteArray header, data;
    auto put16 = [](QByteArray &to, int v) { to.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto put32 = [&](QByteArray &to, qint64 v) { put16(to, int(v & 0xFFFF)); put16(to, int((v >> 16) & 0xFFFF)); };
    put16(header, 0); // reserved
    put16(header, 1); // an icon
    put16(header, int(images.size()));
    const qint64 firstImage = 6 + 16 * images.size();
    for (const QImage &image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return false;
        header.append(char(image.width() & 0xFF)).append(char(image.height() & 0xFF)); // 256 is written 0
        header.append(char(0)).append(char(0)); // no palette
        put16(header, 1);  // planes
        put16(header, 32); // bits per pixel
        put32(header, png.size());
        put32(header, firstImage + data.size());
        data.append(png);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header + data) == header.size() + data.size();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_art <resources folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    bool ok = introCaliper(dir + "/fonts/LiberationSans-Regular.ttf").save(dir + "/images/peu_de_rei.bmp", "BMP");
    // The sizes, and what each is for, from the icon's table: the theme's
    // and the web page's as PNG files; the Windows icon file's in one, so
    // that none is scaled from another.
    QFile table(dir + "/icons/sizes.txt");
    if (!table.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "make_art: no %s\n", qPrintable(table.fileName()));
        return 1;
    }
    QList<QImage> icons;
    while (!table.atEnd()) {
        const QStringList fields = QString::fromUtf8(table.readLine()).simplified().split(u' ');
        if (fields.size() < 2 || fields.front().startsWith(u'#'))
            continue;
        const int size = fields.front().toInt();
        if (fields.contains(QStringLiteral("theme")) || fields.contains(QStringLiteral("web")))
            ok = icon(size).save(dir + QStringLiteral("/icons/hicolor/%1x%1/menvori.png").arg(size), "PNG") && ok;
        if (fields.contains(QStringLiteral("ico")))
            icons << icon(size);
    }
    ok = saveIco(icons, dir + "/icons/menvori.ico") && ok;
    // The windows' own icon: small, so that it costs nothing at start-up.
    ok = icon(48).save(dir + "/icons/menvori.png", "PNG") && ok;
    return ok ? 0 : 1;
}
