#pragma once
// The editor's images by image-list index: the numbers nodes answer from GetIcon (tree, folder
// lists) and the tool buttons' indices. One table maps each index to its picture.
//
// Tool commands (print, preview, save, copy, paste, add, delete) take the desktop theme's
// icon where the theme has one; everything else, and every index when there is no theme (the
// offscreen platform has none), is drawn here: 18 x 18 pixels, a shape and colour per kind
// of node with a glyph that tells the members of a kind apart. Indices without an entry get
// a neutral grey square, so no caller ever gets a null icon.
//
// Needs a QGuiApplication (pixmaps); main thread only.

#include <QIcon>
#include <QPixmap>

#include <vector>

namespace Bilder {

// Edge length of every image in pixels.
inline constexpr int Groesse = 18;

// The image of an index (cached after the first call).
QIcon Icon(int index);
// The built-in drawing of an index, whatever the theme offers.
QPixmap Zeichnung(int index);
// The indices the table covers, ascending.
std::vector<int> Indizes();

} // namespace Bilder
