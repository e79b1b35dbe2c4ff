// Draws the report bitmaps qnheader16.bmp and qnfooter3.bmp into the folder given as the only
// argument (the project's resources/ folder): report_bitmaps <folder>
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "reports/qt/report_artwork.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: report_bitmaps <folder>\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  // 150 dpi for the banner, 120 dpi for the wider band: sharp on paper, small in the repository.
  const QImage header = torvane::ToArtworkPalette(torvane::DrawHeaderArtwork(150));
  const QImage footer = torvane::ToArtworkPalette(torvane::DrawFooterArtwork(120));
  if (!header.save(folder.filePath("qnheader16.bmp"), "BMP") ||
      !footer.save(folder.filePath("qnfooter3.bmp"), "BMP")) {
    std::fprintf(stderr, "report_bitmaps: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
