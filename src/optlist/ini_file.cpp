#include "ini_file.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace orvell {

IniFile::LoadResult IniFile::Load(const QString& path) {
  lines_.clear();
  crlf_ = false;
  QFile file(path);
  if (!file.exists()) return LoadResult::kMissing;
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
  crlf_ = text.contains("\r\n");
  QString all = QString::fromUtf8(text);
  all.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  all.replace(u'\r', u'\n');
  lines_ = all.split(u'\n');
  // A final line break leaves one empty piece, which is not a line.
  if (!lines_.isEmpty() && lines_.last().isEmpty()) lines_.removeLast();
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

qsizetype IniFile::FindSection(const QString& section) const {
  QString name;
  for (qsizetype i = 0; i < lines_.size(); ++i) {
    if (IsSectionHeader(lines_[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0) {
      return i;
    }
  }
  return -1;
}

qsizetype IniFile::SectionEnd(qsizetype header) const {
  QString name;
  qsizetype i = header + 1;
  while (i < lines_.size() && !IsSectionHeader(lines_[i], &name)) ++i;
  return i;
}

std::optional<QString> IniFile::Value(const QString& section, const QString& key) const {
  const qsizetype header = FindSection(section);
  if (header < 0) return std::nullopt;
  const qsizetype end = SectionEnd(header);
  QString k;
  QString v;
  for (qsizetype i = header + 1; i < end; ++i) {
    if (SplitKeyLine(lines_[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0) {
      if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"')) v = v.mid(1, v.size() - 2);
      return v;
    }
  }
  return std::nullopt;
}

void IniFile::SetValue(const QString& section, const QString& key, const QString& value) {
  qsizetype header = FindSection(section);
  if (header < 0) {
    if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty()) lines_.append(QString());
    lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
    header = lines_.size() - 1;
  }
  const qsizetype end = SectionEnd(header);
  QString k;
  QString v;
  for (qsizetype i = header + 1; i < end; ++i) {
    if (SplitKeyLine(lines_[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0) {
      lines_[i] = k + QLatin1Char('=') + value;
      return;
    }
  }
  // After the section's last non-blank line, so a blank line before the next section stays.
  qsizetype at = end;
  while (at > header + 1 && lines_[at - 1].trimmed().isEmpty()) --at;
  lines_.insert(at, key + QLatin1Char('=') + value);
}

QByteArray IniFile::Serialise() const {
  const QString eol = crlf_ ? QStringLiteral("\r\n") : QStringLiteral("\n");
  QString text;
  for (const QString& line : lines_) text += line + eol;
  return text.toUtf8();
}

}  // namespace orvell
