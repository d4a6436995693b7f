#include "gui/help/HelpWindow.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/help/HelpTopics.h"
#include "gui/platform/QtServices.h"

namespace vantrel::gui::help {
namespace {

constexpr int kPageRole = Qt::UserRole + 1;

}  // namespace

QVariant HandbookBrowser::loadResource(int type, const QUrl& name) {
  if (type == QTextDocument::ImageResource && name.isRelative() && !folder_.isEmpty()) {
    const QString path = folder_ + QLatin1Char('/') + name.path();
    QImage image(path);
    if (!image.isNull()) return image;
    return {};
  }
  return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(const app::BrandedTexts& texts, Handbook handbook, QWidget* parent)
    : QWidget(parent, Qt::Window), texts_(texts), handbook_(std::move(handbook)) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(Text(kStrHelpTitle));

  auto* bar = new QHBoxLayout;
  const auto addButton = [this, bar](QStyle::StandardPixmap icon, int textId, const char* name) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setIcon(style()->standardIcon(icon));
    button->setText(Text(textId));
    button->setToolTip(Text(textId));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addWidget(button);
    return button;
  };
  back_ = addButton(QStyle::SP_ArrowBack, kStrHelpBack, "helpBack");
  forward_ = addButton(QStyle::SP_ArrowForward, kStrHelpForward, "helpForward");
  QToolButton* home = addButton(QStyle::SP_DirHomeIcon, kStrHelpContents, "helpContents");
  bar->addStretch(1);
  connect(back_, &QToolButton::clicked, this, [this] { Back(); });
  connect(forward_, &QToolButton::clicked, this, [this] { Forward(); });
  connect(home, &QToolButton::clicked, this, [this] { Navigate(QLatin1String(kContentsPage)); });

  auto* left = new QWidget(this);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  auto* searchLabel = new QLabel(Text(kStrHelpSearch), left);
  search_ = new QLineEdit(left);
  search_->setObjectName(QStringLiteral("helpSearch"));
  search_->setClearButtonEnabled(true);
  searchLabel->setBuddy(search_);
  searchState_ = new QLabel(left);
  searchState_->setWordWrap(true);
  searchState_->hide();
  contents_ = new QListWidget(left);
  contents_->setObjectName(QStringLiteral("helpPages"));
  leftLayout->addWidget(searchLabel);
  leftLayout->addWidget(search_);
  leftLayout->addWidget(searchState_);
  leftLayout->addWidget(contents_, 1);
  connect(search_, &QLineEdit::textChanged, this, [this](const QString& words) { Search(words); });
  connect(contents_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { Navigate(item->data(kPageRole).toString()); });
  connect(contents_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { Navigate(item->data(kPageRole).toString()); });

  browser_ = new HandbookBrowser(this);
  browser_->setObjectName(QStringLiteral("helpPage"));
  browser_->setOpenLinks(false);
  browser_->SetPageFolder(handbook_.Folder());
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (!url.scheme().isEmpty() && url.scheme() != QStringLiteral("file")) {
      QDesktopServices::openUrl(url);
      return;
    }
    Navigate(url.toString());
  });

  auto* splitter = new QSplitter(this);
  splitter->addWidget(left);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 700});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(splitter, 1);

  FillContents(handbook_.Search(QString()));
  UpdateButtons();
  resize(960, 700);
}

QString HelpWindow::Text(int id) const { return ToQString(texts_.Text(id)); }

void HelpWindow::Navigate(const QString& link) {
  QString page = link.section(QLatin1Char('#'), 0, 0);
  const QString anchor = link.section(QLatin1Char('#'), 1);
  if (page.isEmpty()) page = page_.isEmpty() ? QString::fromLatin1(kContentsPage) : page_;
  if (page.startsWith(QStringLiteral("./"))) page = page.mid(2);
  const QString place = anchor.isEmpty() ? page : page + QLatin1Char('#') + anchor;
  if (position_ >= 0 && history_[static_cast<std::size_t>(position_)] == place) {
    Show(page, anchor);
    return;
  }
  history_.resize(static_cast<std::size_t>(position_ + 1));
  history_.push_back(place);
  position_ = static_cast<int>(history_.size()) - 1;
  Show(page, anchor);
}

void HelpWindow::Back() {
  if (!CanGoBack()) return;
  --position_;
  const QString& place = history_[static_cast<std::size_t>(position_)];
  Show(place.section(QLatin1Char('#'), 0, 0), place.section(QLatin1Char('#'), 1));
}

void HelpWindow::Forward() {
  if (!CanGoForward()) return;
  ++position_;
  const QString& place = history_[static_cast<std::size_t>(position_)];
  Show(place.section(QLatin1Char('#'), 0, 0), place.section(QLatin1Char('#'), 1));
}

void HelpWindow::Show(const QString& page, const QString& anchor) {
  if (page != page_ || browser_->document()->isEmpty()) {
    if (!handbook_.HasPage(page)) {
      browser_->setPlainText(Text(kMsgHelpPageMissing).arg(page));
      page_ = page;
      anchor_.clear();
      UpdateButtons();
      return;
    }
    const HandbookPage content = handbook_.Load(page);
    browser_->document()->setMarkdown(content.markdown);
    ApplyAnchors(*browser_->document(), content.anchors);
    page_ = page;
  }
  anchor_ = anchor;
  ScrollToAnchor();
  // The page is laid out for the window's width only once the window is shown.
  QTimer::singleShot(0, this, [this] { ScrollToAnchor(); });
  for (int row = 0; row < contents_->count(); ++row) {
    QListWidgetItem* item = contents_->item(row);
    if (item->data(kPageRole).toString() == page) {
      const QSignalBlocker blocker(contents_);
      contents_->setCurrentItem(item);
    }
  }
  UpdateButtons();
}

void HelpWindow::ScrollToAnchor() {
  if (anchor_.isEmpty()) {
    browser_->verticalScrollBar()->setValue(0);
  } else {
    browser_->scrollToAnchor(anchor_);
  }
}

void HelpWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ScrollToAnchor();
}

void HelpWindow::Search(const QString& words) {
  const QStringList pages = handbook_.Search(words);
  FillContents(pages);
  searchState_->setText(Text(kMsgHelpNothingFound));
  searchState_->setVisible(pages.isEmpty());
  // The first word is marked on the page shown when that page is one of the results.
  const QString first = words.simplified().section(QLatin1Char(' '), 0, 0);
  if (!first.isEmpty() && pages.contains(page_)) {
    browser_->moveCursor(QTextCursor::Start);
    browser_->find(first);
  }
}

void HelpWindow::FillContents(const QStringList& pages) {
  const QSignalBlocker blocker(contents_);
  contents_->clear();
  for (const QString& page : pages) {
    QString title = handbook_.Load(page).title;
    if (title.isEmpty()) title = page;
    auto* item = new QListWidgetItem(title, contents_);
    item->setData(kPageRole, page);
    if (page == page_) contents_->setCurrentItem(item);
  }
}

QStringList HelpWindow::ListedPages() const {
  QStringList pages;
  for (int row = 0; row < contents_->count(); ++row)
    pages << contents_->item(row)->data(kPageRole).toString();
  return pages;
}

void HelpWindow::UpdateButtons() {
  back_->setEnabled(CanGoBack());
  forward_->setEnabled(CanGoForward());
}

}  // namespace vantrel::gui::help
