#include "ini_file.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStringDecoder>
#include <array>

namespace orvell {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes the code page leaves unassigned map to the C1
// controls of the same number, as Windows itself maps them.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  //
};

std::optional<QString> DecodeUtf8(const QByteArray& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  QString text = decoder(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text;
}

}  // namespace

QString IniFile::DecodeWindows1252(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text.append(byte >= 0x80 && byte < 0xA0 ? QChar(kWindows1252High[byte - 0x80]) : QChar(byte));
  }
  return text;
}

std::optional<QByteArray> IniFile::EncodeWindows1252(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      bytes.append(static_cast<char>(u));
      continue;
    }
    qsizetype found = -1;
    for (qsizetype i = 0; i < static_cast<qsizetype>(kWindows1252High.size()); ++i) {
      if (kWindows1252High[static_cast<size_t>(i)] == u) found = i;
    }
    if (found < 0) return std::nullopt;
    bytes.append(static_cast<char>(0x80 + found));
  }
  return bytes;
}

IniFile::LoadResult IniFile::Load(const QString& path) {
  Parse(QByteArray());
  QFile file(path);
  if (!file.exists()) return LoadResult::kMissing;
  // Only a regular file: opening a FIFO in its place would wait for a writer for ever.
  if (!QFileInfo(path).isFile()) return LoadResult::kUnreadable;
  if (!file.open(QIODevice::ReadOnly)) return LoadResult::kUnreadable;
  if (file.size() > kMaxFileSize) return LoadResult::kUnreadable;
  // Read at most one byte beyond the limit: a file that grows meanwhile is still bounded.
  const QByteArray text = file.read(kMaxFileSize + 1);
  if (text.size() > kMaxFileSize) return LoadResult::kUnreadable;
  Parse(text);
  return LoadResult::kLoaded;
}

void IniFile::Parse(const QByteArray& text) {
  lines_.clear();
  new_line_end_ = "\n";
  windows_1252_ = false;
  bool end_seen = false;
  qsizetype start = 0;
  while (start < text.size()) {
    qsizetype end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    Line line;
    line.bytes = text.mid(start, end - start);
    qsizetype next = end;
    if (end < text.size()) {
      next = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
      line.end = text.mid(end, next - end);
      if (!end_seen) new_line_end_ = line.end;
      end_seen = true;
    }
    if (std::optional<QString> utf8 = DecodeUtf8(line.bytes)) {
      line.text = *std::move(utf8);
    } else {
      line.text = DecodeWindows1252(line.bytes);
      windows_1252_ = true;
    }
    lines_.push_back(std::move(line));
    start = next;
  }
}

bool IniFile::IsSectionHeader(const QString& line, QString* name) {
  const QString t = line.trimmed();
  if (!t.startsWith(u'[')) return false;
  const qsizetype close = t.indexOf(u']');
  if (close < 0) return false;
  *name = t.mid(1, close - 1).trimmed();
  return true;
}

bool IniFile::SplitKeyLine(const QString& line, QString* key, QString* value) {
  const QString t = line.trimmed();
  if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#')) return false;
  const qsizetype eq = t.indexOf(u'=');
  if (eq <= 0) return false;
  *key = t.left(eq).trimmed();
  *value = t.mid(eq + 1).trimmed();
  return true;
}

QString IniFile::Unquoted(const QString& value) {
  if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) {
    return value.mid(1, value.size() - 2);
  }
  return value;
}

qsizetype IniFile::FindSection(const QString& section) const {
  QString name;
  for (qsizetype i = 0; i < static_cast<qsizetype>(lines_.size()); ++i) {
    if (IsSectionHeader(lines_[static_cast<size_t>(i)].text, &name) &&
        name.compare(section, Qt::CaseInsensitive) == 0) {
      return i;
    }
  }
  return -1;
}

qsizetype IniFile::SectionEnd(qsizetype header) const {
  QString name;
  qsizetype i = header + 1;
  while (i < static_cast<qsizetype>(lines_.size()) &&
         !IsSectionHeader(lines_[static_cast<size_t>(i)].text, &name)) {
    ++i;
  }
  return i;
}

qsizetype IniFile::FindKey(qsizetype header, const QString& key) const {
  const qsizetype end = SectionEnd(header);
  QString k;
  QString v;
  for (qsizetype i = header + 1; i < end; ++i) {
    if (SplitKeyLine(lines_[static_cast<size_t>(i)].text, &k, &v) &&
        k.compare(key, Qt::CaseInsensitive) == 0) {
      return i;
    }
  }
  return -1;
}

std::optional<QString> IniFile::Value(const QString& section, const QString& key) const {
  const qsizetype header = FindSection(section);
  if (header < 0) return std::nullopt;
  const qsizetype at = FindKey(header, key);
  if (at < 0) return std::nullopt;
  QString k;
  QString v;
  SplitKeyLine(lines_[static_cast<size_t>(at)].text, &k, &v);
  return Unquoted(v);
}

IniFile::Line IniFile::MakeLine(const QString& text) const {
  Line line;
  line.text = text;
  std::optional<QByteArray> bytes;
  if (windows_1252_) bytes = EncodeWindows1252(text);
  line.bytes = bytes ? *std::move(bytes) : text.toUtf8();
  line.end = new_line_end_;
  return line;
}

void IniFile::Insert(qsizetype at, const QString& text) {
  // The line before gets a line end if it was the last line and had none.
  if (at > 0 && lines_[static_cast<size_t>(at - 1)].end.isEmpty()) {
    lines_[static_cast<size_t>(at - 1)].end = new_line_end_;
  }
  lines_.insert(lines_.begin() + at, MakeLine(text));
}

void IniFile::SetValue(const QString& section, const QString& key, const QString& value) {
  qsizetype cut = value.size();
  for (qsizetype i = 0; i < value.size(); ++i) {
    if (value[i] == u'\r' || value[i] == u'\n') {
      cut = i;
      break;
    }
  }
  const QString plain = value.left(cut);
  const bool quote = plain != plain.trimmed() || Unquoted(plain) != plain;
  const QString written = quote ? u'"' + plain + u'"' : plain;

  qsizetype header = FindSection(section);
  if (header < 0) {
    if (!lines_.empty() && !lines_.back().text.trimmed().isEmpty()) {
      Insert(static_cast<qsizetype>(lines_.size()), QString());
    }
    Insert(static_cast<qsizetype>(lines_.size()), u'[' + section + u']');
    header = static_cast<qsizetype>(lines_.size()) - 1;
  }
  if (const qsizetype at = FindKey(header, key); at >= 0) {
    Line& line = lines_[static_cast<size_t>(at)];
    QString k;
    QString v;
    SplitKeyLine(line.text, &k, &v);
    if (Unquoted(v) == plain) return;
    const QByteArray end = line.end;
    line = MakeLine(k + u'=' + written);
    line.end = end;
    return;
  }
  // After the section's last non-blank line, so a blank line before the next section stays.
  qsizetype at = SectionEnd(header);
  while (at > header + 1 && lines_[static_cast<size_t>(at - 1)].text.trimmed().isEmpty()) --at;
  Insert(at, key + u'=' + written);
}

QByteArray IniFile::Serialise() const {
  QByteArray bytes;
  for (const Line& line : lines_) bytes += line.bytes + line.end;
  return bytes;
}

}  // namespace orvell
