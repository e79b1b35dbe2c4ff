#include "document/export_file.h"

#include <cstdint>
#include <exception>
#include <span>

#include "document/case_files.h"
#include "platform/errors.h"
#include "platform/message_service.h"

namespace torvane {

namespace {

void CheckTarget(const std::string& path, const std::vector<std::string>& sources) {
  for (const std::string& source : sources) {
    if (!source.empty() && IsSameFile(path, source)) {
      throw FileError(path, "it is a file the export is made from");
    }
  }
  CheckReplaceable(path);
}

}  // namespace

bool CheckExportTarget(const std::string& path, MessageService& messages,
                       const std::vector<std::string>& sources) {
  try {
    CheckTarget(path, sources);
    return true;
  } catch (const FileError& e) {
    messages.Show(SaveFailureMessage(e));
    return false;
  }
}

bool WriteExportFile(const std::string& path, const ExportContent& content,
                     MessageService& messages, const std::vector<std::string>& sources) {
  try {
    CheckTarget(path, sources);
    std::string bytes;
    try {
      bytes = content();
    } catch (const FileError&) {
      throw;
    } catch (const std::exception& e) {
      throw FileError(path, e.what());
    }
    ReplaceFile(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    return true;
  } catch (const FileError& e) {
    messages.Show(SaveFailureMessage(e));
    return false;
  }
}

}  // namespace torvane
