// Opening and saving gas files through the file chooser. A gas file is the case record image
// as its only record (document/case_files.h); ".gas" and ".bnq" names hold the same content.
//
// A cancelled dialog ends the command silently. A file that cannot be read or written is
// reported with the texts of OpenFailureMessage / SaveFailureMessage, and the case stays as it
// was: a failed open replaces nothing, a failed save keeps the gas file's name and path.
#pragma once

#include <string>

#include "platform/file_chooser.h"

namespace torvane {

struct CaseContext;
class MessageService;

inline constexpr const char kGasOpenFilter[] =
    "Brantel Files (*.gas);;Brantel Files (*.bnq);;All Files (*)";
inline constexpr const char kGasSaveFilter[] = "Brantel \xC2\xAE Files (*.gas)";

// The open dialog: the filters above, the program's folder, no title of its own, no read-only
// box, only existing files.
FileDialogRequest GasOpenRequest(const std::string& program_folder);
// The save dialog: proposes ProposedGasFileName(GasFileTitle), asks before replacing a file,
// adds no extension to a name typed without one.
FileDialogRequest GasSaveRequest(const std::string& program_folder,
                                 const std::string& gas_file_title);

enum class OpenOutcome { kOpened, kCancelled, kFailed };
enum class SaveOutcome { kSaved, kCancelled, kFailed };

// Reads the gas file at path into the case, as ChooseAndOpenGasFile does after its dialog (a file
// named on the command line).
OpenOutcome OpenGasFileAt(CaseContext& context, const std::string& path, MessageService& messages);

// Chooses a gas file and reads it into the case: the record is replaced, its unit choice
// applied, GasFilePath and GasFileTitle set and ShowStoredGas set.
OpenOutcome ChooseAndOpenGasFile(CaseContext& context, FileChooser& files, MessageService& messages,
                                 const std::string& program_folder);

// Chooses a name and writes the case record to it; GasFilePath and GasFileTitle change only
// when the file has been written.
SaveOutcome ChooseAndSaveGasFile(CaseContext& context, FileChooser& files, MessageService& messages,
                                 const std::string& program_folder);

}  // namespace torvane
