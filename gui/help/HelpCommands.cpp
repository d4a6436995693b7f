#include "gui/help/HelpCommands.h"

#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTimer>
#include <QWhatsThis>

#include "app/CommandIds.h"
#include "app/MessageIds.h"
#include "gui/app/AboutBox.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/DocumentFrame.h"
#include "gui/help/HelpWindow.h"
#include "gui/platform/QtServices.h"
#include "gui/tables/CMyListFrame.h"

namespace vantrel::gui::help {
namespace {

/// The accelerator table that binds F1 and Shift+F1.
constexpr int kAccelerators = 129;

std::optional<QKeyCombination> KeyOf(const app::LanguageLibrary& library, int commandId) {
  for (const app::Accelerator& key : library.Accelerators(kAccelerators)) {
    if (key.commandId != commandId) continue;
    const QKeySequence sequence =
        QKeySequence::fromString(QString::fromStdU16String(key.key), QKeySequence::PortableText);
    if (!sequence.isEmpty()) return sequence[0];
  }
  return std::nullopt;
}

}  // namespace

HelpCommands::HelpCommands(CMainFrame& frame, const std::filesystem::path& programDirectory)
    : QObject(&frame), frame_(frame) {
  setObjectName(QStringLiteral("helpCommands"));
  const app::BrandedTexts& texts = frame.Context().texts;
  handbook_ = Handbook::Find(programDirectory, ToQString(texts.Text(ids::kStrLanguageCode)));
  helpKey_ = KeyOf(texts.Library(), ids::kCmdHelp);
  contextHelpKey_ = KeyOf(texts.Library(), ids::kCmdContextHelp);
  frame.RegisterCommand(ids::kCmdHelpTopics, [this] { ShowContents(); });
  frame.RegisterCommand(ids::kCmdHelpTopicsAlternative, [this] { ShowContents(); });
  frame.RegisterCommand(ids::kCmdHelp, [this] { ShowHelpForActiveWindow(); });
  frame.RegisterCommand(ids::kCmdContextHelp, [this] { EnterContextHelp(); });
  qApp->installEventFilter(this);
}

void HelpCommands::ShowAbout() {
  AboutBox box(frame_.Context().product, &frame_);
  box.exec();
}

HelpWindow& HelpCommands::EnsureWindow(QWidget* owner) {
  HelpWindow* window = window_.data();
  if (window == nullptr) {
    window = new HelpWindow(frame_.Context().texts, *handbook_, &frame_);
    window_ = window;
  }
  // A modal dialog blocks every window but its own children: over a dialog the help window
  // becomes the dialog's child window until the dialog ends.
  auto* dialog = qobject_cast<QDialog*>(owner);
  const bool overDialog = dialog != nullptr && dialog->isModal();
  QWidget* wanted = overDialog ? owner : &frame_;
  if (window->parentWidget() != wanted) {
    MoveWindow(*window, *wanted);
    if (overDialog) connect(dialog, &QDialog::finished, window, [this] { ReturnToMainWindow(); });
  }
  return *window;
}

void HelpCommands::MoveWindow(HelpWindow& window, QWidget& parent) {
  const QRect geometry = window.geometry();
  const bool visible = window.isVisible();
  window.setParent(&parent, Qt::Window);
  window.setGeometry(geometry);
  if (visible) window.show();
}

void HelpCommands::ReturnToMainWindow() {
  HelpWindow* window = window_.data();
  if (window == nullptr) return;
  // The dialog has ended; a dialog below it that is still open keeps the window usable.
  QWidget* below = QApplication::activeModalWidget();
  if (below != nullptr && below != window->parentWidget()) {
    EnsureWindow(below);
  } else if (window->parentWidget() != &frame_) {
    MoveWindow(*window, frame_);
  }
}

void HelpCommands::ShowTopic(const HelpTopic& topic, QWidget* over) {
  if (!handbook_) {
    ShowAbout();
    return;
  }
  HelpWindow& window = EnsureWindow(over);
  window.show();
  window.Navigate(QString::fromStdString(topic.Link()));
  window.raise();
  window.activateWindow();
}

void HelpCommands::ShowContents() { ShowTopic({kContentsPage, ""}); }

HelpTopic HelpCommands::TopicOfWindow(QWidget* window) const {
  for (QWidget* widget = window; widget != nullptr; widget = widget->parentWidget()) {
    widget = widget->window();
    if (widget == &frame_) break;
    if (int id = DialogTemplateOfClass(widget->metaObject()->className()); id != 0) {
      return TopicOfDialog(id);
    }
    // Dialogs of the platform (file, colour, print, message boxes) show the page of the
    // window they belong to.
  }
  DocumentFrame* active = frame_.Documents().ActiveFrame();
  if (active == nullptr) return TopicOfMainWindow();
  if (auto* list = dynamic_cast<CMyListFrame*>(active); list != nullptr) {
    return TopicOfTableWindow(list->TableMode());
  }
  return active->Kind() == document::FrameKind::Chart ? TopicOfChartWindow()
                                                      : TopicOfTableWindow(-1);
}

void HelpCommands::ShowHelpForActiveWindow() {
  QWidget* active = QApplication::activeModalWidget();
  if (active == nullptr) active = QApplication::activeWindow();
  if (active == nullptr) active = &frame_;
  ShowTopic(TopicOfWindow(active), active);
}

void HelpCommands::EnterContextHelp() {
  if (!QWhatsThis::inWhatsThisMode()) QWhatsThis::enterWhatsThisMode();
}

bool HelpCommands::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      const QKeyCombination pressed = key->keyCombination();
      QWidget* active = QApplication::activeWindow();
      if (active != nullptr && active == window_) break;
      if (helpKey_ && pressed == *helpKey_) {
        ShowHelpForActiveWindow();
        return true;
      }
      if (contextHelpKey_ && pressed == *contextHelpKey_) {
        EnterContextHelp();
        return true;
      }
      break;
    }
    case QEvent::Polish:
      // The program's dialogs offer the question-mark button of their title bar where the
      // window manager shows one; it starts context help. The platform's dialogs (files,
      // colours, printing, messages) are left as they are.
      if (auto* dialog = qobject_cast<QDialog*>(watched);
          dialog != nullptr && dialog->isWindow() &&
          DialogTemplateOfClass(dialog->metaObject()->className()) != 0 &&
          !dialog->windowFlags().testFlag(Qt::WindowContextHelpButtonHint)) {
        dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, true);
      }
      break;
    case QEvent::EnterWhatsThisMode:
      // A dialog's question-mark button.
      EnterContextHelp();
      return true;
    case QEvent::QueryWhatsThis:
      // Every control of the program can be clicked in context help.
      if (auto* widget = qobject_cast<QWidget*>(watched);
          widget != nullptr && widget->window() != window_) {
        event->accept();
        return true;
      }
      break;
    case QEvent::WhatsThis:
      if (auto* widget = qobject_cast<QWidget*>(watched);
          widget != nullptr && widget->window() != window_) {
        event->accept();
        QWidget* owner = widget->window();
        const HelpTopic topic = TopicOfWindow(owner);
        QTimer::singleShot(0, this, [this, topic, owner = QPointer<QWidget>(owner)] {
          QWhatsThis::leaveWhatsThisMode();
          ShowTopic(topic, owner);
        });
        return true;
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void InstallHelpCommands(CMainFrame& frame, const std::filesystem::path& programDirectory) {
  new HelpCommands(frame, programDirectory);
}

}  // namespace vantrel::gui::help
