// The items of an option list and the selected index, with the rules that change them: parsing
// Contents, the "value;caption" split, insertion and removal bookkeeping, the keyboard walk and
// the mnemonics. No widget code.
#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <vector>

namespace orvell {

struct OptionItem {
  QString line;
  bool enabled = true;
};

struct Mnemonic {
  QChar key;  // upper case
  int line;   // 1 is the caption, item i is line i + 2
};

class OptionItems {
 public:
  static constexpr int kMaxItems = 32767;
  static constexpr int kMaxLineLength = 255;
  static constexpr int kMaxMnemonics = 64;

  // A single item line: cut at the first CR or LF and at kMaxLineLength characters.
  static QString NormaliseLine(const QString& text);
  // Lines of a Contents text: split at CR LF, a lone CR or a lone LF; a final line without a
  // line break counts, an empty remainder after the last break does not. At most kMaxItems.
  static QStringList SplitContents(const QString& contents);
  // The text after the first ';' (the whole line when there is none).
  static QString CaptionPart(const QString& line);
  // The text before the first ';' (empty when there is none).
  static QString ValuePart(const QString& line);
  // The value as the Value property reads it: the value part, or the whole line without ';'.
  static QString SelectionValue(const QString& line);
  static QString WithCaption(const QString& line, const QString& caption);
  static QString WithValue(const QString& line, const QString& value);
  // Lines joined as a stored Contents text: by CR LF, with one more CR LF after a last line that
  // is empty, so that SplitContents gives exactly these lines back (the plain CR LF join loses
  // a trailing empty item).
  static QString JoinStored(const QStringList& lines);

  int Count() const { return static_cast<int>(items_.size()); }
  bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }
  const OptionItem& At(int index) const { return items_[static_cast<size_t>(index)]; }

  // Replaces all items (all enabled); the selected index is kept.
  void SetContents(const QString& contents);
  QStringList Lines() const;
  QString Contents() const;
  // Contents as JoinStored writes it.
  QString StoredContents() const;
  void SetLine(int index, const QString& text);
  void SetEnabled(int index, bool enabled);

  // Inserts at index (append when index < 0 or > Count()) and returns the position used;
  // a selected item at or after it keeps its selection (ListIndex + 1). Returns -1, changing
  // nothing, when full. An index that waits for its item (>= Count()) is not moved.
  int Insert(const QString& text, int index);
  // Removes a valid index: removing the selected item leaves nothing selected, removing one
  // above it keeps the same item selected. An index that waits for its item is not moved.
  void Remove(int index);
  void Clear() { items_.clear(); }

  int ListIndex() const { return list_index_; }
  void SetListIndex(int index) { list_index_ = index; }
  // True when ListIndex names an existing item.
  bool HasSelection() const { return IsValidIndex(list_index_); }

  // The first item whose selection value equals value exactly, or -1.
  int FindValue(const QString& value) const;
  // The item the keyboard reaches from ListIndex: step +1 (next) or -1 (previous), cyclic; a
  // disabled item reached is skipped, one only. From no selection, next is item 0 and previous
  // the last item. -1 for an empty list.
  int KeyboardTarget(int step) const;
  // The first enabled item, or -1.
  int FirstEnabled() const;

  // Accelerators of the caption and the item lines, in line order, at most kMaxMnemonics.
  std::vector<Mnemonic> Mnemonics(const QString& caption) const;

 private:
  std::vector<OptionItem> items_;
  int list_index_ = -1;
};

}  // namespace orvell
