// A small reader and editor of INI text ("[Section]" headers, "key=value" lines). Section and
// key names ignore case, the first occurrence of a key wins, and an edit changes only the line
// of that key: every other line is written back byte for byte, with its own line end, whatever
// its encoding.
//
// Encoding: a line that is valid UTF-8 is read as UTF-8, any other line as Windows-1252 (the
// encoding such files were written in). A changed or added line is written in Windows-1252 when
// the file already holds Windows-1252 text and the line can be written in it, else in UTF-8.
#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <optional>
#include <vector>

namespace orvell {

class IniFile {
 public:
  // A defaults file is a few hundred bytes; anything beyond this is not read at all.
  static constexpr qint64 kMaxFileSize = 64 * 1024;

  enum class LoadResult { kLoaded, kMissing, kUnreadable };

  // Reads a file; kUnreadable also covers a file larger than kMaxFileSize and anything that is
  // not a regular file (a folder, a FIFO, a device).
  LoadResult Load(const QString& path);
  void Parse(const QByteArray& text);

  // The value of a key, without surrounding blanks and without one pair of enclosing double
  // quotes.
  std::optional<QString> Value(const QString& section, const QString& key) const;
  // Makes Value(section, key) give value: leaves the key's first line alone when it already
  // does, else replaces that line, or adds the key at the end of the section, or adds the
  // section at the end of the text. A value with blanks at its ends, or in double quotes
  // itself, is written in double quotes; a value is cut at its first line break.
  void SetValue(const QString& section, const QString& key, const QString& value);

  // The text: every line as it was read, changed and added lines encoded as above, new line
  // ends as the first line end of the file (LF in a file without one).
  QByteArray Serialise() const;

  // Windows-1252 to Unicode and back; Encode gives nothing for a text it cannot hold.
  static QString DecodeWindows1252(const QByteArray& bytes);
  static std::optional<QByteArray> EncodeWindows1252(const QString& text);

 private:
  struct Line {
    QByteArray bytes;  // without the line end
    QByteArray end;    // "\r\n", "\n", "\r", or empty for a last line without one
    QString text;      // bytes decoded
  };

  // Index of the section's header line, or -1.
  qsizetype FindSection(const QString& section) const;
  // Index of the line after the section's last line.
  qsizetype SectionEnd(qsizetype header) const;
  // Index of the key's first line in the section, or -1.
  qsizetype FindKey(qsizetype header, const QString& key) const;
  Line MakeLine(const QString& text) const;
  void Insert(qsizetype at, const QString& text);
  static bool IsSectionHeader(const QString& line, QString* name);
  static bool SplitKeyLine(const QString& line, QString* key, QString* value);
  static QString Unquoted(const QString& value);

  std::vector<Line> lines_;
  QByteArray new_line_end_ = "\n";
  bool windows_1252_ = false;
};

}  // namespace orvell
