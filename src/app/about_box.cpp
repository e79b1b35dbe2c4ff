#include "app/about_box.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

#include "app/help_file.h"
#include "platform/message_service.h"

// The program's icon lives in a resource file of this static library.
static void InitAppResources() { Q_INIT_RESOURCE(torvane); }

namespace torvane {

AboutBox::AboutBox(const std::string& version_text, MessageService& messages, QWidget* parent,
                   FindProgram find_program, StartProgram start_program)
    : QDialog(parent),
      messages_(messages),
      find_program_(std::move(find_program)),
      start_program_(std::move(start_program)) {
  if (!find_program_) {
    find_program_ = [] {
      const char* path = std::getenv("PATH");
      return FindSystemInfoProgram(path ? path : "", KnownSystemInfoPrograms());
    };
  }
  if (!start_program_) {
    start_program_ = [](const std::string& program) {
      return QProcess::startDetached(QString::fromStdString(program), {});
    };
  }
  InitAppResources();
  setObjectName("frmAbout");
  const QString title = QString::fromUtf8(kApplicationTitle);
  setWindowTitle("About " + title);

  auto* icon = new QLabel(this);
  icon->setObjectName("picIcon");
  icon->setPixmap(QIcon(":/torvane/torvane.svg").pixmap(64, 64));
  icon->setAlignment(Qt::AlignTop);
  auto* lbl_title = new QLabel(title, this);
  lbl_title->setObjectName("lblTitle");
  QFont big = lbl_title->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  lbl_title->setFont(big);
  auto* lbl_version = new QLabel(QString::fromStdString(version_text), this);
  lbl_version->setObjectName("lblVersion");
  auto* lbl_description =
      new QLabel(QString::fromUtf8(kMakerLine) + "\n" + QString::fromUtf8(kLegalLine), this);
  lbl_description->setObjectName("lblDescription");
  auto* lbl_disclaimer = new QLabel(QString::fromUtf8(kDisclaimer), this);
  lbl_disclaimer->setObjectName("lblDisclaimer");
  lbl_disclaimer->setWordWrap(true);
  lbl_disclaimer->setFixedWidth(470);
  QFont small = lbl_disclaimer->font();
  small.setPointSize(std::max(7, small.pointSize() - 1));
  lbl_disclaimer->setFont(small);

  ok_ = new QPushButton(tr("OK"), this);
  ok_->setObjectName("cmdOK");
  ok_->setDefault(true);
  sys_info_ = new QPushButton(tr("&System Info..."), this);
  sys_info_->setObjectName("cmdSysInfo");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(sys_info_, &QPushButton::clicked, this, &AboutBox::StartSystemInfo);

  auto* grid = new QGridLayout(this);
  grid->addWidget(icon, 0, 0, 3, 1);
  grid->addWidget(lbl_title, 0, 1);
  grid->addWidget(lbl_version, 1, 1);
  grid->addWidget(lbl_description, 2, 1);
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  grid->addWidget(line, 3, 0, 1, 3);
  grid->addWidget(lbl_disclaimer, 4, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(sys_info_);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 3, 1);
  grid->setColumnStretch(1, 1);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::StartSystemInfo() {
  const auto program = find_program_();
  if (program && start_program_(*program)) return;
  messages_.Show(kSystemInfoUnavailable);
}

}  // namespace torvane
