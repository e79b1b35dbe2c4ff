// The program's help file: a table of contexts and a keyword index over HTML pages kept in the
// folder "help" beside it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace torvane {

inline constexpr int kHelpContentsContext = 0;
inline constexpr int kHelpSupportContext = 12;

class HelpFile {
 public:
  // Reads the help file at path. A missing or unreadable file gives nothing; lines that are
  // neither a section, a comment nor "key=page" are ignored.
  static std::optional<HelpFile> Load(const std::string& path);
  static HelpFile Parse(std::string_view text, std::string pages_folder);

  // The full path of the page of a context, or nothing when the context is not in the file.
  std::optional<std::string> PageForContext(int context) const;
  // Keywords whose start matches the typed text, ignoring case, in index order; all keywords
  // for an empty text.
  std::vector<std::string> SearchKeywords(std::string_view partial) const;
  std::optional<std::string> PageForKeyword(std::string_view keyword) const;

  const std::vector<std::pair<std::string, std::string>>& keywords() const { return keywords_; }
  const std::string& pages_folder() const { return pages_folder_; }

 private:
  std::string pages_folder_;
  std::map<int, std::string> contexts_;
  std::vector<std::pair<std::string, std::string>> keywords_;  // keyword, page
};

// The first of the well-known system-information programs found as an executable file in one
// of the folders of a PATH-like list ("a:b:c").
std::optional<std::string> FindSystemInfoProgram(std::string_view path_list,
                                                 const std::vector<std::string>& candidates);
const std::vector<std::string>& KnownSystemInfoPrograms();

}  // namespace torvane
