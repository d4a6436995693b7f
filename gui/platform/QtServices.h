// The message and file-dialog services of the core, answered with Qt message boxes and
// file dialogs. Texts come from the language library by number.
#pragma once

#include <QString>
#include <QWidget>
#include <filesystem>

#include "platform/FileDialogs.h"
#include "platform/MessageService.h"
#include "platform/TextSource.h"

namespace vantrel::gui {

QString ToQString(const std::u16string& text);
std::u16string FromQString(const QString& text);
/// A file name for display (undecodable bytes shown as U+FFFD); never used to reach the file.
QString PathToQString(const std::filesystem::path& path);
/// The file name bytes of a name from a Qt file dialog or the command line.
std::filesystem::path PathFromQString(const QString& text);

/// The entry of a file dialog's type list: `description` as it is when it already names
/// `pattern` in brackets ("Gerätedaten (*.vqa)"), else `description (pattern)`.
QString FileFilterText(const QString& description, const QString& pattern);

/// Fills "%1" and "%s" of a message text with `argument`.
QString FillArgument(QString text, const QString& argument);

class QtMessageService final : public platform::MessageService {
 public:
  /// `parent` may be null (message boxes without owner).
  QtMessageService(const platform::TextSource& texts, QWidget* parent)
      : texts_(texts), parent_(parent) {}
  platform::Answer ShowMessage(int id, platform::Buttons buttons, platform::Icon icon,
                               const std::u16string& argument = {}) override;
  void SetParent(QWidget* parent) { parent_ = parent; }

 private:
  const platform::TextSource& texts_;
  QWidget* parent_;
};

class QtFileDialogs final : public platform::FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
  std::optional<std::filesystem::path> AskSaveFileName(
      const platform::SaveFileRequest& request) override;
  void SetParent(QWidget* parent) { parent_ = parent; }

 private:
  QWidget* parent_;
};

}  // namespace vantrel::gui
