#include "appfonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>

namespace {

const QString SansFamily = QStringLiteral("Liberation Sans");
const QString WideFamily = QStringLiteral("Liberation Serif");
// Liberation Sans is a little wider than the face the windows were laid out
// for; narrowed by 8 % the counters keep room for four-digit counts.
constexpr int SansStretch = 92;
// Liberation Serif Bold widened by 60 %: as wide as a display face of this
// kind, and "Menvori" still fits on one line of the title label.
constexpr int WideStretch = 160;

bool registerFaces()
{
    bool ok = true;
    for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf",
                             ":/fonts/LiberationSerif-Bold.ttf"}) {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(file)) < 0)
            ok = false;
    }
    return ok;
}

} // namespace

namespace appfonts {

bool load()
{
    static const bool loaded = registerFaces();
    return loaded;
}

int pixelSize(qreal points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont sans(qreal points, bool bold)
{
    load();
    QFont font(SansFamily);
    font.setPixelSize(pixelSize(points));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStretch(SansStretch);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont wide(qreal points)
{
    load();
    QFont font(WideFamily);
    font.setPixelSize(pixelSize(points));
    font.setWeight(QFont::Bold);
    font.setStretch(WideStretch);
    font.setStyleHint(QFont::Serif);
    return font;
}

} // namespace appfonts
