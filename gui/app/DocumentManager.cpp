#include "gui/app/DocumentManager.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>

#include "document/DocumentTitle.h"
#include "gui/app/DocumentFrame.h"
#include "gui/platform/QtServices.h"

namespace vantrel::gui {

DocumentManager::DocumentManager(QMdiArea& area, const DocumentTemplates& templates,
                                 EnvironmentFactory environment, app::ProfileStore* profile)
    : area_(area), templates_(templates), environment_(std::move(environment)), profile_(profile) {}

DocumentManager::~DocumentManager() {
  destroying_ = true;
  for (auto& document : documents_) {
    for (QMdiSubWindow* window : document->Windows()) window->removeEventFilter(this);
  }
}

namespace {

document::DocumentEnvironment WithRecentList(
    document::DocumentEnvironment env, std::function<void(const std::filesystem::path&)> add) {
  env.addRecentFile = std::move(add);
  return env;
}

}  // namespace

OpenDocument* DocumentManager::Adopt(std::unique_ptr<document::CVantrel40Doc> doc) {
  documents_.push_back(std::make_unique<OpenDocument>(std::move(doc)));
  OpenDocument* document = documents_.back().get();
  connect(document, &OpenDocument::TitleChanged, this, [this, document] {
    UpdateTitles(*document);
    emit WindowsChanged();
  });
  connect(document, &OpenDocument::HistoryChanged, this, &DocumentManager::DocumentsChanged);
  if (chartFactory_) ShowFrame(*document, chartFactory_(*document));
  emit DocumentsChanged();
  return document;
}

OpenDocument* DocumentManager::OpenFile(const std::filesystem::path& path) {
  // A file already open is shown again instead of being opened twice.
  for (auto& document : documents_) {
    if (!document->Doc().GetPathName().empty() && document->Doc().GetPathName() == path) {
      const auto windows = document->Windows();
      if (!windows.empty()) area_.setActiveSubWindow(windows.front());
      return document.get();
    }
  }
  auto doc = std::make_unique<document::CVantrel40Doc>(
      WithRecentList(environment_(), [this](const auto& p) { AddRecentFile(p); }),
      templates_.ExtensionFor(path));
  if (!doc->OnOpenDocument(path)) return nullptr;
  AddRecentFile(path);
  return Adopt(std::move(doc));
}

OpenDocument* DocumentManager::AddMeasurement(std::unique_ptr<model::CMessungObj> measurement) {
  document::DocumentEnvironment environment = environment_();
  // Every new document of the template counts, named or not, as the template's titles do.
  ++measurementDocuments_;
  std::u16string untitled = document::UntitledTitle(
      templates_.MeasurementTemplate().documentString, measurementDocuments_,
      environment.texts != nullptr ? environment.texts->Text(document::kStrUntitled) : u"");
  auto doc = document::CVantrel40Doc::FromMeasurement(
      WithRecentList(std::move(environment), [this](const auto& p) { AddRecentFile(p); }),
      templates_.MeasurementTemplate().extension, std::move(measurement), std::move(untitled));
  return Adopt(std::move(doc));
}

bool DocumentManager::Save(OpenDocument& document, bool saveAs) {
  const bool saved = saveAs ? document.Doc().DoSave({}) : document.Doc().Save();
  document.RefreshViews();
  if (saved) emit DocumentSaved(&document);
  return saved;
}

bool DocumentManager::CloseAll() {
  for (auto& document : documents_) {
    if (!document->Doc().SaveModified()) return false;
  }
  while (!documents_.empty()) Destroy(*documents_.back());
  return true;
}

void DocumentManager::Destroy(OpenDocument& document) {
  if (destroyHook_) destroyHook_(document);
  emit DocumentClosing(&document);
  for (QMdiSubWindow* window : document.Windows()) {
    window->removeEventFilter(this);
    area_.removeSubWindow(window);
    window->deleteLater();
  }
  auto it = std::find_if(documents_.begin(), documents_.end(),
                         [&document](const auto& d) { return d.get() == &document; });
  if (it != documents_.end()) {
    std::unique_ptr<OpenDocument> doomed = std::move(*it);
    documents_.erase(it);
    doomed.release()->deleteLater();
  }
  emit DocumentsChanged();
}

QMdiSubWindow* DocumentManager::AddChartWindow(OpenDocument& document) {
  if (!chartFactory_) return nullptr;
  return ShowFrame(document, chartFactory_(document));
}

QMdiSubWindow* DocumentManager::ShowFrame(OpenDocument& document, DocumentFrame* frame) {
  // A window opened next to a maximised one would take over the maximised state before its
  // own placement: the tables would fill the work area or lose their title bar.
  for (QMdiSubWindow* other : area_.subWindowList()) {
    if (other->isMaximized()) other->showNormal();
  }
  QMdiSubWindow* window = area_.addSubWindow(frame);
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  window->installEventFilter(this);
  connect(window, &QMdiSubWindow::windowStateChanged, this, [this] {
    if (!destroying_) emit WindowsChanged();
  });
  document.AddWindow(window, frame);
  const QRect place = CascadePlace(area_.viewport()->size(),
                                   window->style()->pixelMetric(QStyle::PM_TitleBarHeight),
                                   static_cast<int>(area_.subWindowList().size()) - 1);
  // Placed before showing, so the work area keeps the place; a frame that places itself
  // when shown (the legend and the tables at the bottom) still does.
  window->setGeometry(place);
  window->show();
  area_.setActiveSubWindow(window);
  // The new window keeps the focus when the main window becomes active again (after the
  // curve selection of a value list closed), else the chart that had it comes back to the
  // front and hides the new window.
  frame->setFocus(Qt::OtherFocusReason);
  return window;
}

QRect DocumentManager::CascadePlace(QSize client, int step, int index) {
  // Four fifths of the client area, cascading by one title bar and starting over at the
  // top left before a window would reach past the client area's edge.
  const QSize size(std::max(1, client.width() * 4 / 5), std::max(1, client.height() * 4 / 5));
  step = std::max(1, step);
  const int room = std::min(client.width() - size.width(), client.height() - size.height());
  const int places = std::max(0, room) / step + 1;
  const int offset = (std::max(0, index) % places) * step;
  return {QPoint(offset, offset), size};
}

OpenDocument* DocumentManager::DocumentOf(QMdiSubWindow* window) const {
  for (const auto& document : documents_) {
    if (document->FrameOf(window) != nullptr) return document.get();
  }
  return nullptr;
}

bool DocumentManager::eventFilter(QObject* watched, QEvent* event) {
  if (destroying_) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::WindowTitleChange) {
    emit WindowsChanged();
    return QObject::eventFilter(watched, event);
  }
  if (event->type() != QEvent::Close) return QObject::eventFilter(watched, event);
  auto* window = qobject_cast<QMdiSubWindow*>(watched);
  OpenDocument* document = window != nullptr ? DocumentOf(window) : nullptr;
  if (document == nullptr) return QObject::eventFilter(watched, event);
  DocumentFrame* frame = document->FrameOf(window);
  const bool numbered = document->Windows().size() > 1;
  int charts = 0;
  for (QMdiSubWindow* each : document->Windows()) {
    if (document->FrameOf(each)->Kind() == document::FrameKind::Chart) ++charts;
  }
  // One of several chart windows closes like a table: the document stays with the others.
  const bool lastChart = frame->Kind() == document::FrameKind::Chart && charts == 1;
  if (!lastChart && numbered) {
    document->RemoveWindow(window);
    area_.removeSubWindow(window);
    window->deleteLater();
    event->ignore();
    emit DocumentsChanged();
    return true;
  }
  if (!document->Doc().CanCloseFrame(frame->Kind(), numbered)) {
    event->ignore();
    return true;
  }
  // Closing the last chart closes every window of its document.
  event->ignore();
  Destroy(*document);
  return true;
}

OpenDocument* DocumentManager::ActiveDocument() const {
  QMdiSubWindow* window = area_.activeSubWindow();
  return window != nullptr ? DocumentOf(window) : nullptr;
}

DocumentFrame* DocumentManager::ActiveFrame() const {
  QMdiSubWindow* window = area_.activeSubWindow();
  OpenDocument* document = window != nullptr ? DocumentOf(window) : nullptr;
  return document != nullptr ? document->FrameOf(window) : nullptr;
}

void DocumentManager::UpdateTitles(OpenDocument& document) {
  for (QMdiSubWindow* window : document.Windows())
    window->setWindowTitle(document.TitleFor(window));
}

void DocumentManager::AddRecentFile(const std::filesystem::path& path) {
  if (profile_ == nullptr) return;
  // Stored as bytes so that a name that is not UTF-8 reopens.
  std::error_code error;
  profile_->AddRecentFilePath(std::filesystem::absolute(path, error));
  emit RecentFilesChanged();
}

std::vector<std::filesystem::path> DocumentManager::RecentFiles() const {
  return profile_ != nullptr ? profile_->RecentFilePaths() : std::vector<std::filesystem::path>{};
}

}  // namespace vantrel::gui
