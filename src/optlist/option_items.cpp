#include "option_items.h"

#include <algorithm>

namespace orvell {

namespace {

// Appends the accelerators of one line: "&x" with x not '&'; "&&" is a literal ampersand.
void AddMnemonics(const QString& text, int line, std::vector<Mnemonic>& out) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    const QChar next = text[i + 1];
    ++i;
    if (next == u'&') continue;
    if (out.size() >= static_cast<size_t>(OptionItems::kMaxMnemonics)) return;
    out.push_back({next.toUpper(), line});
  }
}

}  // namespace

QString OptionItems::NormaliseLine(const QString& text) {
  qsizetype end = text.size();
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      end = i;
      break;
    }
  }
  return text.left(std::min<qsizetype>(end, kMaxLineLength));
}

QStringList OptionItems::SplitContents(const QString& contents) {
  // Pieces are cut to kMaxLineLength before they are copied: a huge line costs no more than a
  // short one.
  const QStringView view(contents);
  auto piece = [view](qsizetype from, qsizetype length) {
    return view.mid(from, std::min<qsizetype>(length, kMaxLineLength)).toString();
  };
  QStringList lines;
  qsizetype start = 0;
  qsizetype i = 0;
  while (i < contents.size() && lines.size() < kMaxItems) {
    const QChar c = contents[i];
    if (c == u'\r' || c == u'\n') {
      lines.append(piece(start, i - start));
      if (c == u'\r' && i + 1 < contents.size() && contents[i + 1] == u'\n') ++i;
      start = i + 1;
    }
    ++i;
  }
  if (start < contents.size() && lines.size() < kMaxItems) {
    lines.append(piece(start, contents.size() - start));
  }
  return lines;
}

QString OptionItems::CaptionPart(const QString& line) {
  const qsizetype semi = line.indexOf(u';');
  return semi < 0 ? line : line.mid(semi + 1);
}

QString OptionItems::ValuePart(const QString& line) {
  const qsizetype semi = line.indexOf(u';');
  return semi < 0 ? QString() : line.left(semi);
}

QString OptionItems::SelectionValue(const QString& line) {
  const qsizetype semi = line.indexOf(u';');
  return semi < 0 ? line : line.left(semi);
}

QString OptionItems::WithCaption(const QString& line, const QString& caption) {
  const qsizetype semi = line.indexOf(u';');
  const QString head = semi < 0 ? line : line.left(semi);
  return NormaliseLine(head + u';' + NormaliseLine(caption));
}

QString OptionItems::WithValue(const QString& line, const QString& value) {
  const qsizetype semi = line.indexOf(u';');
  const QString tail = semi < 0 ? line : line.mid(semi + 1);
  return NormaliseLine(NormaliseLine(value) + u';' + tail);
}

void OptionItems::SetContents(const QString& contents) {
  const QStringList lines = SplitContents(contents);
  items_.clear();
  items_.reserve(static_cast<size_t>(lines.size()));
  for (const QString& line : lines) items_.push_back({line, true});
}

QString OptionItems::JoinStored(const QStringList& lines) {
  QString text = lines.join(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.last().isEmpty()) text += QStringLiteral("\r\n");
  return text;
}

QStringList OptionItems::Lines() const {
  QStringList lines;
  lines.reserve(Count());
  for (const OptionItem& item : items_) lines.append(item.line);
  return lines;
}

QString OptionItems::Contents() const { return Lines().join(QStringLiteral("\r\n")); }

QString OptionItems::StoredContents() const { return JoinStored(Lines()); }

void OptionItems::SetLine(int index, const QString& text) {
  items_[static_cast<size_t>(index)].line = NormaliseLine(text);
}

void OptionItems::SetEnabled(int index, bool enabled) {
  items_[static_cast<size_t>(index)].enabled = enabled;
}

int OptionItems::Insert(const QString& text, int index) {
  if (Count() >= kMaxItems) return -1;
  const int position = (index < 0 || index > Count()) ? Count() : index;
  // Only a selected item moves; an index that waits for its item (at or beyond Count()) stays.
  const bool moves = HasSelection() && list_index_ >= position;
  items_.insert(items_.begin() + position, OptionItem{NormaliseLine(text), true});
  if (moves) ++list_index_;
  return position;
}

void OptionItems::Remove(int index) {
  const bool selected = HasSelection();
  items_.erase(items_.begin() + index);
  if (!selected) return;
  if (index == list_index_) {
    list_index_ = -1;
  } else if (index < list_index_) {
    --list_index_;
  }
}

int OptionItems::FindValue(const QString& value) const {
  for (int i = 0; i < Count(); ++i) {
    if (SelectionValue(At(i).line) == value) return i;
  }
  return -1;
}

int OptionItems::KeyboardTarget(int step) const {
  const int count = Count();
  if (count == 0) return -1;
  auto wrap = [count](int i) { return ((i % count) + count) % count; };
  int target;
  if (HasSelection()) {
    target = wrap(list_index_ + step);
  } else {
    target = step > 0 ? 0 : count - 1;
  }
  if (!At(target).enabled) target = wrap(target + step);
  return target;
}

int OptionItems::FirstEnabled() const {
  for (int i = 0; i < Count(); ++i) {
    if (At(i).enabled) return i;
  }
  return -1;
}

std::vector<Mnemonic> OptionItems::Mnemonics(const QString& caption) const {
  std::vector<Mnemonic> result;
  AddMnemonics(caption, 1, result);
  for (int i = 0; i < Count(); ++i) AddMnemonics(At(i).line, i + 2, result);
  return result;
}

}  // namespace orvell
