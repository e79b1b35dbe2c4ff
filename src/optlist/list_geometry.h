// Where everything of an option list lies, in pixels: the caption box, the frame, each row's
// button and text; and which item a point hits. Pure arithmetic on the text measurements the
// widget supplies. Positions are 64-bit so that no property value can overflow them.
#pragma once

#include <QtCore/QRect>
#include <utility>
#include <vector>

namespace orvell {

struct LayoutInput {
  int width = 0;
  int height = 0;
  int left_margin = 16;
  int top_margin = 20;
  int spacing = 16;
  int item_gap = 4;
  int item_alignment = 0;
  int alignment = 0;
  // The caption font: line height, width of one blank, width of " caption " as drawn (0 when
  // the caption is empty).
  int caption_text_height = 0;
  int caption_blank_width = 0;
  int caption_box_width = 0;
  // The item font's line height and each item's caption width as drawn.
  int item_text_height = 0;
  std::vector<int> item_text_widths;
};

struct Span {
  qint64 begin = 0;  // inclusive
  qint64 end = 0;    // exclusive
  bool Contains(qint64 v) const { return v >= begin && v < end; }
};

class ListGeometry {
 public:
  static constexpr int kGlyphWidth = 14;
  static constexpr int kGlyphHeight = 13;
  // Text rows for hit testing start (kCaptionRowBase - text height) / 2 below TopMargin.
  static constexpr int kCaptionRowBase = 12;

  ListGeometry() = default;
  explicit ListGeometry(LayoutInput input) : in_(std::move(input)) {}

  const LayoutInput& input() const { return in_; }
  int ItemCount() const { return static_cast<int>(in_.item_text_widths.size()); }

  // The frame's top edge: half a caption line below the top.
  int FrameTop() const { return in_.caption_text_height / 2; }
  // The caption box (" caption " with its blanks); empty width when there is no caption.
  QRect CaptionBox() const;

  qint64 GlyphLeft() const;
  qint64 GlyphTop(int row) const;
  // The item's caption text box.
  qint64 TextLeft(int row) const;
  qint64 TextTop(int row) const;

  // The item under a point: the button zone (14 wide, the whole row band) or the text zone
  // (from the button across the gap to the end of the text, rows offset by
  // (12 - text height) / 2). -1 when none.
  int HitTest(qint64 x, qint64 y) const;

 private:
  // floor((y - origin) / Spacing), or -1 when that is not a row of the list.
  int RowAt(qint64 y, qint64 origin) const;
  Span TextZone(int row) const;

  LayoutInput in_;
};

// Floor division for a non-zero divisor.
qint64 FloorDiv(qint64 a, qint64 b);

}  // namespace orvell
