#include "gui/tables/CMyListFrame.h"

#include <QMdiArea>
#include <QVBoxLayout>

#include "gui/app/OpenDocument.h"
#include "gui/platform/QtServices.h"
#include "gui/tables/CLegende.h"
#include "platform/FileErrors.h"
#include "tables/ListFrameLayout.h"
#include "tables/TableFactory.h"

namespace vantrel::gui {

CMyListFrame::CMyListFrame(OpenDocument& document, int tableMode, std::vector<int> selection,
                           const platform::TextSource& texts, platform::MessageService* messages,
                           tables::TextConventions conventions, QWidget* parent)
    : DocumentFrame(document, document::FrameKind::List, parent),
      tableMode_(tableMode),
      selection_(std::move(selection)),
      texts_(texts),
      messages_(messages),
      conventions_(std::move(conventions)) {
  if (selection_.size() > static_cast<std::size_t>(tables::kMaxSelection)) {
    selection_.resize(static_cast<std::size_t>(tables::kMaxSelection));
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new CLegende(this);
  layout->addWidget(view_);
  setFocusProxy(view_);
  OnDocumentChanged();
}

QString CMyListFrame::TitleSuffix() const {
  const int id = tables::TitleSuffixId(tableMode_);
  return id != 0 ? QStringLiteral(" ") + ToQString(texts_.Text(id)) : QString();
}

void CMyListFrame::AttachWindow(QMdiSubWindow* window) {
  window_ = window;
  // Runs after the document manager's own title update, which was connected first.
  connect(&Document(), &OpenDocument::TitleChanged, this, [this] { UpdateTitle(); });
  UpdateTitle();
}

void CMyListFrame::UpdateTitle() {
  if (window_ == nullptr) return;
  window_->setWindowTitle(Document().TitleFor(window_) + TitleSuffix());
}

void CMyListFrame::OnDocumentChanged() {
  const model::CMessungObj* measurement = Document().Measurement();
  if (measurement == nullptr) {
    view_->Show(nullptr);
    return;
  }
  tables::TableRequest request;
  request.mode = tableMode_;
  request.selection = selection_;
  request.documentPath = platform::DisplayName(Document().Doc().GetPathName());
  request.conventions = conventions_;
  request.messages = messages_;
  view_->Show(tables::BuildTable(*measurement, texts_, request));
}

void CMyListFrame::showEvent(QShowEvent* event) {
  DocumentFrame::showEvent(event);
  PlaceFirstTime();
}

void CMyListFrame::PlaceFirstTime() {
  if (placed_) return;
  auto* window = qobject_cast<QMdiSubWindow*>(parentWidget());
  QMdiArea* area = window != nullptr ? window->mdiArea() : nullptr;
  if (area == nullptr) return;
  // The bottom of the work area in the window's coordinates, and the height of the
  // window's title bar and borders.
  const int clientBottom = area->viewport()->height();
  const int nonClient = std::max(window->height() - height(), 0);
  const tables::FirstPlacement placement = tables::FirstPlacementFor(
      tableMode_, static_cast<int>(selection_.size()), clientBottom, nonClient);
  const QSize size(placement.size.cx, placement.size.cy);
  if (placement.move) {
    window->setGeometry(QRect(QPoint(placement.position.x, placement.position.y), size));
  } else if (!size.isEmpty()) {
    window->resize(size);
  }
  placed_ = true;
}

}  // namespace vantrel::gui
