// orvell-gallery: shows the option-list control in its variants (each border effect, the caption
// alignments, ThreeD on and off, disabled items, a disabled control, a tooltip).
//
//   orvell-gallery                      opens the window
//   orvell-gallery --screenshot x.png   saves a picture of the window and exits (works with
//                                       QT_QPA_PLATFORM=offscreen)
//   --scale N                           enlarges the picture N times, pixel for pixel
#include <QtCore/QCommandLineParser>
#include <QtCore/QTimer>
#include <QtGui/QCursor>
#include <QtGui/QEnterEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWidget>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "orvell/orvell_list.h"

namespace {

constexpr char kLabyTypes[] = "0;&Stepped\r\n1;S&traight\r\n2;&Interlocking";
constexpr char kUnitSystems[] = "0;English\r\n1;SI\r\n2;Technical Metric\r\n3;Custom";

struct Variant {
  const char* note;
  std::function<void(orvell::OrvellList&)> setup;
};

orvell::OrvellList* AddVariant(QGridLayout* grid, int index, const Variant& variant,
                               QWidget* parent) {
  auto* cell = new QWidget(parent);
  auto* layout = new QVBoxLayout(cell);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* list = new orvell::OrvellList(cell);
  list->setContents(QString::fromLatin1(kLabyTypes));
  list->setListIndex(0);
  variant.setup(*list);
  list->setFixedSize(190, 96);
  auto* note = new QLabel(QString::fromLatin1(variant.note), cell);
  layout->addWidget(list);
  layout->addWidget(note);
  grid->addWidget(cell, index / 4, index % 4);
  return list;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("orvell-gallery"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("The OrvellList option-list control"));
  parser.addHelpOption();
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Save a picture of the window and exit."),
                                      QStringLiteral("file.png"));
  parser.addOption(screenshot);
  const QCommandLineOption scale(QStringLiteral("scale"),
                                 QStringLiteral("Enlarge the picture N times (1 to 8)."),
                                 QStringLiteral("N"), QStringLiteral("1"));
  parser.addOption(scale);
  parser.process(app);

  QWidget window;
  window.setWindowTitle(QStringLiteral("OrvellList gallery"));
  auto* grid = new QGridLayout(&window);
  grid->setHorizontalSpacing(16);
  grid->setVerticalSpacing(12);

  using orvell::OrvellList;
  const Variant variants[] = {
      {"BorderEffect 0: none", [](OrvellList& l) { l.setBorderEffect(0); }},
      {"BorderEffect 1: raised", [](OrvellList& l) { l.setBorderEffect(1); }},
      {"BorderEffect 2: lowered", [](OrvellList& l) { l.setBorderEffect(2); }},
      {"BorderEffect 3: drop shadow",
       [](OrvellList& l) {
         l.setBorderEffect(3);
         l.setShadowColor(0x808080);
       }},
      {"BorderEffect 4: inset (focused)",
       [](OrvellList& l) {
         l.setCaption(QStringLiteral("&Labyrinth Type"));
         l.setListIndex(1);
       }},
      {"ThreeD off",
       [](OrvellList& l) {
         l.setThreeD(false);
         l.setCaption(QStringLiteral("Flat"));
       }},
      {"Caption right, buttons right",
       [](OrvellList& l) {
         l.setAlignment(1);
         l.setItemAlignment(1);
         l.setCaption(QStringLiteral("Right"));
       }},
      {"Caption centred",
       [](OrvellList& l) {
         l.setAlignment(2);
         l.setCaption(QStringLiteral("Centre"));
       }},
      {"Item 1 disabled",
       [](OrvellList& l) {
         l.setItemEnabled(1, false);
         l.setCaption(QStringLiteral("Disabled item"));
       }},
      {"Control disabled",
       [](OrvellList& l) {
         l.setEnabled(false);
         l.setCaption(QStringLiteral("Disabled"));
       }},
      {"ToolTip (hover)",
       [](OrvellList& l) {
         l.setContents(QString::fromLatin1(kUnitSystems));
         l.setListIndex(1);
         l.setCaption(QStringLiteral("Units"));
         l.setToolTip(QStringLiteral("The system of units for inputs and results"));
         l.setSpacing(15);
         l.setTopMargin(18);
       }},
      {"BorderStyle 0, no caption",
       [](OrvellList& l) {
         l.setBorderStyle(0);
         l.setCaption(QString());
         l.setListIndex(2);
       }},
  };
  OrvellList* focused = nullptr;
  OrvellList* with_tool_tip = nullptr;
  int index = 0;
  for (const Variant& variant : variants) {
    OrvellList* list = AddVariant(grid, index, variant, &window);
    if (index == 4) focused = list;
    if (!list->ToolTip().isEmpty()) with_tool_tip = list;
    ++index;
  }

  window.show();
  window.activateWindow();
  if (focused) focused->setFocus(Qt::OtherFocusReason);

  if (parser.isSet(screenshot)) {
    const QString path = parser.value(screenshot);
    int result = 0;
    const int factor = std::clamp(parser.value(scale).toInt(), 1, 8);
    // The picture shows the tooltip too: the pointer is placed over its control, which is told
    // the pointer entered, and the tooltip window is painted in once it has opened.
    if (with_tool_tip) {
      QTimer::singleShot(100, &app, [&] {
        const QPointF local(60, 40);
        const QPointF global = with_tool_tip->mapToGlobal(local);
        QCursor::setPos(global.toPoint());
        QEnterEvent enter(local, local, global);
        QCoreApplication::sendEvent(with_tool_tip, &enter);
      });
    }
    QTimer::singleShot(1400, &app, [&] {
      QImage picture = window.grab().toImage();
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String(OrvellList::kToolTipWindowName) &&
            top->isVisible()) {
          QPainter painter(&picture);
          painter.drawPixmap(top->pos() - window.geometry().topLeft(), top->grab());
        }
      }
      picture =
          picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
      if (!picture.save(path)) {
        std::fprintf(stderr, "orvell-gallery: cannot write %s\n", qPrintable(path));
        result = 1;
      }
      app.exit(result);
    });
    return app.exec();
  }
  return app.exec();
}
