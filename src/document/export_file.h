// The files the windows export (a table as CSV, plots as PNG or PDF, report pages as PDF): made
// and written whole through the checked replace of the case files, with a failure told to the
// user. Every window's exports go through WriteExportFile (the study, comparison, rotordynamics
// and labyrinth windows'):
//
//   WriteExportFile(path, [&] { return StudyCsv(run); }, messages);
//
// Before anything is made, the target is checked as the case files check theirs: anything but a
// regular file (a folder, a device, a named pipe) and a read-only file are refused, and so is any
// of `sources`, the files the export is made from (the settings file, the gas file). The content
// is then written to a temporary file beside the target, every write and the flush to the disk
// checked, and renamed over it; on any failure the old file stays as it was and the user reads
// why: "Could not save /data/study.csv: the file could not be written: the disk is full."
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace torvane {

class MessageService;

// Makes the bytes of an export. A failure raises FileError (its reason is shown) or another
// std::exception, whose text is shown as the reason.
using ExportContent = std::function<std::string()>;

// True when the file has been written; false when it was refused or failed, after the message.
bool WriteExportFile(const std::string& path, const ExportContent& content,
                     MessageService& messages, const std::vector<std::string>& sources = {});

// The check alone, for an export whose content fails in a way of its own (a report that cannot
// be drawn is a printer error): true when the target may be written; else false, after the
// message.
bool CheckExportTarget(const std::string& path, MessageService& messages,
                       const std::vector<std::string>& sources = {});

}  // namespace torvane
