// The program's own report artwork: the header banner and the footer band of the printed
// reports, drawn in code so that the bitmaps can be made again at any resolution.
#pragma once

#include <QImage>

namespace torvane {

// The header banner: 4.4 in by 1.2 in at dots_per_inch.
QImage DrawHeaderArtwork(int dots_per_inch);
// The footer band: 6.0 in by 2.11 in at dots_per_inch; a longitudinal section of a labyrinth seal.
QImage DrawFooterArtwork(int dots_per_inch);

// The image with at most 256 colours, mapped onto ramps between paper white and the artwork's
// inks, so that it can be stored as an 8-bit bitmap.
QImage ToArtworkPalette(const QImage& image);

}  // namespace torvane
