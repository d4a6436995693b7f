#include "gui/platform/QtServices.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/FileErrors.h"

namespace vantrel::gui {

QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string FromQString(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<std::size_t>(text.size()));
}

QString PathToQString(const std::filesystem::path& path) {
  return ToQString(platform::DisplayName(path));
}

std::filesystem::path PathFromQString(const QString& text) {
  return std::filesystem::path(QFile::encodeName(text).toStdString());
}

QString FillArgument(QString text, const QString& argument) {
  text.replace(QStringLiteral("%1"), argument);
  text.replace(QStringLiteral("%s"), argument);
  return text;
}

platform::Answer QtMessageService::ShowMessage(int id, platform::Buttons buttons,
                                               platform::Icon icon,
                                               const std::u16string& argument) {
  QMessageBox box(parent_);
  box.setWindowTitle(QApplication::applicationDisplayName());
  box.setText(FillArgument(ToQString(texts_.Text(id)), ToQString(argument)));
  switch (icon) {
    case platform::Icon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case platform::Icon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case platform::Icon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case platform::Icon::Stop:
      box.setIcon(QMessageBox::Critical);
      break;
  }
  switch (buttons) {
    case platform::Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case platform::Buttons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case platform::Buttons::RetryCancel:
      box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
      break;
    case platform::Buttons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case platform::Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok:
      return platform::Answer::Ok;
    case QMessageBox::Retry:
      return platform::Answer::Retry;
    case QMessageBox::Yes:
      return platform::Answer::Yes;
    case QMessageBox::No:
      return platform::Answer::No;
    default:
      return platform::Answer::Cancel;
  }
}

QString FileFilterText(const QString& description, const QString& pattern) {
  const QString bracketed = QStringLiteral("(") + pattern + QStringLiteral(")");
  if (description.contains(bracketed)) return description;
  return description + QLatin1Char(' ') + bracketed;
}

std::optional<std::filesystem::path> QtFileDialogs::AskSaveFileName(
    const platform::SaveFileRequest& request) {
  QFileDialog dialog(parent_, ToQString(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(
      FileFilterText(ToQString(request.filterDescription), ToQString(request.pattern)));
  dialog.setDefaultSuffix(ToQString(request.defaultExtension));
  if (!request.askBeforeOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(PathToQString(request.initialName));
  if (request.initialName.has_parent_path()) {
    dialog.setDirectory(PathToQString(request.initialName.parent_path()));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathFromQString(dialog.selectedFiles().front());
}

}  // namespace vantrel::gui
