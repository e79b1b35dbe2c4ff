// The report bitmaps as Qt images, loaded from the program's folder.
#pragma once

#include <QImage>
#include <QString>

#include "reports/printer_surface.h"

namespace torvane {

class QtReportPicture : public ReportPicture {
 public:
  QtReportPicture(std::string name, QImage image)
      : name_(std::move(name)), image_(std::move(image)) {}
  const std::string& name() const override { return name_; }
  const QImage& image() const { return image_; }

 private:
  std::string name_;
  QImage image_;
};

class QtPictureLoader : public PictureLoader {
 public:
  // Loads from the folder that holds the program.
  QtPictureLoader();
  // Loads from folder (for tests and tools).
  explicit QtPictureLoader(QString folder);

  // Reads folder + "/" + file_name as a BMP file; a file that is missing, unreadable or not a
  // bitmap throws PrinterError.
  std::shared_ptr<const ReportPicture> Load(const std::string& file_name) override;
  const QString& folder() const { return folder_; }

 private:
  QString folder_;
};

}  // namespace torvane
