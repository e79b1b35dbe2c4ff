// OrvellList: a framed list of option buttons (radio buttons) with a caption on the frame. One
// item is selected at a time; the choice is read and set through ListIndex or Value, and the
// control reports it through its signals.
//
// Items are lines of the form "value;caption" ("0;Stepped"): the text before the first ';' is
// the item's value, the text after it the caption drawn beside the button; a line without ';'
// is all caption. Contents holds all lines joined by CR LF; a lone LF (as a .ui file delivers
// it) or CR also ends a line:
//
//   auto* opt_laby_type = new orvell::OrvellList(this);
//   opt_laby_type->setContents("0;Stepped\r\n1;Straight");
//   opt_laby_type->setListIndex(0);
//   connect(opt_laby_type, &orvell::OrvellList::Click, this, [=] {
//     UseLabyType(opt_laby_type->Value());   // "0" or "1"
//   });
//
// Errors: every setter, getter and method that refuses its argument raises
// orvell::InvalidPropertyValue (error 0x800A017C) with the exact message (orvell_error.h) and
// leaves the control unchanged.
//
// The property system never raises: a value written through it (QObject::setProperty, Qt
// Designer, QUiLoader, and code uic generates from a form Designer saved) that the setter would
// refuse leaves the property as it was and is reported by PropertyRefused(), which logs a warning
// ("OrvellList optType: Spacing cannot be 0 (Spacing out of range.); it keeps 16."). Reading Value
// through it while ListIndex waits for its item gives an empty text. The properties that refuse
// values are written through functions of their own rather than their setters, so Designer saves
// them with stdset="0" and uic sets them through setProperty() too; a form written by hand that
// sets such a property without stdset="0" calls the setter, which raises as from any code.
//
// ListIndex range: the ListIndex setter accepts -1 (nothing selected) up to kMaxItems - 1 and
// refuses anything else with "Invalid index."; Selected accepts only -1..ListCount-1. An index at
// or beyond ListCount is held as one that waits for its item: nothing is drawn selected, Value
// raises "Invalid index.", and the item is selected once enough items exist. That is the state a
// new Contents or Clear() leaves when the list shrinks under the selection, and it lets a form
// loader set ListIndex and Contents in any order without failing (code generated from a .ui
// file sets ListIndex first and Contents, a text, later; the defaults file gives ListIndex to a
// control without items). Program code that wants the strict check uses Selected.
//
// Events (Qt signals, in this order of declaration): Click, DblClick, KeyDown(KeyCode, Shift),
// KeyPress(KeyAscii), KeyUp(KeyCode, Shift), OVGotFocus, OVLostFocus. KeyCode is the Qt::Key
// value; Shift is a mask of kShiftMask | kCtrlMask | kAltMask. Click fires whenever ListIndex,
// Selected or Value is set (even to the same item or to no item), on a mouse click on an item,
// on a mnemonic, and when the control gains the focus with nothing selected. The arrow keys
// change the selection without Click; ListIndexChanged fires on every change of the selected
// index, whatever its cause, for hosts that must follow the keyboard too.
//
// Keyboard: Left/Up select the previous item, Right/Down the next, cyclically; a disabled item
// reached is skipped (one only). Mnemonics: "&x" in the caption or an item line makes Alt+X
// select that item (the caption's selects nothing), fire Click and take the focus; at most 64.
// The focus a mnemonic takes keeps its choice: the caption's leaves nothing selected and fires
// Click once.
//
// Accessibility: assistive technology sees a group (QAccessible::Grouping) named by the caption
// with one radio button per item (see docs/orvell.md).
//
// Geometry, in pixels: row i has its 14 x 13 button at y = TopMargin + i * Spacing, x =
// LeftMargin (ItemAlignment 0) or width - LeftMargin - 14 (ItemAlignment 1); its text follows
// ItemGap after the button (or ends ItemGap before it). On this platform the host's length unit
// is the device-independent pixel, so LeftMargin, TopMargin, Spacing and ItemGap are whole
// pixels.
//
// Item texts are single lines of at most 255 characters: a longer text is cut there, and a
// text handed to AddItem, List, ItemCaption or ItemValue ends at its first line break. A list
// holds at most 32767 items.
#pragma once

#include <QtCore/QVariant>
#include <QtGui/QFont>
#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>
#include <memory>

#include "orvell/orvell_colors.h"
#include "orvell/orvell_export.h"

namespace orvell {

class ListGeometry;
class PropertyBag;
struct OrvellProperties;

class ORVELL_EXPORT OrvellList : public QWidget {
  Q_OBJECT
  // Contents comes first so that a form loader sets the items before ListIndex.
  Q_PROPERTY(QString Contents READ Contents WRITE setContents)
  Q_PROPERTY(int ListCount READ ListCount STORED false)
  Q_PROPERTY(int ListIndex READ ListIndex WRITE writeListIndex NOTIFY ListIndexChanged)
  Q_PROPERTY(int Selected READ Selected WRITE writeSelected NOTIFY ListIndexChanged
                 DESIGNABLE false STORED false)
  Q_PROPERTY(QString Value READ readValue WRITE setValue NOTIFY ListIndexChanged
                 DESIGNABLE false STORED false)
  Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
  Q_PROPERTY(int Alignment READ Alignment WRITE writeAlignment)
  Q_PROPERTY(int ItemAlignment READ ItemAlignment WRITE writeItemAlignment)
  Q_PROPERTY(int BorderStyle READ BorderStyle WRITE writeBorderStyle)
  Q_PROPERTY(int BorderEffect READ BorderEffect WRITE writeBorderEffect)
  Q_PROPERTY(bool ThreeD READ ThreeD WRITE setThreeD)
  Q_PROPERTY(uint ShadowColor READ ShadowColor WRITE setShadowColor)
  Q_PROPERTY(uint ItemForeColor READ ItemForeColor WRITE setItemForeColor)
  Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
  Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
  Q_PROPERTY(int LeftMargin READ LeftMargin WRITE setLeftMargin)
  Q_PROPERTY(int TopMargin READ TopMargin WRITE setTopMargin)
  Q_PROPERTY(int Spacing READ Spacing WRITE writeSpacing)
  Q_PROPERTY(int ItemGap READ ItemGap WRITE writeItemGap)
  Q_PROPERTY(QFont Font READ Font WRITE setFont)
  Q_PROPERTY(QFont ItemFont READ ItemFont WRITE setItemFont)
  Q_PROPERTY(QString ToolTip READ ToolTip WRITE setToolTip)
  Q_PROPERTY(int MousePointer READ MousePointer WRITE writeMousePointer)
  Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
  Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled DESIGNABLE false STORED false)

 public:
  static constexpr int kMaxItems = 32767;
  static constexpr int kMaxLineLength = 255;
  static constexpr int kMaxMnemonics = 64;
  static constexpr int kGlyphWidth = 14;
  static constexpr int kGlyphHeight = 13;
  static constexpr int kShiftMask = 1;
  static constexpr int kCtrlMask = 2;
  static constexpr int kAltMask = 4;
  // MousePointer 99: the MouseIcon picture.
  static constexpr int kCustomPointer = 99;

  // A new control takes its initial values from the defaults file (orvell_defaults.h).
  explicit OrvellList(QWidget* parent = nullptr);
  ~OrvellList() override;

  // Items.
  QString Contents() const;
  void setContents(const QString& contents);
  int ListCount() const;
  Q_INVOKABLE QString List(int index) const;
  Q_INVOKABLE void setList(int index, const QString& text);
  Q_INVOKABLE QString ItemCaption(int index) const;
  Q_INVOKABLE void setItemCaption(int index, const QString& caption);
  Q_INVOKABLE QString ItemValue(int index) const;
  Q_INVOKABLE void setItemValue(int index, const QString& value);
  Q_INVOKABLE bool ItemEnabled(int index) const;
  Q_INVOKABLE void setItemEnabled(int index, bool enabled);
  // The automation form: 0 disables, 1 and -1 enable; another value raises
  // InvalidPropertyValue with an empty message.
  void setItemEnabled(int index, int value);

  // Selection. Setting either fires Click, also when the index does not change.
  int ListIndex() const;
  void setListIndex(int index);
  int Selected() const;
  void setSelected(int index);
  // The value part of the selected item (the whole line when it has no ';'); empty with nothing
  // selected; "Invalid index." when ListIndex >= ListCount.
  QString Value() const;
  // Selects the first item whose value part (as Value() reads it) equals value exactly, or
  // nothing when none does; fires Click either way.
  void setValue(const QString& value);

  // Look.
  QString Caption() const;
  void setCaption(const QString& caption);
  int Alignment() const;
  void setAlignment(int alignment);
  int ItemAlignment() const;
  void setItemAlignment(int alignment);
  int BorderStyle() const;
  void setBorderStyle(int style);
  int BorderEffect() const;
  void setBorderEffect(int effect);
  bool ThreeD() const;
  // Turning ThreeD on maps a window-background BackColor to button face, window-text ForeColor
  // and ItemForeColor to button text, and sets BorderEffect 4 (inset); turning it off does the
  // reverse and sets BorderEffect 0.
  void setThreeD(bool three_d);
  // The automation form: 0 is off, 1 and -1 are on; another value raises "3D must be either 0
  // or 1".
  void setThreeD(int value);
  ColorValue ShadowColor() const;
  void setShadowColor(ColorValue color);
  ColorValue ItemForeColor() const;
  void setItemForeColor(ColorValue color);
  ColorValue BackColor() const;
  void setBackColor(ColorValue color);
  ColorValue ForeColor() const;
  void setForeColor(ColorValue color);
  int LeftMargin() const;
  void setLeftMargin(int pixels);
  int TopMargin() const;
  void setTopMargin(int pixels);
  // Distance from one row to the next; zero is refused, a negative value stacks rows upwards.
  int Spacing() const;
  void setSpacing(int pixels);
  int ItemGap() const;
  void setItemGap(int pixels);
  // The caption font is the widget's own font (QWidget::setFont).
  QFont Font() const { return font(); }
  QFont ItemFont() const;
  void setItemFont(const QFont& font);
  QString ToolTip() const;
  void setToolTip(const QString& text);
  // 0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size, 6 size NE-SW, 7 size N-S,
  // 8 size NW-SE, 9 size W-E, 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass,
  // 14 arrow and question mark, 15 size all, 99 MouseIcon.
  int MousePointer() const;
  void setMousePointer(int pointer);
  QPixmap MouseIcon() const;
  void setMouseIcon(const QPixmap& icon);
  bool Enabled() const { return isEnabled(); }

  // Methods.
  // Inserts a line at index; a missing index, -1, an index below -1 or above ListCount appends.
  // A selected item at or after the insertion point keeps its selection. Raises "Too many
  // items." when the list already holds kMaxItems.
  Q_INVOKABLE void AddItem(const QString& text, int index = -1);
  // Removes an item ("Invalid index." when out of range); removing the selected item leaves
  // nothing selected.
  Q_INVOKABLE void RemoveItem(int index);
  // Removes every item; ListIndex is kept.
  Q_INVOKABLE void Clear();
  // Redraws at once.
  Q_INVOKABLE void Refresh();
  // Shows the control's about box (through the dialog runner, dialog_runner.h).
  Q_INVOKABLE void AboutBox();
  // Shows the property page (through the dialog runner); returns true when it was accepted.
  Q_INVOKABLE bool ShowPropertyPage();

  // Persistence in the property bag, format version 4.1. ReadProperties also reads the older
  // form. Values that cannot be read fall back to the initial values; reading fires no Click.
  void WriteProperties(PropertyBag& bag) const;
  void ReadProperties(const PropertyBag& bag);

  // Writes the defaults-file keys of the current properties to DefaultsFileWritePath(). Returns
  // false, with the reason in *error, when the file cannot be written.
  bool SaveAsDefaults(QString* error = nullptr) const;

  // Set by every change of a property or of the items; cleared by the host after saving.
  bool IsModified() const;
  void ClearModified();

  // The picture the control draws: the off-screen buffer it copies to the screen.
  QImage RenderToImage() const;

  // ToolTip: the pointer entering the control starts a timer of 1000 ms, or 250 ms when the
  // last tooltip of an option list closed less than a second ago; then the text shows in a
  // tooltip window (object name kToolTipWindowName). Leaving the control, pressing a mouse
  // button in it or hiding it closes the tooltip.
  static constexpr char kToolTipWindowName[] = "orvellToolTip";
  bool IsToolTipShown() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void Click();
  void DblClick();
  void KeyDown(int key_code, int shift);
  void KeyPress(int key_ascii);
  void KeyUp(int key_code, int shift);
  void OVGotFocus();
  void OVLostFocus();
  void ListIndexChanged(int list_index);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 protected:
  // A value written through the property system was refused: property keeps kept. Logs a
  // warning; a host that reports refusals otherwise (Designer's plugin) overrides it.
  virtual void PropertyRefused(const char* property, const QVariant& refused, const QVariant& kept,
                               const QString& message);

 private:
  friend class OrvellListAccessible;
  friend class OrvellItemAccessible;
  struct Private;

  void Changed();
  void ItemsChanged(int previous_index);
  void Select(int index, bool fire_click);
  void CheckIndex(int index) const;
  void UpdateMnemonics();
  void HandleMnemonic(int line);
  void UpdateCursor();
  void ShowToolTipWindow();
  void CloseToolTip();
  ListGeometry Layout(bool all_rows = false) const;
  // An item's button and text, in the control's coordinates.
  QRect ItemRect(int index) const;
  // "Alt+X" for a line with a mnemonic in force (line 1 the caption, item i line i + 2).
  QString AccessKey(int line) const;
  // Tells assistive technology about a change of the control (child -1) or of an item.
  enum class ItemState { kChecked, kEnabled };
  void NotifyAccessible(int event_type, int child) const;
  void NotifyItemStateChanged(int item, ItemState state) const;
  // The property system's writers and the reader of Value: never raise (see Errors above).
  template <typename T>
  void WriteProperty(const char* property, void (OrvellList::*setter)(T), T value,
                     const QVariant& kept);
  void writeListIndex(int index);
  void writeSelected(int index);
  QString readValue() const;
  void writeAlignment(int alignment);
  void writeItemAlignment(int alignment);
  void writeBorderStyle(int style);
  void writeBorderEffect(int effect);
  void writeSpacing(int pixels);
  void writeItemGap(int pixels);
  void writeMousePointer(int pointer);
  OrvellProperties Snapshot() const;
  void ApplyProperties(const OrvellProperties& properties);

  std::unique_ptr<Private> d_;
};

}  // namespace orvell
