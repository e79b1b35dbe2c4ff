#include "orvell/orvell_list.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QScopedValueRollback>
#include <QtCore/QTimer>
#include <QtGui/QAccessible>
#include <QtGui/QCursor>
#include <QtGui/QFontMetrics>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QLabel>
#include <QtWidgets/QToolTip>
#include <algorithm>
#include <array>
#include <utility>

#include "about_box.h"
#include "defaults_file.h"
#include "list_geometry.h"
#include "list_renderer.h"
#include "option_items.h"
#include "orvell/dialog_runner.h"
#include "orvell/orvell_defaults.h"
#include "orvell/orvell_error.h"
#include "orvell/property_page.h"
#include "orvell_accessible.h"
#include "property_serializer.h"
#include "property_set.h"

namespace orvell {

namespace {

constexpr int kToolTipDelayMs = 1000;
constexpr int kToolTipQuickDelayMs = 250;
// A tooltip closed less than this long ago makes the next one come quickly.
constexpr qint64 kToolTipQuickWindowMs = 1000;
constexpr int kTextMeasureFlags = Qt::TextSingleLine | Qt::TextShowMnemonic;
constexpr qint64 kMeasureSlack = 4096;

[[noreturn]] void Refuse(const char* message) {
  throw InvalidPropertyValue(QString::fromLatin1(message));
}

// When the last tooltip of any option list closed; shared so that moving from one control to
// the next brings the next tooltip quickly.
QElapsedTimer& LastToolTipClosed() {
  static QElapsedTimer timer;
  return timer;
}

int ShiftMaskOf(Qt::KeyboardModifiers modifiers) {
  int mask = 0;
  if (modifiers & Qt::ShiftModifier) mask |= OrvellList::kShiftMask;
  if (modifiers & Qt::ControlModifier) mask |= OrvellList::kCtrlMask;
  if (modifiers & Qt::AltModifier) mask |= OrvellList::kAltMask;
  return mask;
}

// The arrow keys' step through the list, 0 for any other key.
int ArrowStep(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      return -1;
    case Qt::Key_Right:
    case Qt::Key_Down:
      return 1;
    default:
      return 0;
  }
}

// MousePointer 0..15 as Qt cursor shapes; 0 is the default cursor and 99 the MouseIcon.
constexpr std::array<Qt::CursorShape, 16> kPointerShapes = {
    Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
    Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
    Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
    Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
};

}  // namespace

struct OrvellList::Private : OrvellLook {
  OptionItems items;
  bool modified = false;

  // The item the left button went down on, and whether the mouse is over it now.
  int press_target = -1;
  bool press_inside = false;

  // The tooltip is a window of the control's own, so that it opens and closes exactly when the
  // control says (QToolTip fades out on its own timing).
  QTimer tool_tip_timer;
  std::unique_ptr<QLabel> tool_tip_window;

  // Grabbed shortcut ids and the line each one selects.
  std::vector<std::pair<int, int>> shortcuts;

  QImage buffer;
  bool buffer_valid = false;

  // Set while a mnemonic moves the focus here: the mnemonic has made its choice (the caption's
  // is no item at all), which the focus must not replace with item 0.
  bool focus_by_mnemonic = false;
};

OrvellList::OrvellList(QWidget* parent) : QWidget(parent), d_(std::make_unique<Private>()) {
  InstallFontSubstitutes();
  InstallAccessibleFactory();
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  d_->tool_tip_timer.setSingleShot(true);
  // A coarse timer may fire up to 5 % early; the delays are part of the control's behaviour.
  d_->tool_tip_timer.setTimerType(Qt::PreciseTimer);
  connect(&d_->tool_tip_timer, &QTimer::timeout, this, [this] { ShowToolTipWindow(); });
  ApplyProperties(ReadDefaultProperties());
  d_->modified = false;
}

OrvellList::~OrvellList() = default;

// ---------------------------------------------------------------------------------------------
// Internal helpers

void OrvellList::Changed() {
  d_->modified = true;
  d_->buffer_valid = false;
  update();
}

void OrvellList::ItemsChanged(int previous_index) {
  UpdateMnemonics();
  updateGeometry();
  Changed();
  // The items may all be others now: their number, names and states.
  NotifyAccessible(QAccessible::ObjectReorder, -1);
  if (d_->items.ListIndex() != previous_index) emit ListIndexChanged(d_->items.ListIndex());
}

void OrvellList::Select(int index, bool fire_click) {
  const int previous = d_->items.ListIndex();
  d_->items.SetListIndex(index);
  Changed();
  if (index != previous) {
    NotifyItemStateChanged(previous, ItemState::kChecked);
    NotifyItemStateChanged(index, ItemState::kChecked);
    // The focus is on the selected item: it moves with the selection.
    if (hasFocus() && d_->items.HasSelection()) NotifyAccessible(QAccessible::Focus, index);
    emit ListIndexChanged(index);
  }
  if (fire_click) emit Click();
}

void OrvellList::NotifyAccessible(int event_type, int child) const {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(const_cast<OrvellList*>(this),
                         static_cast<QAccessible::Event>(event_type));
  event.setChild(child);
  QAccessible::updateAccessibility(&event);
}

void OrvellList::NotifyItemStateChanged(int item, ItemState state) const {
  if (!QAccessible::isActive() || !d_->items.IsValidIndex(item)) return;
  QAccessible::State changed;
  if (state == ItemState::kChecked) {
    changed.checked = true;
  } else {
    changed.disabled = true;
  }
  QAccessibleStateChangeEvent event(const_cast<OrvellList*>(this), changed);
  event.setChild(item);
  QAccessible::updateAccessibility(&event);
}

QRect OrvellList::ItemRect(int index) const {
  const ListGeometry g = Layout();
  if (index < 0 || index >= g.ItemCount()) return QRect();
  // Far-off rows are clamped well outside the control; they are never drawn.
  static constexpr qint64 kFar = 1 << 24;
  auto clamp = [](qint64 v) { return static_cast<int>(std::clamp<qint64>(v, -kFar, kFar)); };
  const QRect glyph(clamp(g.GlyphLeft()), clamp(g.GlyphTop(index)), ListGeometry::kGlyphWidth,
                    ListGeometry::kGlyphHeight);
  const int text_width = g.input().item_text_widths[static_cast<size_t>(index)];
  if (text_width == 0) return glyph;
  return glyph.united(QRect(clamp(g.TextLeft(index)), clamp(g.TextTop(index)), text_width,
                            g.input().item_text_height));
}

QString OrvellList::AccessKey(int line) const {
  for (const Mnemonic& m : d_->items.Mnemonics(d_->caption)) {
    if (m.line == line) {
      return QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(m.key.unicode())))
          .toString(QKeySequence::NativeText);
    }
  }
  return QString();
}

void OrvellList::UpdateMnemonics() {
  for (const auto& [id, line] : d_->shortcuts) releaseShortcut(id);
  d_->shortcuts.clear();
  for (const Mnemonic& m : d_->items.Mnemonics(d_->caption)) {
    const int id = grabShortcut(
        QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(m.key.unicode()))));
    d_->shortcuts.emplace_back(id, m.line);
  }
}

void OrvellList::HandleMnemonic(int line) {
  if (!isEnabled()) return;
  if (line == 1) {
    Select(-1, true);
  } else {
    const int item = line - 2;
    if (!d_->items.IsValidIndex(item) || !d_->items.At(item).enabled) return;
    Select(item, true);
  }
  const QScopedValueRollback<bool> by_mnemonic(d_->focus_by_mnemonic, true);
  setFocus(Qt::ShortcutFocusReason);
}

void OrvellList::ShowToolTipWindow() {
  if (d_->tool_tip.isEmpty()) return;
  if (!d_->tool_tip_window) {
    d_->tool_tip_window = std::make_unique<QLabel>(nullptr, Qt::ToolTip);
    d_->tool_tip_window->setObjectName(QString::fromLatin1(kToolTipWindowName));
    d_->tool_tip_window->setPalette(QToolTip::palette());
    d_->tool_tip_window->setFont(QToolTip::font());
    d_->tool_tip_window->setForegroundRole(QPalette::ToolTipText);
    d_->tool_tip_window->setBackgroundRole(QPalette::ToolTipBase);
    d_->tool_tip_window->setAutoFillBackground(true);
    d_->tool_tip_window->setFrameStyle(QFrame::Box | QFrame::Plain);
    d_->tool_tip_window->setMargin(2);
  }
  QLabel& tip = *d_->tool_tip_window;
  tip.setText(d_->tool_tip);
  tip.adjustSize();
  // Below and right of the pointer, as tooltips appear.
  tip.move(QCursor::pos() + QPoint(2, 16));
  tip.show();
}

void OrvellList::CloseToolTip() {
  d_->tool_tip_timer.stop();
  if (d_->tool_tip_window && d_->tool_tip_window->isVisible()) {
    d_->tool_tip_window->hide();
    LastToolTipClosed().start();
  }
}

bool OrvellList::IsToolTipShown() const {
  return d_->tool_tip_window && d_->tool_tip_window->isVisible();
}

void OrvellList::UpdateCursor() {
  if (d_->mouse_pointer == kCustomPointer) {
    if (d_->mouse_icon.isNull()) {
      unsetCursor();
    } else {
      setCursor(QCursor(d_->mouse_icon));
    }
  } else if (d_->mouse_pointer <= 0 || d_->mouse_pointer >= 16) {
    unsetCursor();
  } else {
    setCursor(kPointerShapes[static_cast<size_t>(d_->mouse_pointer)]);
  }
}

ListGeometry OrvellList::Layout(bool all_rows) const {
  LayoutInput in;
  in.width = width();
  in.height = height();
  in.left_margin = d_->left_margin;
  in.top_margin = d_->top_margin;
  in.spacing = d_->spacing;
  in.item_gap = d_->item_gap;
  in.item_alignment = d_->item_alignment;
  in.alignment = d_->alignment;
  const QFontMetrics caption_metrics(font(), const_cast<OrvellList*>(this));
  in.caption_text_height = caption_metrics.height();
  in.caption_blank_width = caption_metrics.horizontalAdvance(QLatin1Char(' '));
  if (!d_->caption.isEmpty()) {
    in.caption_box_width =
        caption_metrics.size(kTextMeasureFlags, QLatin1Char(' ') + d_->caption + QLatin1Char(' '))
            .width();
  }
  const QFontMetrics item_metrics(d_->item_font, const_cast<OrvellList*>(this));
  in.item_text_height = item_metrics.height();
  in.item_text_widths.reserve(static_cast<size_t>(d_->items.Count()));
  for (int i = 0; i < d_->items.Count(); ++i) {
    // Rows far outside the control are neither drawn nor hit; their texts are not measured.
    const qint64 row_top =
        static_cast<qint64>(d_->top_margin) + static_cast<qint64>(i) * d_->spacing;
    const bool near = row_top > -kMeasureSlack && row_top < height() + kMeasureSlack;
    const QString caption = OptionItems::CaptionPart(d_->items.At(i).line);
    in.item_text_widths.push_back((caption.isEmpty() || !(near || all_rows))
                                      ? 0
                                      : item_metrics.size(kTextMeasureFlags, caption).width());
  }
  return ListGeometry(std::move(in));
}

QImage OrvellList::RenderToImage() const {
  RenderInput in;
  in.size = size();
  in.device_pixel_ratio = devicePixelRatioF();
  in.dots_per_meter_x = qRound(logicalDpiX() / 0.0254);
  in.dots_per_meter_y = qRound(logicalDpiY() / 0.0254);
  in.palette = palette();
  in.back_color = d_->back_color;
  in.fore_color = d_->fore_color;
  in.item_fore_color = d_->item_fore_color;
  in.shadow_color = d_->shadow_color;
  in.caption = d_->caption;
  in.font = font();
  in.item_font = d_->item_font;
  in.border_style = d_->border_style;
  in.border_effect = d_->border_effect;
  in.three_d = d_->three_d;
  in.geometry = Layout();
  in.items.reserve(static_cast<size_t>(d_->items.Count()));
  for (int i = 0; i < d_->items.Count(); ++i) {
    in.items.push_back({OptionItems::CaptionPart(d_->items.At(i).line), d_->items.At(i).enabled});
  }
  in.list_index = d_->items.ListIndex();
  in.pressed_item = d_->press_inside ? d_->press_target : -1;
  in.focused = hasFocus();
  in.enabled = isEnabled();
  return RenderList(in);
}

OrvellProperties OrvellList::Snapshot() const {
  OrvellProperties p;
  static_cast<OrvellLook&>(p) = *d_;
  p.contents = d_->items.StoredContents();
  p.list_index = d_->items.ListIndex();
  p.font = font();
  p.enabled = isEnabled();
  return p;
}

void OrvellList::ApplyProperties(const OrvellProperties& p) {
  const int previous = d_->items.ListIndex();
  d_->items.SetContents(p.contents);
  d_->items.SetListIndex(p.list_index);
  static_cast<OrvellLook&>(*d_) = p;
  setFont(p.font);
  setEnabled(p.enabled);
  UpdateCursor();
  ItemsChanged(previous);
}

// ---------------------------------------------------------------------------------------------
// Items

QString OrvellList::Contents() const { return d_->items.Contents(); }

void OrvellList::setContents(const QString& contents) {
  const int previous = d_->items.ListIndex();
  d_->items.SetContents(contents);
  ItemsChanged(previous);
}

int OrvellList::ListCount() const { return d_->items.Count(); }

void OrvellList::CheckIndex(int index) const {
  if (!d_->items.IsValidIndex(index)) Refuse(kInvalidIndex);
}

QString OrvellList::List(int index) const {
  CheckIndex(index);
  return d_->items.At(index).line;
}

void OrvellList::setList(int index, const QString& text) {
  CheckIndex(index);
  d_->items.SetLine(index, text);
  ItemsChanged(d_->items.ListIndex());
}

QString OrvellList::ItemCaption(int index) const {
  CheckIndex(index);
  return OptionItems::CaptionPart(d_->items.At(index).line);
}

void OrvellList::setItemCaption(int index, const QString& caption) {
  CheckIndex(index);
  d_->items.SetLine(index, OptionItems::WithCaption(d_->items.At(index).line, caption));
  ItemsChanged(d_->items.ListIndex());
}

QString OrvellList::ItemValue(int index) const {
  CheckIndex(index);
  return OptionItems::ValuePart(d_->items.At(index).line);
}

void OrvellList::setItemValue(int index, const QString& value) {
  CheckIndex(index);
  d_->items.SetLine(index, OptionItems::WithValue(d_->items.At(index).line, value));
  ItemsChanged(d_->items.ListIndex());
}

bool OrvellList::ItemEnabled(int index) const {
  CheckIndex(index);
  return d_->items.At(index).enabled;
}

void OrvellList::setItemEnabled(int index, bool enabled) {
  CheckIndex(index);
  if (d_->items.At(index).enabled == enabled) return;
  d_->items.SetEnabled(index, enabled);
  if (!enabled && d_->press_target == index) {
    d_->press_target = -1;
    d_->press_inside = false;
  }
  Changed();
  NotifyItemStateChanged(index, ItemState::kEnabled);
}

void OrvellList::setItemEnabled(int index, int value) {
  CheckIndex(index);
  if (!IsValidFlag(value)) throw InvalidPropertyValue(QString());
  setItemEnabled(index, value != 0);
}

// ---------------------------------------------------------------------------------------------
// Selection

int OrvellList::ListIndex() const { return d_->items.ListIndex(); }

void OrvellList::setListIndex(int index) {
  if (!IsValidListIndex(index)) Refuse(kInvalidIndex);
  Select(index, true);
}

int OrvellList::Selected() const { return d_->items.ListIndex(); }

void OrvellList::setSelected(int index) {
  if (index < -1 || index >= d_->items.Count()) Refuse(kInvalidIndex);
  Select(index, true);
}

QString OrvellList::Value() const {
  const int index = d_->items.ListIndex();
  if (index == -1) return QString();
  CheckIndex(index);
  return OptionItems::SelectionValue(d_->items.At(index).line);
}

void OrvellList::setValue(const QString& value) { Select(d_->items.FindValue(value), true); }

// ---------------------------------------------------------------------------------------------
// The property system

void OrvellList::PropertyRefused(const char* property, const QVariant& refused,
                                 const QVariant& kept, const QString& message) {
  qWarning("OrvellList %s: %s cannot be %s (%s); it keeps %s.", qUtf8Printable(objectName()),
           property, qUtf8Printable(refused.toString()), qUtf8Printable(message),
           qUtf8Printable(kept.toString()));
}

template <typename T>
void OrvellList::WriteProperty(const char* property, void (OrvellList::*setter)(T), T value,
                               const QVariant& kept) {
  try {
    (this->*setter)(value);
  } catch (const InvalidPropertyValue& e) {
    PropertyRefused(property, QVariant::fromValue(value), kept, e.message());
  }
}

void OrvellList::writeListIndex(int index) {
  WriteProperty("ListIndex", &OrvellList::setListIndex, index, ListIndex());
}
void OrvellList::writeSelected(int index) {
  WriteProperty("Selected", &OrvellList::setSelected, index, Selected());
}
QString OrvellList::readValue() const {
  const int index = d_->items.ListIndex();
  if (index != -1 && !d_->items.IsValidIndex(index)) return QString();
  return Value();
}
void OrvellList::writeAlignment(int alignment) {
  WriteProperty("Alignment", &OrvellList::setAlignment, alignment, Alignment());
}
void OrvellList::writeItemAlignment(int alignment) {
  WriteProperty("ItemAlignment", &OrvellList::setItemAlignment, alignment, ItemAlignment());
}
void OrvellList::writeBorderStyle(int style) {
  WriteProperty("BorderStyle", &OrvellList::setBorderStyle, style, BorderStyle());
}
void OrvellList::writeBorderEffect(int effect) {
  WriteProperty("BorderEffect", &OrvellList::setBorderEffect, effect, BorderEffect());
}
void OrvellList::writeSpacing(int pixels) {
  WriteProperty("Spacing", &OrvellList::setSpacing, pixels, Spacing());
}
void OrvellList::writeItemGap(int pixels) {
  WriteProperty("ItemGap", &OrvellList::setItemGap, pixels, ItemGap());
}
void OrvellList::writeMousePointer(int pointer) {
  WriteProperty("MousePointer", &OrvellList::setMousePointer, pointer, MousePointer());
}

// ---------------------------------------------------------------------------------------------
// Look

QString OrvellList::Caption() const { return d_->caption; }

void OrvellList::setCaption(const QString& caption) {
  if (caption == d_->caption) return;
  d_->caption = caption;
  UpdateMnemonics();
  updateGeometry();
  Changed();
  NotifyAccessible(QAccessible::NameChanged, -1);
}

int OrvellList::Alignment() const { return d_->alignment; }

void OrvellList::setAlignment(int alignment) {
  if (!IsValidAlignment(alignment)) Refuse(kAlignmentOutOfRange);
  if (alignment == d_->alignment) return;
  d_->alignment = alignment;
  Changed();
}

int OrvellList::ItemAlignment() const { return d_->item_alignment; }

void OrvellList::setItemAlignment(int alignment) {
  if (!IsValidItemAlignment(alignment)) Refuse(kItemAlignmentOutOfRange);
  if (alignment == d_->item_alignment) return;
  d_->item_alignment = alignment;
  Changed();
}

int OrvellList::BorderStyle() const { return d_->border_style; }

void OrvellList::setBorderStyle(int style) {
  if (!IsValidBorderStyle(style)) Refuse(kBorderStyleOutOfRange);
  if (style == d_->border_style) return;
  d_->border_style = style;
  Changed();
}

int OrvellList::BorderEffect() const { return d_->border_effect; }

void OrvellList::setBorderEffect(int effect) {
  if (!IsValidBorderEffect(effect)) Refuse(kBorderEffectOutOfRange);
  if (effect == d_->border_effect) return;
  d_->border_effect = effect;
  Changed();
}

bool OrvellList::ThreeD() const { return d_->three_d; }

void OrvellList::setThreeD(bool three_d) {
  if (three_d == d_->three_d) return;
  d_->three_d = three_d;
  auto swap = [](ColorValue& color, ColorValue from, ColorValue to) {
    if (color == from) color = to;
  };
  if (three_d) {
    swap(d_->back_color, kWindowBackground, kButtonFace);
    swap(d_->fore_color, kWindowText, kButtonText);
    swap(d_->item_fore_color, kWindowText, kButtonText);
    d_->border_effect = 4;
  } else {
    swap(d_->back_color, kButtonFace, kWindowBackground);
    swap(d_->fore_color, kButtonText, kWindowText);
    swap(d_->item_fore_color, kButtonText, kWindowText);
    d_->border_effect = 0;
  }
  Changed();
}

void OrvellList::setThreeD(int value) {
  if (!IsValidFlag(value)) Refuse(kThreeDOutOfRange);
  setThreeD(value != 0);
}

ColorValue OrvellList::ShadowColor() const { return d_->shadow_color; }

void OrvellList::setShadowColor(ColorValue color) {
  if (color == d_->shadow_color) return;
  d_->shadow_color = color;
  Changed();
}

ColorValue OrvellList::ItemForeColor() const { return d_->item_fore_color; }

void OrvellList::setItemForeColor(ColorValue color) {
  if (color == d_->item_fore_color) return;
  d_->item_fore_color = color;
  Changed();
}

ColorValue OrvellList::BackColor() const { return d_->back_color; }

void OrvellList::setBackColor(ColorValue color) {
  if (color == d_->back_color) return;
  d_->back_color = color;
  Changed();
}

ColorValue OrvellList::ForeColor() const { return d_->fore_color; }

void OrvellList::setForeColor(ColorValue color) {
  if (color == d_->fore_color) return;
  d_->fore_color = color;
  Changed();
}

int OrvellList::LeftMargin() const { return d_->left_margin; }

void OrvellList::setLeftMargin(int pixels) {
  if (pixels == d_->left_margin) return;
  d_->left_margin = pixels;
  updateGeometry();
  Changed();
}

int OrvellList::TopMargin() const { return d_->top_margin; }

void OrvellList::setTopMargin(int pixels) {
  if (pixels == d_->top_margin) return;
  d_->top_margin = pixels;
  updateGeometry();
  Changed();
}

int OrvellList::Spacing() const { return d_->spacing; }

void OrvellList::setSpacing(int pixels) {
  if (!IsValidSpacing(pixels)) Refuse(kSpacingOutOfRange);
  if (pixels == d_->spacing) return;
  d_->spacing = pixels;
  updateGeometry();
  Changed();
}

int OrvellList::ItemGap() const { return d_->item_gap; }

void OrvellList::setItemGap(int pixels) {
  if (!IsValidItemGap(pixels)) Refuse(kItemGapOutOfRange);
  if (pixels == d_->item_gap) return;
  d_->item_gap = pixels;
  updateGeometry();
  Changed();
}

QFont OrvellList::ItemFont() const { return d_->item_font; }

void OrvellList::setItemFont(const QFont& font) {
  QFont resolved = font;
  resolved.setResolveMask(QFont::AllPropertiesResolved);
  if (resolved == d_->item_font) return;
  d_->item_font = resolved;
  updateGeometry();
  Changed();
}

QString OrvellList::ToolTip() const { return d_->tool_tip; }

void OrvellList::setToolTip(const QString& text) {
  if (text == d_->tool_tip) return;
  d_->tool_tip = text;
  if (text.isEmpty()) {
    CloseToolTip();
  } else if (IsToolTipShown()) {
    ShowToolTipWindow();
  }
  d_->modified = true;
}

int OrvellList::MousePointer() const { return d_->mouse_pointer; }

void OrvellList::setMousePointer(int pointer) {
  if (!IsValidMousePointer(pointer)) Refuse(kMousePointerOutOfRange);
  if (pointer == d_->mouse_pointer) return;
  d_->mouse_pointer = pointer;
  UpdateCursor();
  d_->modified = true;
}

QPixmap OrvellList::MouseIcon() const { return d_->mouse_icon; }

void OrvellList::setMouseIcon(const QPixmap& icon) {
  if (icon.cacheKey() == d_->mouse_icon.cacheKey() ||
      (icon.isNull() ? d_->mouse_icon.isNull() : icon.toImage() == d_->mouse_icon.toImage())) {
    return;
  }
  d_->mouse_icon = icon;
  UpdateCursor();
  d_->modified = true;
}

// ---------------------------------------------------------------------------------------------
// Methods

void OrvellList::AddItem(const QString& text, int index) {
  const int previous = d_->items.ListIndex();
  if (d_->items.Insert(text, index) < 0) Refuse(kTooManyItems);
  ItemsChanged(previous);
}

void OrvellList::RemoveItem(int index) {
  CheckIndex(index);
  const int previous = d_->items.ListIndex();
  d_->items.Remove(index);
  if (d_->press_target >= 0) {
    d_->press_target = -1;
    d_->press_inside = false;
  }
  ItemsChanged(previous);
}

void OrvellList::Clear() {
  d_->items.Clear();
  d_->press_target = -1;
  d_->press_inside = false;
  ItemsChanged(d_->items.ListIndex());
}

void OrvellList::Refresh() {
  d_->buffer_valid = false;
  repaint();
}

void OrvellList::AboutBox() {
  const std::unique_ptr<QDialog> about = CreateAboutBox(this);
  RunDialog(*about);
}

bool OrvellList::ShowPropertyPage() {
  OrvellPropertyPage page(this, this);
  return RunDialog(page) == QDialog::Accepted;
}

void OrvellList::WriteProperties(PropertyBag& bag) const { WritePropertySet(Snapshot(), bag); }

void OrvellList::ReadProperties(const PropertyBag& bag) {
  ApplyProperties(ReadPropertySet(bag));
  d_->modified = false;
}

bool OrvellList::SaveAsDefaults(QString* error) const {
  return WriteDefaultProperties(Snapshot(), DefaultsFileWritePath(), error);
}

bool OrvellList::IsModified() const { return d_->modified; }

void OrvellList::ClearModified() { d_->modified = false; }

QSize OrvellList::sizeHint() const {
  const ListGeometry g = Layout(true);
  qint64 text_width = 0;
  for (int w : g.input().item_text_widths) text_width = std::max<qint64>(text_width, w);
  const qint64 count = std::max(1, d_->items.Count());
  const qint64 rows_width = 2 * std::abs(static_cast<qint64>(d_->left_margin)) +
                            ListGeometry::kGlyphWidth + d_->item_gap + text_width;
  const qint64 caption_width = g.input().caption_box_width + g.input().caption_blank_width;
  const qint64 rows_height = std::abs(static_cast<qint64>(d_->top_margin)) +
                             (count - 1) * std::abs(static_cast<qint64>(d_->spacing)) +
                             ListGeometry::kGlyphHeight + 8;
  auto clamp = [](qint64 v) { return static_cast<int>(std::clamp<qint64>(v, 24, 4096)); };
  return QSize(clamp(std::max(rows_width, caption_width)), clamp(rows_height));
}

QSize OrvellList::minimumSizeHint() const { return QSize(24, 24); }

// ---------------------------------------------------------------------------------------------
// Events

bool OrvellList::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Shortcut: {
      const int id = static_cast<QShortcutEvent*>(event)->shortcutId();
      for (const auto& [shortcut_id, line] : d_->shortcuts) {
        if (shortcut_id == id) {
          HandleMnemonic(line);
          return true;
        }
      }
      break;
    }
    case QEvent::ToolTip:
      // The control shows its ToolTip with its own timing; QWidget's tooltip is never used.
      return true;
    default:
      break;
  }
  return QWidget::event(event);
}

void OrvellList::paintEvent(QPaintEvent*) {
  if (!d_->buffer_valid || d_->buffer.deviceIndependentSize().toSize() != size() ||
      d_->buffer.devicePixelRatio() != devicePixelRatioF()) {
    d_->buffer = RenderToImage();
    d_->buffer_valid = true;
  }
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), d_->buffer);
}

void OrvellList::resizeEvent(QResizeEvent*) { d_->buffer_valid = false; }

void OrvellList::changeEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::FontChange:
      updateGeometry();
      Changed();
      break;
    case QEvent::Hide:
      CloseToolTip();
      break;
    case QEvent::EnabledChange:
      if (!isEnabled()) {
        d_->press_target = -1;
        d_->press_inside = false;
      }
      Changed();
      break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
      d_->buffer_valid = false;
      update();
      break;
    default:
      break;
  }
  QWidget::changeEvent(event);
}

void OrvellList::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  CloseToolTip();
  const QPoint pos = event->position().toPoint();
  const int hit = Layout().HitTest(pos.x(), pos.y());
  if (hit >= 0 && d_->items.At(hit).enabled) {
    d_->press_target = hit;
    d_->press_inside = true;
    d_->buffer_valid = false;
    update();
  }
}

void OrvellList::mouseMoveEvent(QMouseEvent* event) {
  if (d_->press_target < 0) return;
  const QPoint pos = event->position().toPoint();
  const bool inside = Layout().HitTest(pos.x(), pos.y()) == d_->press_target;
  if (inside != d_->press_inside) {
    d_->press_inside = inside;
    d_->buffer_valid = false;
    update();
  }
}

void OrvellList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || d_->press_target < 0) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  const int target = d_->press_target;
  d_->press_target = -1;
  d_->press_inside = false;
  d_->buffer_valid = false;
  update();
  const QPoint pos = event->position().toPoint();
  if (Layout().HitTest(pos.x(), pos.y()) == target && d_->items.IsValidIndex(target) &&
      d_->items.At(target).enabled) {
    Select(target, true);
  }
}

void OrvellList::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is not a press of an item: the first click already
  // selected it.
  if (event->button() == Qt::LeftButton) emit DblClick();
}

void OrvellList::keyPressEvent(QKeyEvent* event) {
  emit KeyDown(event->key(), ShiftMaskOf(event->modifiers()));
  bool handled = false;
  if (const int step = ArrowStep(event->key()); step != 0 && d_->items.Count() > 0) {
    Select(d_->items.KeyboardTarget(step), false);
    handled = true;
  }
  if (!event->text().isEmpty()) emit KeyPress(event->text().at(0).unicode());
  event->setAccepted(handled);
}

void OrvellList::keyReleaseEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat()) emit KeyUp(event->key(), ShiftMaskOf(event->modifiers()));
  event->setAccepted(ArrowStep(event->key()) != 0 && d_->items.Count() > 0);
}

void OrvellList::focusInEvent(QFocusEvent*) {
  // Nothing selected: an index still waiting for its item is a selection to come, not none.
  if (d_->items.ListIndex() < 0 && !d_->focus_by_mnemonic) {
    const int first = d_->items.FirstEnabled();
    if (first >= 0) Select(first, true);
  }
  emit OVGotFocus();
  d_->buffer_valid = false;
  update();
  // The selected item has the focus; told once the control's own focus event has gone out.
  QTimer::singleShot(0, this, [this] {
    if (hasFocus() && d_->items.HasSelection()) {
      NotifyAccessible(QAccessible::Focus, d_->items.ListIndex());
    }
  });
}

void OrvellList::focusOutEvent(QFocusEvent*) {
  emit OVLostFocus();
  d_->buffer_valid = false;
  update();
}

void OrvellList::enterEvent(QEnterEvent*) {
  if (d_->tool_tip.isEmpty()) return;
  const bool quick =
      LastToolTipClosed().isValid() && LastToolTipClosed().elapsed() < kToolTipQuickWindowMs;
  d_->tool_tip_timer.start(quick ? kToolTipQuickDelayMs : kToolTipDelayMs);
}

void OrvellList::leaveEvent(QEvent*) { CloseToolTip(); }

}  // namespace orvell
