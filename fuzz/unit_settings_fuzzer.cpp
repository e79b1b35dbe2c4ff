// The stored unit choice as the program reads it at start: the bytes are a QZ.conf file in a
// settings folder of the fuzzer's own, read through the Qt settings store, and the unit choice
// is loaded from its [Units] values. Whatever the file, the choice loaded is one the program
// can use (a unit system 0..3, each index within its quantity's units, a two-byte name), every
// stored integer is taken exactly when it is a whole number of 16 bits with blanks around it,
// and the choice saved and read again, in memory and through the settings file, is the same
// choice.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QString>
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "document/unit_settings.h"
#include "platform/qt_settings_store.h"
#include "platform/settings_store.h"
#include "units/unit_catalogue.h"

namespace {

[[noreturn]] void Fail() { std::abort(); }

QString& Scratch() {
  static QString path;
  return path;
}

void RemoveScratch() { QDir(Scratch()).removeRecursively(); }

// A stored integer read the long way: blanks around an optional sign and decimal digits.
std::optional<std::int16_t> PlainInteger(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 40000) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

bool SameChoice(const torvane::CaseRecord& a, const torvane::CaseRecord& b) {
  return a.unit_system == b.unit_system && a.unit_system_name == b.unit_system_name &&
         a.unit_num == b.unit_num;
}

void CheckUsable(const torvane::CaseRecord& r) {
  if (r.unit_system < 0 || r.unit_system >= torvane::kUnitSystemCount) Fail();
  for (int q = 0; q < torvane::kQuantityCount; ++q) {
    const auto index = r.unit_num[static_cast<size_t>(q)];
    if (index < 0 || static_cast<size_t>(index) >= torvane::UnitCatalogue(q).units.size()) Fail();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The settings store flushes every value it saves to the disk: in memory (where there is a
  // /dev/shm) that costs nothing.
  const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                           ? QStringLiteral("/dev/shm")
                           : QDir::tempPath();
  QByteArray folder = QFile::encodeName(base + QStringLiteral("/torvane-units-fuzz-XXXXXX"));
  if (::mkdtemp(folder.data()) == nullptr) Fail();
  Scratch() = QFile::decodeName(folder);
  std::atexit(RemoveScratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QString folder = Scratch() + QStringLiteral("/in");
  const QString conf = folder + QStringLiteral("/QZ/QZ.conf");
  if (!QDir().mkpath(folder + QStringLiteral("/QZ"))) Fail();
  {
    QFile file(conf);
    if (!file.open(QIODevice::WriteOnly)) Fail();
    if (file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
        static_cast<qint64>(size)) {
      Fail();
    }
  }
  // The settings store keeps what it has read of a file while the file's size and time stay
  // the same: each input's file gets a time of its own.
  static long long run = 0;
  const timespec times[2] = {{1'000'000'000 + ++run, 0}, {1'000'000'000 + run, 0}};
  if (::utimensat(AT_FDCWD, QFile::encodeName(conf).constData(), times, 0) != 0) Fail();

  torvane::QtSettingsStore store(folder);
  for (int q = -2; q < torvane::kQuantityCount; ++q) {
    const std::string_view key = q == -2   ? torvane::kUnitSystemKey
                                 : q == -1 ? torvane::kUnitSystemNameKey
                                           : torvane::UnitCatalogue(q).field;
    const std::string text =
        store.GetSetting(torvane::kSettingsApplication, torvane::kUnitsSection, key, "0");
    if (torvane::ParseStoredInteger(text) != PlainInteger(text)) Fail();
  }

  torvane::CaseRecord loaded;
  torvane::LoadUnitSettings(store, loaded);
  CheckUsable(loaded);

  torvane::MemorySettingsStore memory;
  torvane::SaveUnitSettings(memory, loaded);
  torvane::CaseRecord again;
  torvane::LoadUnitSettings(memory, again);
  if (!SameChoice(loaded, again)) Fail();

  // Through a settings file again (slow: every value saved is flushed): the numbers are plain
  // digits, so only a name of other characters than letters and digits can come back changed.
  const std::string_view name = loaded.unit_system_name.view();
  if (std::any_of(name.begin(), name.end(),
                  [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); })) {
    const QString written = folder + QStringLiteral("/written");
    torvane::QtSettingsStore file_store(written);
    torvane::SaveUnitSettings(file_store, loaded);
    torvane::CaseRecord from_file;
    torvane::LoadUnitSettings(torvane::QtSettingsStore(written), from_file);
    if (!SameChoice(loaded, from_file)) Fail();
  }

  return 0;
}
