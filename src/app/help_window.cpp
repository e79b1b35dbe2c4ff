#include "app/help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace torvane {

HelpWindow::HelpWindow(const std::string& help_file_path, QWidget* parent)
    : QDialog(parent), path_(help_file_path), help_(HelpFile::Load(help_file_path)) {
  setObjectName("frmHelp");
  setWindowTitle(QString::fromUtf8("Torvane \xC2\xAE Help"));
  resize(820, 600);

  index_panel_ = new QWidget(this);
  auto* index_layout = new QVBoxLayout(index_panel_);
  index_layout->setContentsMargins(0, 0, 0, 0);
  auto* prompt = new QLabel(tr("Type the first letters of a word:"), index_panel_);
  search_ = new QLineEdit(index_panel_);
  search_->setObjectName("txtSearch");
  prompt->setBuddy(search_);
  keywords_ = new QListWidget(index_panel_);
  keywords_->setObjectName("lstKeywords");
  index_layout->addWidget(prompt);
  index_layout->addWidget(search_);
  index_layout->addWidget(keywords_);
  index_panel_->setFixedWidth(240);
  index_panel_->hide();

  browser_ = new QTextBrowser(this);
  browser_->setObjectName("txtPage");
  browser_->setOpenLinks(true);

  auto* contents = new QPushButton(tr("&Contents"), this);
  auto* index = new QPushButton(tr("&Index"), this);
  auto* back = new QPushButton(tr("&Back"), this);
  auto* close = new QPushButton(tr("Close"), this);
  // Enter in the search box opens the keyword; no button may take it as the default action.
  for (QPushButton* b : {contents, index, back, close}) b->setAutoDefault(false);
  connect(contents, &QPushButton::clicked, this, [this] { ShowContext(kHelpContentsContext); });
  connect(index, &QPushButton::clicked, this, &HelpWindow::ShowSearch);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  back->setEnabled(false);
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  connect(search_, &QLineEdit::textChanged, this, &HelpWindow::FillKeywords);
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    if (keywords_->count() > 0) ShowKeyword(keywords_->item(0)->text());
  });
  connect(keywords_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ShowKeyword(item->text()); });
  connect(keywords_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ShowKeyword(item->text()); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(index);
  buttons->addWidget(back);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* body = new QHBoxLayout;
  body->addWidget(index_panel_);
  body->addWidget(browser_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addLayout(body, 1);

  if (help_) {
    browser_->setSearchPaths({QString::fromStdString(help_->pages_folder())});
    QFile css(QString::fromStdString(help_->pages_folder()) + "/style.css");
    if (css.open(QIODevice::ReadOnly)) {
      browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
    }
    FillKeywords(QString());
  }
}

void HelpWindow::ShowMissing(const QString& what) {
  browser_->setHtml("<h2>Help is not available</h2><p>" + what.toHtmlEscaped() + "</p>");
}

void HelpWindow::ShowContext(int context) {
  index_panel_->hide();
  if (!help_) {
    ShowMissing(tr("The help file %1 cannot be found.").arg(QString::fromStdString(path_)));
    return;
  }
  const auto page = help_->PageForContext(context);
  if (!page) {
    ShowMissing(tr("The help file has no topic for context %1.").arg(context));
    return;
  }
  browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(*page)));
  if (browser_->document()->isEmpty()) {
    ShowMissing(tr("The help page %1 cannot be found.").arg(QString::fromStdString(*page)));
  }
}

void HelpWindow::ShowSearch() {
  if (!help_) {
    ShowContext(kHelpContentsContext);
    return;
  }
  index_panel_->show();
  search_->clear();
  FillKeywords(QString());
  search_->setFocus();
  if (browser_->source().isEmpty()) {
    ShowContext(kHelpContentsContext);
    index_panel_->show();
  }
}

void HelpWindow::FillKeywords(const QString& partial) {
  keywords_->clear();
  if (!help_) return;
  for (const auto& k : help_->SearchKeywords(partial.toStdString())) {
    keywords_->addItem(QString::fromStdString(k));
  }
  if (keywords_->count() > 0) keywords_->setCurrentRow(0);
}

void HelpWindow::ShowKeyword(const QString& keyword) {
  if (!help_) return;
  const auto page = help_->PageForKeyword(keyword.toStdString());
  if (page) browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(*page)));
}

}  // namespace torvane
