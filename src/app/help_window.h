// The help window: the program's help pages with their contents, contexts and keyword index.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "app/help_file.h"

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QPushButton;
class QWidget;

namespace torvane {

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  // help_file_path: the program's help file; a missing file is reported inside the window.
  explicit HelpWindow(const std::string& help_file_path, QWidget* parent = nullptr);

  // Shows the page of a context (0 contents, 12 technical support).
  void ShowContext(int context);
  // Shows the keyword index with the partial-key search.
  void ShowSearch();

  bool help_file_found() const { return help_.has_value(); }
  QTextBrowser* browser() const { return browser_; }
  QLineEdit* search_box() const { return search_; }
  QListWidget* keyword_list() const { return keywords_; }
  QWidget* index_panel() const { return index_panel_; }

 private:
  void FillKeywords(const QString& partial);
  void ShowKeyword(const QString& keyword);
  void ShowMissing(const QString& what);

  std::string path_;
  std::optional<HelpFile> help_;
  QTextBrowser* browser_;
  QLineEdit* search_;
  QListWidget* keywords_;
  QWidget* index_panel_;
};

}  // namespace torvane
