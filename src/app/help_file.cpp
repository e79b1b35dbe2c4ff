#include "app/help_file.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace torvane {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<HelpFile> HelpFile::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  const auto slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  return Parse(text.str(), folder + "/help");
}

HelpFile HelpFile::Parse(std::string_view text, std::string pages_folder) {
  HelpFile f;
  f.pages_folder_ = std::move(pages_folder);
  enum class Section { kNone, kContexts, kKeywords } section = Section::kNone;
  while (!text.empty()) {
    const auto eol = text.find('\n');
    std::string_view line = Trim(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line == "[contexts]") {
      section = Section::kContexts;
      continue;
    }
    if (line == "[keywords]") {
      section = Section::kKeywords;
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string_view page = Trim(line.substr(eq + 1));
    if (key.empty() || page.empty()) continue;
    if (section == Section::kContexts) {
      int context = 0;
      auto [p, ec] = std::from_chars(key.data(), key.data() + key.size(), context);
      if (ec == std::errc() && p == key.data() + key.size()) f.contexts_[context] = page;
    } else if (section == Section::kKeywords) {
      f.keywords_.emplace_back(key, page);
    }
  }
  return f;
}

std::optional<std::string> HelpFile::PageForContext(int context) const {
  auto it = contexts_.find(context);
  if (it == contexts_.end()) return std::nullopt;
  return pages_folder_ + "/" + it->second;
}

std::vector<std::string> HelpFile::SearchKeywords(std::string_view partial) const {
  std::vector<std::string> out;
  partial = Trim(partial);
  for (const auto& [keyword, page] : keywords_) {
    if (StartsWithNoCase(keyword, partial)) out.push_back(keyword);
  }
  return out;
}

std::optional<std::string> HelpFile::PageForKeyword(std::string_view keyword) const {
  for (const auto& [k, page] : keywords_) {
    if (k == keyword) return pages_folder_ + "/" + page;
  }
  return std::nullopt;
}

const std::vector<std::string>& KnownSystemInfoPrograms() {
  static const std::vector<std::string> kPrograms = {"kinfocenter", "hardinfo2", "hardinfo",
                                                     "lshw-gtk", "gnome-system-monitor"};
  return kPrograms;
}

std::optional<std::string> FindSystemInfoProgram(std::string_view path_list,
                                                 const std::vector<std::string>& candidates) {
  for (const auto& program : candidates) {
    std::string_view rest = path_list;
    while (true) {
      const auto colon = rest.find(':');
      const std::string_view folder = rest.substr(0, colon);
      if (!folder.empty()) {
        const std::string candidate = std::string(folder) + "/" + program;
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec) &&
            access(candidate.c_str(), X_OK) == 0) {
          return candidate;
        }
      }
      if (colon == std::string_view::npos) break;
      rest = rest.substr(colon + 1);
    }
  }
  return std::nullopt;
}

}  // namespace torvane
