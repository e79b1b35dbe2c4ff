#include "about_box.h"

#include <QtGui/QPainter>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

#include "glyph_sheet.h"
#include "orvell/orvell_version.h"

namespace orvell {

namespace {

// The selected 3-D option button, enlarged four times without smoothing.
QPixmap AboutPicture() {
  const QImage glyph = GlyphSheet(true).copy(GlyphCell(kOptionButtonRow, true, false));
  return QPixmap::fromImage(
      glyph.scaled(glyph.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

}  // namespace

std::unique_ptr<QDialog> CreateAboutBox(QWidget* parent) {
  auto dialog = std::make_unique<QDialog>(parent);
  dialog->setWindowTitle(QString::fromLatin1(kAboutTitle));
  auto* picture = new QLabel(dialog.get());
  picture->setPixmap(AboutPicture());
  auto* text = new QLabel(dialog.get());
  text->setObjectName(QStringLiteral("aboutText"));
  text->setText(QStringLiteral("OrvellList option-list control\nVersion %1\n\n"
                               "A framed list of option buttons for Qt 6 programs.")
                    .arg(QString::fromLatin1(kVersionText)));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog.get());
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addWidget(picture, 0, Qt::AlignTop);
  row->addSpacing(12);
  row->addWidget(text, 1);
  auto* layout = new QVBoxLayout(dialog.get());
  layout->addLayout(row);
  layout->addWidget(buttons);
  return dialog;
}

}  // namespace orvell
