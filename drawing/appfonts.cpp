// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appfonts.h"

#include <QFontDatabase>
#include <QResource>
#include <QStringList>

#include <cmath>

namespace {

// Liberation Sans and Serif; in a web page, cut down and renamed
// (resources/CMakeLists.txt).
const QString SansFamily = QStringLiteral(MENVORI_SANS_FAMILY);
const QString WideFamily = QStringLiteral(MENVORI_WIDE_FAMILY);
// Liberation Sans is a little wider than the face the windows were laid out
// for; narrowed by 8 % the counters keep room for four-digit counts.
constexpr int SansStretch = 92;
// Liberation Serif Bold widened by 60 %: as wide as a display face of this
// kind, and "Menvori" still fits on one line of the title label.
constexpr int WideStretch = 160;

// Makes one face available. The system's copy (Debian's fonts-liberation2)
// is in fontconfig's cache and costs nothing; registering the copy shipped
// inside the program costs a few milliseconds of start-up, so it is done
// only where the system lacks the face. The shipped faces are stored
// uncompressed, and the font database reads them in place.
bool registerFace(const QString &family, const QString &style, const char *path)
{
    if (QFontDatabase::styles(family).contains(style))
        return true;
    const QResource resource(QString::fromLatin1(path));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return QFontDatabase::addApplicationFont(QString::fromLatin1(path)) >= 0;
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                                    static_cast<qsizetype>(resource.size()));
    return QFontDatabase::addApplicationFontFromData(data) >= 0;
}

// Each face is looked for when first asked for.
bool sansRegular()
{
    static const bool ok = registerFace(SansFamily, QStringLiteral("Regular"), ":/fonts/LiberationSans-Regular.ttf");
    return ok;
}

bool sansBold()
{
    static const bool ok = registerFace(SansFamily, QStringLiteral("Bold"), ":/fonts/LiberationSans-Bold.ttf");
    return ok;
}

bool serifBold()
{
    static const bool ok = registerFace(WideFamily, QStringLiteral("Bold"), ":/fonts/LiberationSerif-Bold.ttf");
    return ok;
}

} // namespace

namespace appfonts {

int pixelSize(qreal points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont sans(qreal points, bool bold)
{
    bold ? sansBold() : sansRegular();
    QFont font(SansFamily);
    font.setPixelSize(pixelSize(points));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStretch(SansStretch);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont wide(qreal points)
{
    serifBold();
    QFont font(WideFamily);
    font.setPixelSize(pixelSize(points));
    font.setWeight(QFont::Bold);
    font.setStretch(WideStretch);
    font.setStyleHint(QFont::Serif);
    return font;
}

} // namespace appfonts
