// The open documents of the main window: opening files by type, documents handed over by
// the instrument, saving, the close queries of chart and list windows, closing all, and
// the recent-file list.
#pragma once

#include <QMdiArea>
#include <QObject>
#include <QRect>
#include <QSize>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "app/ProfileStore.h"
#include "gui/app/DocumentTemplates.h"
#include "gui/app/OpenDocument.h"

namespace vantrel::gui {

class DocumentFrame;

class DocumentManager final : public QObject {
  Q_OBJECT
 public:
  using FrameFactory = std::function<DocumentFrame*(OpenDocument&)>;
  using EnvironmentFactory = std::function<document::DocumentEnvironment()>;

  DocumentManager(QMdiArea& area, const DocumentTemplates& templates,
                  EnvironmentFactory environment, app::ProfileStore* profile);
  ~DocumentManager() override;

  /// The window every document opens with (the chart window).
  void SetChartFactory(FrameFactory factory) { chartFactory_ = std::move(factory); }

  /// Opens a file with the document's open rules; null when it failed (the message was shown).
  OpenDocument* OpenFile(const std::filesystem::path& path);
  /// A document for a measurement from the instrument (imported, titled by its name).
  OpenDocument* AddMeasurement(std::unique_ptr<model::CMessungObj> measurement);
  /// Saves (asking for a name when there is none, or always with `saveAs`).
  bool Save(OpenDocument& document, bool saveAs);
  /// Asks to save each modified document; unless cancelled, closes every document.
  bool CloseAll();
  /// Closes every window of the document without asking and destroys it.
  void Destroy(OpenDocument& document);
  /// Called first by Destroy (an online recording into the document stops there).
  void SetDestroyHook(std::function<void(OpenDocument&)> hook) { destroyHook_ = std::move(hook); }
  /// Opens one more chart window on `document` ("New window"); null without a chart factory.
  QMdiSubWindow* AddChartWindow(OpenDocument& document);
  /// Shows `frame` for `document` in a new window of the work area, wholly inside its
  /// client area (cascading). A new window always opens in its own first place and size:
  /// a maximised window of the work area is restored first.
  QMdiSubWindow* ShowFrame(OpenDocument& document, DocumentFrame* frame);
  /// Where the window number `index` (0-based) of a client area of size `client` goes:
  /// four fifths of the client area, each window `step` pixels right of and below the one
  /// before, starting over at the top left so that the window never leaves the client area.
  static QRect CascadePlace(QSize client, int step, int index);

  OpenDocument* ActiveDocument() const;
  DocumentFrame* ActiveFrame() const;
  const std::vector<std::unique_ptr<OpenDocument>>& Documents() const { return documents_; }

  std::vector<std::filesystem::path> RecentFiles() const;

 signals:
  void RecentFilesChanged();
  void DocumentsChanged();
  /// A document changed (its modified state, its data) or a window its title or state.
  void WindowsChanged();
  /// The document was saved.
  void DocumentSaved(OpenDocument* document);
  /// The document is being destroyed (after the destroy hook ran).
  void DocumentClosing(OpenDocument* document);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  OpenDocument* Adopt(std::unique_ptr<document::CVantrel40Doc> doc);
  void AddRecentFile(const std::filesystem::path& path);
  OpenDocument* DocumentOf(QMdiSubWindow* window) const;
  void UpdateTitles(OpenDocument& document);

  QMdiArea& area_;
  const DocumentTemplates& templates_;
  EnvironmentFactory environment_;
  app::ProfileStore* profile_;
  FrameFactory chartFactory_;
  std::function<void(OpenDocument&)> destroyHook_;
  std::vector<std::unique_ptr<OpenDocument>> documents_;
  /// New documents made from the measurement template so far (their default titles).
  int measurementDocuments_ = 0;
  bool destroying_ = false;
};

}  // namespace vantrel::gui
