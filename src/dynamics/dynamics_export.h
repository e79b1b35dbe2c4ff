// The files the rotordynamics window exports (the table as CSV, the plots as PNG or PDF): made
// and written whole through the checked replace of the case files, with a failure told to the
// user. Before anything is made the target is checked: anything but a regular file, a read-only
// file and any of `sources` (the files the export is made from) are refused. The content is
// then written to a temporary file beside the target, every write and the flush checked, and
// renamed over it; on any failure the old file stays as it was and the user reads why:
// "Could not save /data/coefficients.csv: the disk is full."
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace torvane {

class MessageService;

// Makes the bytes of an export. A failure raises FileError (its reason is shown) or another
// std::exception, whose text is shown as the reason.
using DynamicsExportContent = std::function<std::string()>;

// True when the file has been written; false when it was refused or failed, after the message.
bool WriteDynamicsExport(const std::string& path, const DynamicsExportContent& content,
                         MessageService& messages, const std::vector<std::string>& sources = {});

}  // namespace torvane
