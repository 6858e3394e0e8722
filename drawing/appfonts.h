#pragma once

#include <QFont>

// The program's own faces, shipped inside it so that every machine shows the
// same pictures and captions: Liberation Sans stands in for "MS Sans Serif",
// and Liberation Serif Bold, stretched, for the very wide "Wide Latin".
// Sizes are given in points at 96 dots per inch and set in pixels, so that a
// caption is as large on every screen as the control that holds it.
namespace appfonts {

// Registers all the shipped faces with the application; safe to call again.
// Returns false when a face could not be registered. The functions below
// register the face they need themselves.
bool load();

// Pixel size at 96 dots per inch of a size in points: 8.25 pt is 11 px.
int pixelSize(qreal points);

// The "MS Sans Serif" stand-in, regular or bold.
QFont sans(qreal points, bool bold);

// The "Wide Latin" stand-in, bold.
QFont wide(qreal points);

} // namespace appfonts
