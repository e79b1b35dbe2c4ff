#include "dynamics/dynamics_export.h"

#include <cstdint>
#include <span>

#include "document/case_files.h"
#include "platform/errors.h"
#include "platform/message_service.h"

namespace torvane {

bool WriteDynamicsExport(const std::string& path, const DynamicsExportContent& content,
                         MessageService& messages, const std::vector<std::string>& sources) {
  try {
    for (const std::string& source : sources) {
      if (!source.empty() && IsSameFile(path, source)) {
        throw FileError(path, "it is a file the export is made from");
      }
    }
    CheckReplaceable(path);
    const std::string bytes = content();
    ReplaceFile(path, std::span<const std::uint8_t>(
                          reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    return true;
  } catch (const FileError& e) {
    messages.Show(SaveFailureMessage(e));
  } catch (const std::exception& e) {
    messages.Show(SaveFailureMessage(FileError(path, e.what())));
  }
  return false;
}

}  // namespace torvane
