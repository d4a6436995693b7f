// The help window: the handbook's contents list with a search field on the left, the page
// on the right (Qt's own Markdown reader), links between pages, back and forward. One
// window serves the whole program; F1 and context help only move it to another page.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QWidget>

#include "app/BrandedTexts.h"
#include "app/MessageIds.h"
#include "gui/help/Handbook.h"

namespace vantrel::gui::help {

/// Message IDs of the help window's texts.
using ids::kMsgHelpNothingFound;
using ids::kMsgHelpPageMissing;
using ids::kStrHelpBack;
using ids::kStrHelpContents;
using ids::kStrHelpForward;
using ids::kStrHelpSearch;
using ids::kStrHelpTitle;

/// The page view: images of a page are read relative to the page's folder.
class HandbookBrowser final : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HandbookBrowser(QWidget* parent) : QTextBrowser(parent) {}
  void SetPageFolder(const QString& folder) { folder_ = folder; }
  QVariant loadResource(int type, const QUrl& name) override;

 private:
  QString folder_;
};

class HelpWindow final : public QWidget {
  Q_OBJECT
 public:
  HelpWindow(const app::BrandedTexts& texts, Handbook handbook, QWidget* parent);

  /// Shows a page: "chart.md#zoom", "#zoom" (on the current page) or "chart.md".
  /// Records it in the history; an unknown page shows a message line instead.
  void Navigate(const QString& link);
  void Back();
  void Forward();
  /// Filters the contents list to the pages that contain the words.
  void Search(const QString& words);

  /// The page shown ("chart.md") and the anchor scrolled to ("zoom", or empty).
  const QString& CurrentPage() const { return page_; }
  const QString& CurrentAnchor() const { return anchor_; }
  bool CanGoBack() const { return position_ > 0; }
  bool CanGoForward() const { return position_ + 1 < static_cast<int>(history_.size()); }
  /// The pages the contents list shows now.
  QStringList ListedPages() const;
  const Handbook& Book() const { return handbook_; }
  QTextBrowser& Browser() { return *browser_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Show(const QString& page, const QString& anchor);
  void ScrollToAnchor();
  void FillContents(const QStringList& pages);
  void UpdateButtons();
  QString Text(int id) const;

  const app::BrandedTexts& texts_;
  Handbook handbook_;
  HandbookBrowser* browser_ = nullptr;
  QListWidget* contents_ = nullptr;
  QLineEdit* search_ = nullptr;
  QLabel* searchState_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
  QString page_;
  QString anchor_;
  /// Visited places as "page#anchor"; position_ is the one shown.
  std::vector<QString> history_;
  int position_ = -1;
};

}  // namespace vantrel::gui::help
