#include "reports/qt/qt_picture_loader.h"

#include <QCoreApplication>

namespace torvane {

QtPictureLoader::QtPictureLoader() : folder_(QCoreApplication::applicationDirPath()) {}

QtPictureLoader::QtPictureLoader(QString folder) : folder_(std::move(folder)) {}

std::shared_ptr<const ReportPicture> QtPictureLoader::Load(const std::string& file_name) {
  const QString path = folder_ + "/" + QString::fromStdString(file_name);
  QImage image;
  if (!image.load(path, "BMP") || image.isNull()) {
    throw PrinterError("cannot load the picture " + path.toStdString());
  }
  return std::make_shared<QtReportPicture>(file_name, std::move(image));
}

}  // namespace torvane
