#include "gas/gas_files.h"

#include "document/case_context.h"
#include "document/case_files.h"
#include "platform/errors.h"
#include "platform/message_service.h"

namespace torvane {

FileDialogRequest GasOpenRequest(const std::string& program_folder) {
  FileDialogRequest request;
  request.mode = FileDialogMode::kOpen;
  request.filter = kGasOpenFilter;
  request.initial_folder = program_folder;
  request.file_must_exist = true;
  request.hide_read_only = true;
  return request;
}

FileDialogRequest GasSaveRequest(const std::string& program_folder,
                                 const std::string& gas_file_title) {
  FileDialogRequest request;
  request.mode = FileDialogMode::kSave;
  request.filter = kGasSaveFilter;
  request.initial_folder = program_folder;
  request.initial_name = ProposedGasFileName(gas_file_title);
  request.confirm_overwrite = true;
  request.file_must_exist = false;
  request.hide_read_only = true;
  return request;
}

OpenOutcome ChooseAndOpenGasFile(CaseContext& context, FileChooser& files, MessageService& messages,
                                 const std::string& program_folder) {
  const auto path = files.Choose(GasOpenRequest(program_folder));
  if (!path) return OpenOutcome::kCancelled;
  return OpenGasFileAt(context, *path, messages);
}

OpenOutcome OpenGasFileAt(CaseContext& context, const std::string& path, MessageService& messages) {
  try {
    OpenGasFile(context, path);
  } catch (const FileError& error) {
    messages.Show(OpenFailureMessage(error));
    return OpenOutcome::kFailed;
  }
  return OpenOutcome::kOpened;
}

SaveOutcome ChooseAndSaveGasFile(CaseContext& context, FileChooser& files, MessageService& messages,
                                 const std::string& program_folder) {
  const auto path = files.Choose(GasSaveRequest(program_folder, context.gas_file_title));
  if (!path) return SaveOutcome::kCancelled;
  try {
    SaveGasFile(context, *path);
  } catch (const FileError& error) {
    messages.Show(SaveFailureMessage(error));
    return SaveOutcome::kFailed;
  }
  return SaveOutcome::kSaved;
}

}  // namespace torvane
