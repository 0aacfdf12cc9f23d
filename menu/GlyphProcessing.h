#pragma once

#include "MenuLook.h"

#include <QImage>
#include <QRgb>

class QPainter;

namespace qw {

class ImageList;

// The pixel work on menu glyphs: colour arithmetic, loading toolbar bitmaps with the system
// colours put in, and the faded, shadow and disabled states of a glyph. Colours are opaque
// QRgb values; the arithmetic works per channel and keeps the alpha byte.

// Each channel c becomes c + factor × (255 - c), truncated; unchanged when factor is not in (0, 1].
QRgb BlendTowardWhite(QRgb colour, double factor);
// Each channel c becomes c - factor × c, truncated; unchanged when factor is not in (0, 1].
QRgb ScaleTowardBlack(QRgb colour, double factor);

// Adds bitmap resource `bitmapId` to `list`, cut into as many images as fit side by side, with
// the button face as mask colour. A 16-colour bitmap gets the current button colours in place
// of its black, greys and white; any other is loaded as it is, which sets the look's
// nonPaletteGlyphsSeen, and its silver pixels become button face. False (and the list
// unchanged) when the resource is missing or gives no image.
// The bitmap's drawing at twice the size, when it has one, goes in beside the images the same way.
bool AddBitmapResource(ImageList &list, int bitmapId, MenuLook &look);
// Bitmap resource `bitmapId` as RGB32 with black, RGB(128,128,128), RGB(192,192,192) and white
// of its colour table replaced by the current button text, shadow, face and highlight colours;
// null when the resource is missing, unreadable, or not a 16-colour bitmap.
// `scale` 2 asks for its drawing at twice the size.
QImage LoadRemappedBitmap(int bitmapId, int scale = 1);
// Draws image `index` of `list` on the button face into `result` (the look's glyph size,
// RGB32); with no such image `result` is plain button face. Always true.
bool RenderImageToBitmap(const ImageList &list, int index, QImage &result, const MenuLook &look);
// The same for the image's drawing at twice the size: twice the glyph size, device pixel ratio
// 1 so that the per-pixel transformations see every pixel; null when it has none.
QImage RenderDoubleSizeImage(const ImageList &list, int index);

// The per-pixel states of a glyph, changed in place. A pixel is background when it is exactly
// the button face as the glyph's format stores it. Indexed glyphs are widened to RGB32 first.
// Background kept, every other pixel blended toward white by 0.3.
void MakeFadedGlyph(QImage &glyph);
// Background kept, every other pixel the shadow colour: the button shadow, paler unless the
// look is themed XP.
void MakeShadowGlyph(QImage &glyph, const MenuLook &look);
// Background replaced by `background` (kept when it is 0), every other pixel a tint of the
// button shadow by its brightness: black gives the shadow itself, white gives white.
void MakeDisabledGlyph(QImage &glyph, QRgb background);
// RGB(192,192,192) pixels become button face.
void ReplaceSilverWithFace(QImage &glyph);

// Draws the w by h glyph taken from (sx, sy) of `glyph` at (x, y) as an engraving: its dark
// pixels (all but button face and highlight) in button shadow, over a highlight copy one pixel
// down and right, on `background` (which fills the area of both copies). The area is at most
// the glyph's own size.
void DrawEmbossedGlyph(QPainter &target, int x, int y, int w, int h, const QImage &glyph, int sx, int sy,
                       QRgb background);
// Makes `glyph` disabled on `background` (MakeDisabledGlyph) and copies its w by h top-left
// part to (x, y), background pixels included.
void DrawTintedGlyph(QPainter &target, int x, int y, int w, int h, QImage &glyph, QRgb background);

// A check mark 7 pixels wide and 7 tall (6 when narrow) with its top-left corner at (x, y).
// False when the painter is not active.
bool PaintCheckTick(QPainter &target, int x, int y, QRgb colour, bool narrow);
// A filled dot of 6 by 6 pixels with its top-left corner at (x, y). False when the painter is not active.
bool PaintRadioDot(QPainter &target, int x, int y, QRgb colour);

} // namespace qw
