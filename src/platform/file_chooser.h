// Choosing a file to open or save: on screen the platform's file dialog, in tests a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace torvane {

enum class FileDialogMode { kOpen, kSave };

struct FileDialogRequest {
  FileDialogMode mode = FileDialogMode::kOpen;
  std::string title;           // dialog caption
  std::string filter;          // e.g. "Torvane File (*.trv)"; several separated by ";;"
  std::string default_suffix;  // without the dot, e.g. "trv"
  std::string initial_folder;
  std::string initial_name;       // proposed file name (save)
  bool confirm_overwrite = true;  // save: ask before replacing an existing file
  bool file_must_exist = true;    // open: only existing files
  bool hide_read_only = true;     // no "open as read-only" box

  bool operator==(const FileDialogRequest&) const = default;
};

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen full path, or nothing when the user cancelled.
  virtual std::optional<std::string> Choose(const FileDialogRequest& request) = 0;
};

// Answers from a prepared list of paths (nothing = cancel) and keeps every request.
class ScriptedFileChooser : public FileChooser {
 public:
  void Prepare(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  std::optional<std::string> Choose(const FileDialogRequest& request) override {
    requests_.push_back(request);
    if (answers_.empty()) return std::nullopt;
    auto a = answers_.front();
    answers_.pop_front();
    return a;
  }
  const std::vector<FileDialogRequest>& requests() const { return requests_; }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<FileDialogRequest> requests_;
};

}  // namespace torvane
