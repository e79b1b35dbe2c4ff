// The option-list control's defaults file (KV4WIN.INI): any bytes are read as the file, a new
// control takes its values from it, "Save as Defaults" writes them back, and a second control
// read from the written file has the same values. Saving again from the second control leaves
// the file byte for byte as the first save wrote it.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>

#include "orvell/orvell_defaults.h"
#include "orvell/orvell_list.h"
#include "orvell_fuzz_support.h"

namespace {

QTemporaryDir* scratch = nullptr;

QString IniPath() { return scratch->filePath(QString::fromLatin1(orvell::kDefaultsFileName)); }

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) orvell_fuzz::Fail();
  return file.readAll();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  orvell_fuzz::StartApplication(argc, argv);
  scratch = new QTemporaryDir();
  if (!scratch->isValid()) orvell_fuzz::Fail();
  orvell::SetDefaultsFileSearchPaths({IniPath()});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  {
    QFile file(IniPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) orvell_fuzz::Fail();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  orvell::OrvellList first;
  QString error;
  // A file the control cannot read is left alone, and that is said.
  if (!first.SaveAsDefaults(&error)) {
    if (error.isEmpty()) orvell_fuzz::Fail();
    return 0;
  }
  const QByteArray written = ReadAll(IniPath());
  orvell::OrvellList second;
  orvell_fuzz::RequireSameProperties(first, second);
  if (!second.SaveAsDefaults(&error)) orvell_fuzz::Fail();
  if (ReadAll(IniPath()) != written) orvell_fuzz::Fail();
  return 0;
}
