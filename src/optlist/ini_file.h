// A small reader and editor of INI text ("[Section]" headers, "key=value" lines). Section and
// key names ignore case, the first occurrence of a key wins, and an edit changes only the line
// of that key: every other line of the file is written back as it was.
#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>

namespace orvell {

class IniFile {
 public:
  // A defaults file is a few hundred bytes; anything beyond this is not read at all.
  static constexpr qint64 kMaxFileSize = 64 * 1024;

  enum class LoadResult { kLoaded, kMissing, kUnreadable };

  // Reads a file; kUnreadable also covers a file larger than kMaxFileSize.
  LoadResult Load(const QString& path);
  void Parse(const QByteArray& text);

  // The value of a key, without surrounding blanks and without one pair of enclosing double
  // quotes.
  std::optional<QString> Value(const QString& section, const QString& key) const;
  // Replaces the value of the key's first occurrence, or adds the key at the end of the
  // section, or adds the section at the end of the text.
  void SetValue(const QString& section, const QString& key, const QString& value);

  // The text in UTF-8 with the line ends the loaded text used (LF for a new one).
  QByteArray Serialise() const;

 private:
  // Index of the section's header line, or -1.
  qsizetype FindSection(const QString& section) const;
  // Index of the line after the section's last line.
  qsizetype SectionEnd(qsizetype header) const;
  static bool IsSectionHeader(const QString& line, QString* name);
  static bool SplitKeyLine(const QString& line, QString* key, QString* value);

  QStringList lines_;
  bool crlf_ = false;
};

}  // namespace orvell
