#include "orvell/property_page.h"

#include <QtCore/QDir>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QFontComboBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>
#include <array>
#include <limits>

#include "orvell/orvell_defaults.h"
#include "orvell/orvell_error.h"
#include "orvell/orvell_list.h"

namespace orvell {

namespace {

constexpr char kColourNotRecognised[] = "Colour not recognised.";

struct PointerName {
  int value;
  const char* name;
};

constexpr std::array<PointerName, 17> kPointerNames = {{
    {0, "0 - Default"},
    {1, "1 - Arrow"},
    {2, "2 - Cross"},
    {3, "3 - I-Beam"},
    {4, "4 - Icon"},
    {5, "5 - Size"},
    {6, "6 - Size NE SW"},
    {7, "7 - Size N S"},
    {8, "8 - Size NW SE"},
    {9, "9 - Size W E"},
    {10, "10 - Up Arrow"},
    {11, "11 - Hourglass"},
    {12, "12 - No Drop"},
    {13, "13 - Arrow and Hourglass"},
    {14, "14 - Arrow and Question"},
    {15, "15 - Size All"},
    {99, "99 - Custom"},
}};

QComboBox* NamedCombo(const char* name, const QStringList& items, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QString::fromLatin1(name));
  combo->addItems(items);
  return combo;
}

QSpinBox* NamedSpin(const char* name, int minimum, int maximum, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(minimum, maximum);
  return spin;
}

QComboBox* ColorCombo(const char* name, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setEditable(true);
  for (ColorValue v = kScrollBar; v <= kInfoBackground; ++v) combo->addItem(ColorValueName(v));
  return combo;
}

struct FontFields {
  QFontComboBox* family = nullptr;
  QDoubleSpinBox* size = nullptr;
  QCheckBox* bold = nullptr;
  QCheckBox* italic = nullptr;
  QCheckBox* underline = nullptr;
  QCheckBox* strike_out = nullptr;
  double loaded_size = 0;

  void Build(const QString& prefix, const QString& title, QFormLayout* form, QWidget* parent) {
    auto named = [&](QWidget* w, const char* suffix) {
      w->setObjectName(prefix + QLatin1String(suffix));
    };
    family = new QFontComboBox(parent);
    named(family, "Family");
    size = new QDoubleSpinBox(parent);
    named(size, "Size");
    size->setRange(1, 1000);
    size->setDecimals(1);
    bold = new QCheckBox(QStringLiteral("Bold"), parent);
    named(bold, "Bold");
    italic = new QCheckBox(QStringLiteral("Italic"), parent);
    named(italic, "Italic");
    underline = new QCheckBox(QStringLiteral("Underline"), parent);
    named(underline, "Underline");
    strike_out = new QCheckBox(QStringLiteral("Strikeout"), parent);
    named(strike_out, "StrikeOut");
    form->addRow(title, family);
    form->addRow(QStringLiteral("Size:"), size);
    auto* styles = new QHBoxLayout;
    styles->addWidget(bold);
    styles->addWidget(italic);
    styles->addWidget(underline);
    styles->addWidget(strike_out);
    form->addRow(QString(), styles);
  }

  void Load(const QFont& font) {
    family->setCurrentFont(font);
    // An unknown family still shows its name.
    family->setEditText(font.family());
    size->setValue(font.pointSizeF() > 0 ? font.pointSizeF() : 8);
    loaded_size = size->value();
    bold->setChecked(font.bold());
    italic->setChecked(font.italic());
    underline->setChecked(font.underline());
    strike_out->setChecked(font.strikeOut());
  }

  // The font shown, built on base: only what differs is set, so that an unchanged page gives
  // base back exactly (a font set again with other attributes marked as set is a change).
  QFont Read(const QFont& base) const {
    QFont font = base;
    if (font.family() != family->currentText()) font.setFamily(family->currentText());
    // The box rounds to its decimals: a size it still shows as loaded is the loaded size.
    if (size->value() != loaded_size) font.setPointSizeF(size->value());
    auto flag = [&font](bool now, bool wanted, void (QFont::*set)(bool)) {
      if (now != wanted) (font.*set)(wanted);
    };
    flag(font.bold(), bold->isChecked(), &QFont::setBold);
    flag(font.italic(), italic->isChecked(), &QFont::setItalic);
    flag(font.underline(), underline->isChecked(), &QFont::setUnderline);
    flag(font.strikeOut(), strike_out->isChecked(), &QFont::setStrikeOut);
    return font;
  }
};

}  // namespace

struct OrvellPropertyPage::Private {
  OrvellList* control = nullptr;
  QLineEdit* caption = nullptr;
  QPlainTextEdit* contents = nullptr;
  QSpinBox* list_index = nullptr;
  QLineEdit* tool_tip = nullptr;
  QComboBox* mouse_pointer = nullptr;
  QComboBox* alignment = nullptr;
  QComboBox* item_alignment = nullptr;
  QComboBox* border_style = nullptr;
  QComboBox* border_effect = nullptr;
  QCheckBox* three_d = nullptr;
  QSpinBox* left_margin = nullptr;
  QSpinBox* top_margin = nullptr;
  QSpinBox* spacing = nullptr;
  QSpinBox* item_gap = nullptr;
  QComboBox* back_color = nullptr;
  QComboBox* fore_color = nullptr;
  QComboBox* item_fore_color = nullptr;
  QComboBox* shadow_color = nullptr;
  FontFields font;
  FontFields item_font;
  QLabel* message = nullptr;

  QString ContentsText() const {
    return contents->toPlainText().split(u'\n').join(QStringLiteral("\r\n"));
  }

  int PointerValue() const { return mouse_pointer->currentData().toInt(); }

  void Load() {
    OrvellList& c = *control;
    caption->setText(c.Caption());
    contents->setPlainText(c.Contents().split(QStringLiteral("\r\n")).join(u'\n'));
    list_index->setValue(c.ListIndex());
    tool_tip->setText(c.ToolTip());
    mouse_pointer->setCurrentIndex(mouse_pointer->findData(c.MousePointer()));
    alignment->setCurrentIndex(c.Alignment());
    item_alignment->setCurrentIndex(c.ItemAlignment());
    border_style->setCurrentIndex(c.BorderStyle());
    border_effect->setCurrentIndex(c.BorderEffect());
    {
      const QSignalBlocker blocker(three_d);
      three_d->setChecked(c.ThreeD());
    }
    left_margin->setValue(c.LeftMargin());
    top_margin->setValue(c.TopMargin());
    spacing->setValue(c.Spacing());
    item_gap->setValue(c.ItemGap());
    back_color->setEditText(ColorValueName(c.BackColor()));
    fore_color->setEditText(ColorValueName(c.ForeColor()));
    item_fore_color->setEditText(ColorValueName(c.ItemForeColor()));
    shadow_color->setEditText(ColorValueName(c.ShadowColor()));
    font.Load(c.Font());
    item_font.Load(c.ItemFont());
  }

  // The page follows the control's ThreeD switching, so that what Apply sets agrees with it.
  void FollowThreeD(bool on) {
    auto swap = [](QComboBox* combo, ColorValue from, ColorValue to) {
      ColorValue value = 0;
      if (ParseColorValue(combo->currentText(), &value) && value == from) {
        combo->setEditText(ColorValueName(to));
      }
    };
    if (on) {
      swap(back_color, kWindowBackground, kButtonFace);
      swap(fore_color, kWindowText, kButtonText);
      swap(item_fore_color, kWindowText, kButtonText);
    } else {
      swap(back_color, kButtonFace, kWindowBackground);
      swap(fore_color, kButtonText, kWindowText);
      swap(item_fore_color, kButtonText, kWindowText);
    }
    border_effect->setCurrentIndex(on ? 4 : 0);
  }

  void ShowMessage(const QString& text, QWidget* field) {
    message->setText(text);
    if (field) field->setFocus(Qt::OtherFocusReason);
  }

  bool Apply() {
    struct Colors {
      ColorValue back, fore, item_fore, shadow;
    } colors{};
    const std::array<std::pair<QComboBox*, ColorValue*>, 4> color_fields = {{
        {back_color, &colors.back},
        {fore_color, &colors.fore},
        {item_fore_color, &colors.item_fore},
        {shadow_color, &colors.shadow},
    }};
    for (const auto& [combo, value] : color_fields) {
      if (!ParseColorValue(combo->currentText(), value)) {
        ShowMessage(QString::fromLatin1(kColourNotRecognised), combo);
        return false;
      }
    }
    QWidget* field = nullptr;
    // Contents resets the items' enabled flags and ListIndex fires Click, so the control gets
    // them only when the page changed them. An unchanged ListIndex is not checked either: the
    // control may hold one that waits for its items.
    const QString contents_text = ContentsText();
    const bool set_contents = control->Contents() != contents_text;
    const bool set_index = control->ListIndex() != list_index->value();
    auto apply_to = [&](OrvellList& target, bool is_scratch) {
      field = contents;
      if (is_scratch || set_contents) target.setContents(contents_text);
      field = list_index;
      if (set_index) target.setListIndex(list_index->value());
      field = three_d;
      target.setThreeD(three_d->isChecked());
      field = caption;
      target.setCaption(caption->text());
      field = tool_tip;
      target.setToolTip(tool_tip->text());
      field = mouse_pointer;
      target.setMousePointer(PointerValue());
      field = alignment;
      target.setAlignment(alignment->currentIndex());
      field = item_alignment;
      target.setItemAlignment(item_alignment->currentIndex());
      field = border_style;
      target.setBorderStyle(border_style->currentIndex());
      field = border_effect;
      target.setBorderEffect(border_effect->currentIndex());
      field = left_margin;
      target.setLeftMargin(left_margin->value());
      field = top_margin;
      target.setTopMargin(top_margin->value());
      field = spacing;
      target.setSpacing(spacing->value());
      field = item_gap;
      target.setItemGap(item_gap->value());
      field = back_color;
      target.setBackColor(colors.back);
      target.setForeColor(colors.fore);
      target.setItemForeColor(colors.item_fore);
      target.setShadowColor(colors.shadow);
      field = font.family;
      target.setFont(font.Read(control->Font()));
      field = item_font.family;
      target.setItemFont(item_font.Read(control->ItemFont()));
    };
    try {
      OrvellList scratch;
      apply_to(scratch, true);
      apply_to(*control, false);
    } catch (const InvalidPropertyValue& e) {
      ShowMessage(e.message(), field);
      return false;
    }
    message->clear();
    return true;
  }
};

OrvellPropertyPage::OrvellPropertyPage(OrvellList* control, QWidget* parent)
    : QDialog(parent), d_(std::make_unique<Private>()) {
  d_->control = control;
  setWindowTitle(QStringLiteral("OrvellList Properties"));

  auto* tabs = new QTabWidget(this);

  auto* general = new QWidget(tabs);
  auto* general_form = new QFormLayout(general);
  d_->caption = new QLineEdit(general);
  d_->caption->setObjectName(QStringLiteral("caption"));
  d_->contents = new QPlainTextEdit(general);
  d_->contents->setObjectName(QStringLiteral("contents"));
  d_->contents->setTabChangesFocus(true);
  d_->contents->setPlaceholderText(QStringLiteral("value;caption, one item a line"));
  d_->list_index = NamedSpin("listIndex", -1, OrvellList::kMaxItems - 1, general);
  d_->tool_tip = new QLineEdit(general);
  d_->tool_tip->setObjectName(QStringLiteral("toolTip"));
  d_->mouse_pointer = new QComboBox(general);
  d_->mouse_pointer->setObjectName(QStringLiteral("mousePointer"));
  for (const PointerName& p : kPointerNames) {
    d_->mouse_pointer->addItem(QString::fromLatin1(p.name), p.value);
  }
  general_form->addRow(QStringLiteral("&Caption:"), d_->caption);
  general_form->addRow(QStringLiteral("C&ontents:"), d_->contents);
  general_form->addRow(QStringLiteral("&ListIndex:"), d_->list_index);
  general_form->addRow(QStringLiteral("&ToolTip:"), d_->tool_tip);
  general_form->addRow(QStringLiteral("&MousePointer:"), d_->mouse_pointer);
  tabs->addTab(general, QStringLiteral("General"));

  auto* look = new QWidget(tabs);
  auto* look_form = new QFormLayout(look);
  d_->alignment = NamedCombo(
      "alignment",
      {QStringLiteral("0 - Left"), QStringLiteral("1 - Right"), QStringLiteral("2 - Centre")},
      look);
  d_->item_alignment = NamedCombo(
      "itemAlignment",
      {QStringLiteral("0 - Button left of text"), QStringLiteral("1 - Button right of text")},
      look);
  d_->border_style = NamedCombo(
      "borderStyle", {QStringLiteral("0 - None"), QStringLiteral("1 - Fixed Single")}, look);
  d_->border_effect = NamedCombo(
      "borderEffect",
      {QStringLiteral("0 - None"), QStringLiteral("1 - Raised"), QStringLiteral("2 - Lowered"),
       QStringLiteral("3 - Drop Shadow"), QStringLiteral("4 - Inset")},
      look);
  d_->three_d = new QCheckBox(QStringLiteral("&3-D"), look);
  d_->three_d->setObjectName(QStringLiteral("threeD"));
  constexpr int kMin = std::numeric_limits<short>::min();
  constexpr int kMax = std::numeric_limits<short>::max();
  d_->left_margin = NamedSpin("leftMargin", kMin, kMax, look);
  d_->top_margin = NamedSpin("topMargin", kMin, kMax, look);
  d_->spacing = NamedSpin("spacing", kMin, kMax, look);
  d_->item_gap = NamedSpin("itemGap", 0, kMax, look);
  look_form->addRow(QStringLiteral("&Alignment:"), d_->alignment);
  look_form->addRow(QStringLiteral("&ItemAlignment:"), d_->item_alignment);
  look_form->addRow(QStringLiteral("&BorderStyle:"), d_->border_style);
  look_form->addRow(QStringLiteral("Border&Effect:"), d_->border_effect);
  look_form->addRow(QString(), d_->three_d);
  look_form->addRow(QStringLiteral("L&eftMargin:"), d_->left_margin);
  look_form->addRow(QStringLiteral("&TopMargin:"), d_->top_margin);
  look_form->addRow(QStringLiteral("&Spacing:"), d_->spacing);
  look_form->addRow(QStringLiteral("Item&Gap:"), d_->item_gap);
  tabs->addTab(look, QStringLiteral("Appearance"));

  auto* colours = new QWidget(tabs);
  auto* colour_form = new QFormLayout(colours);
  d_->back_color = ColorCombo("backColor", colours);
  d_->fore_color = ColorCombo("foreColor", colours);
  d_->item_fore_color = ColorCombo("itemForeColor", colours);
  d_->shadow_color = ColorCombo("shadowColor", colours);
  colour_form->addRow(QStringLiteral("&BackColor:"), d_->back_color);
  colour_form->addRow(QStringLiteral("&ForeColor:"), d_->fore_color);
  colour_form->addRow(QStringLiteral("&ItemForeColor:"), d_->item_fore_color);
  colour_form->addRow(QStringLiteral("&ShadowColor:"), d_->shadow_color);
  colour_form->addRow(
      QString(), new QLabel(QStringLiteral("A colour name, #RRGGBB or &&H8000000F&&"), colours));
  tabs->addTab(colours, QStringLiteral("Colours"));

  auto* fonts = new QWidget(tabs);
  auto* font_form = new QFormLayout(fonts);
  d_->font.Build(QStringLiteral("font"), QStringLiteral("&Font:"), font_form, fonts);
  d_->item_font.Build(QStringLiteral("itemFont"), QStringLiteral("&ItemFont:"), font_form, fonts);
  tabs->addTab(fonts, QStringLiteral("Fonts"));

  d_->message = new QLabel(this);
  d_->message->setObjectName(QStringLiteral("message"));
  d_->message->setWordWrap(true);
  QPalette message_palette = d_->message->palette();
  message_palette.setColor(QPalette::WindowText, QColor(0xB0, 0, 0));
  d_->message->setPalette(message_palette);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
  buttons->button(QDialogButtonBox::Apply)->setObjectName(QStringLiteral("applyButton"));
  QPushButton* save_defaults =
      buttons->addButton(QStringLiteral("Save as &Defaults"), QDialogButtonBox::ActionRole);
  save_defaults->setObjectName(QStringLiteral("saveDefaultsButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &OrvellPropertyPage::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
          [this] { Apply(); });
  connect(save_defaults, &QPushButton::clicked, this, [this] { SaveDefaults(); });
  connect(d_->three_d, &QCheckBox::toggled, this, [this](bool on) { d_->FollowThreeD(on); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(d_->message);
  layout->addWidget(buttons);

  d_->Load();
}

OrvellPropertyPage::~OrvellPropertyPage() = default;

bool OrvellPropertyPage::Apply() { return d_->Apply(); }

bool OrvellPropertyPage::SaveDefaults() {
  if (!Apply()) return false;
  QString error;
  if (!d_->control->SaveAsDefaults(&error)) {
    d_->ShowMessage(QStringLiteral("The defaults could not be saved: %1").arg(error), nullptr);
    return false;
  }
  d_->ShowMessage(QStringLiteral("Saved as the defaults of new controls in %1.")
                      .arg(QDir::toNativeSeparators(DefaultsFileWritePath())),
                  nullptr);
  return true;
}

QString OrvellPropertyPage::Message() const { return d_->message->text(); }

void OrvellPropertyPage::accept() {
  if (Apply()) QDialog::accept();
}

}  // namespace orvell
