// Settings files (".trv") and gas files (".gas", ".bnq").
//
// A settings file has record slots of 6202 bytes: slot 1 holds the case record image (6078
// bytes) and filler, slot 2 the labyrinth data record (120 bytes) and filler; a freshly written
// file is 12404 bytes. A gas file is one slot of 6078 bytes holding the case record image.
//
// Reading never creates a file, reads a short file with its missing bytes as zeros, and checks
// everything into a new record: a file whose contents lie outside the data model is refused
// and the caller's case stays as it was. Writing replaces the first slots of the file and keeps
// any bytes an existing longer file holds beyond them; the new content goes to a temporary file
// in the same folder, is flushed and then renamed over the target, so the old file stays intact
// when anything fails. Every failure raises FileError naming the file and the reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/case_record.h"
#include "document/laby_data.h"
#include "platform/errors.h"

namespace torvane {

inline constexpr size_t kSettingsSlotSize = 6202;
inline constexpr size_t kLabyDataOffset = 6202;
inline constexpr size_t kSettingsReadSize = 6322;  // readers use bytes 0..6077 and 6202..6321
inline constexpr size_t kSettingsFileSize = 2 * kSettingsSlotSize;
inline constexpr size_t kGasSlotSize = 6078;

struct SettingsFileContent {
  CaseRecord record;
  LabyData laby_data{};
};

SettingsFileContent ReadSettingsFile(const std::string& path);
CaseRecord ReadGasFile(const std::string& path);

// The full content of a freshly written file (slots with zero filler).
std::vector<std::uint8_t> SettingsFileBytes(const CaseRecord& record, const LabyData& laby_data);
std::vector<std::uint8_t> GasFileBytes(const CaseRecord& record);

void WriteSettingsFile(const std::string& path, const CaseRecord& record,
                       const LabyData& laby_data);
void WriteGasFile(const std::string& path, const CaseRecord& record);

// True for a name ending in ".trv" (any case).
bool IsSettingsFileName(const std::string& path);

// The raw content of a case file for inspection: the record (and, for a settings file, the
// labyrinth data) exactly as stored, with every reason the program would refuse to open it and,
// for a settings file, a labyrinth type that nothing can compute with (LabyTypeProblem).
struct CaseFileInspection {
  bool settings_file = false;
  std::uintmax_t file_size = 0;
  CaseRecord record;
  LabyData laby_data{};
  std::vector<std::string> problems;
};
// Fails with FileError only when the file cannot be read at all.
CaseFileInspection InspectCaseFile(const std::string& path);

// The first max_bytes bytes of an existing regular file (fewer when it is shorter), and its
// size. Never creates the file.
std::vector<std::uint8_t> ReadFilePrefix(const std::string& path, size_t max_bytes,
                                         std::uintmax_t* file_size = nullptr);

// Replaces the first content.size() bytes of the file at path (creating it when missing),
// keeping any bytes beyond them, through a temporary file in the same folder that is flushed
// and renamed over the target. Anything but a regular file and a read-only file are refused.
// The new file keeps the old one's mode, and its owner and group as far as the user may give
// them; temporary files that killed saves of the file left behind are removed once the save
// has succeeded.
void ReplaceFilePrefix(const std::string& path, std::span<const std::uint8_t> content);
// The same, for a file whose whole content is replaced (a report): nothing of the old file is
// kept but its mode and owner.
void ReplaceFile(const std::string& path, std::span<const std::uint8_t> content);

// The checks ReplaceFilePrefix and ReplaceFile make before anything is written: a path that
// names anything but a regular file, or a read-only file, is refused with FileError; a missing
// file passes.
void CheckReplaceable(const std::string& path);

// True when both paths name one existing file (the same file through a link, for example).
bool IsSameFile(const std::string& a, const std::string& b);

// The plain reason a window or the calculator gives for an errno value: "the disk is full",
// "permission denied", ...
std::string FileErrorReason(int err);

// The texts a window shows for a failed read or write: "Could not open FILE: REASON." and
// "Could not save FILE: REASON.".
std::string OpenFailureMessage(const FileError& error);
std::string SaveFailureMessage(const FileError& error);

}  // namespace torvane
