// Reading back what a test wrote: a file's bytes, and a PDF's text through poppler's pdftotext.
#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

namespace torvane::testing {

// The whole file, or nothing when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

// The text of a PDF as pdftotext (the program given) reads it; with layout, laid out as on the
// page. Pages are separated by form feeds.
inline QString PdfText(const char* pdftotext, const QString& path, bool layout = true) {
  QProcess p;
  QStringList args;
  if (layout) args << "-layout";
  p.start(QString::fromUtf8(pdftotext), args << path << "-");
  if (!p.waitForFinished(30000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace torvane::testing
