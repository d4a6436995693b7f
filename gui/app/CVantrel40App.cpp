#include "gui/app/CVantrel40App.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPageLayout>
#include <QStatusBar>
#include <QThread>

#include "app/DataFolder.h"
#include "app/Placeholders.h"
#include "gui/app/Features.h"
#include "gui/app/QtTranslations.h"
#include "gui/app/StartPicture.h"
#include "gui/chart/ChartFrames.h"
#include "gui/help/HelpCommands.h"
#include "gui/recovery/CRecoveryDlg.h"
#include "gui/widgets/DialogParts.h"
#include "gui/widgets/ProgramIcon.h"
#include "platform/Error.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoveryMessages.h"

namespace vantrel::gui {

CVantrel40App::CVantrel40App() = default;

CVantrel40App::~CVantrel40App() {
  // No later start reaches a program that is going.
  instance_.reset();
  // A recording ends before the document that holds its measurement goes.
  if (instrument_ != nullptr) instrument_->Online().Stop();
  recovery_.reset();
  // Windows go before the services they use.
  mainFrame_.reset();
}

bool CVantrel40App::Fail(const char* message, bool quiet) {
  startupError_ = message;
  if (!quiet) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                    QString::fromLatin1(message), QMessageBox::Ok);
    box.exec();
  }
  return false;
}

bool CVantrel40App::InitInstance(const StartupOptions& options, bool quiet) {
  dataDirectory_ = options.dataDirectory.empty() ? app::FindDataFolder(options.programDirectory)
                                                 : options.dataDirectory;
  // Language library.
  try {
    library_ = app::LanguageLibrary::Load(dataDirectory_, app::ChooseLanguage(options.language));
  } catch (const platform::VantrelError&) {
    return Fail(app::kResourceLibraryMissing, quiet);
  }
  // Product information.
  if (!app::ReadProductInfo(dataDirectory_, product_)) {
    return Fail(app::kIniFileNotFound, quiet);
  }
  texts_ = std::make_unique<app::BrandedTexts>(*library_, product_.Names());
  QApplication::setApplicationName(QString::fromStdU16String(product_.applicationName));
  // No display name of its own: the window system would append it to every window title,
  // the main window's included; applicationDisplayName() falls back to the name above.
  QApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
  QApplication::setWindowIcon(ProgramIcon(dataDirectory_));
  // Qt's own dialogs and buttons speak the language of the language library.
  qtTranslator_ = InstallQtTranslations(library_->LanguageCode());

  // Profile under the maker's key, user settings, port settings.
  const std::filesystem::path profilePath =
      options.profilePath.empty()
          ? app::ProfileStore::DefaultPath(product_.manufacturerName, product_.applicationName)
          : options.profilePath;
  profile_ = std::make_unique<app::ProfileStore>(profilePath);
  settings_.Load(*profile_, *texts_);
  portMap_ = app::PortMap::FromProfile(*profile_);
  for (const std::string& mapping : options.portOverrides) portMap_.AddOverride(mapping);

  messages_ = std::make_unique<QtMessageService>(*texts_, nullptr);
  dialogs_ = std::make_unique<QtFileDialogs>(nullptr);

  // Demo mode: the simulated instrument answers on port 1.
  if (options.demo) {
    demo_ = std::make_unique<DemoInstrument>();
    if (demo_->Start(options.programDirectory)) {
      portMap_.SetOverride(1, demo_->DevicePath().toStdString());
    } else {
      demo_.reset();
    }
  }

  // The one instrument link; in demo mode it uses port 1 whatever the profile says.
  instrument_ = std::make_unique<InstrumentAccess>(*messages_, *profile_, portMap_, options.demo);

  // Document types and the main window.
  mainFrame_ = std::make_unique<CMainFrame>(
      AppServices{*texts_, *messages_, *dialogs_, product_, *profile_, settings_, portMap_});
  mainFrame_->Context().instrument = instrument_.get();
  InstallChartFrames(*mainFrame_);
  InstallFeatureCommands(*mainFrame_);

  // Crash recovery: journals of recordings, recovery copies, the termination signals.
  std::filesystem::path recoveryFolder = options.recoveryFolder;
  if (recoveryFolder.empty()) {
    recoveryFolder =
        recovery::RecoveryFolder::DefaultPath(product_.manufacturerName, product_.applicationName);
  }
  instrument_->Online().SetJournalFolder(recoveryFolder);
  recovery_ = std::make_unique<RecoveryKeeper>(mainFrame_->Context(), recoveryFolder);
  CMainFrame* frame = mainFrame_.get();
  const app::BrandedTexts* texts = texts_.get();
  auto showInStatusBar = [frame, texts](int id, const QString& cause) {
    frame->statusBar()->showMessage(TextOf(*texts, id).replace(QStringLiteral("%1"), cause));
  };
  QObject::connect(&instrument_->Online(), &OnlineSession::JournalFailed, frame,
                   [showInStatusBar](const QString& cause) {
                     showInStatusBar(recovery::kMsgJournalNotWritten, cause);
                   });
  QObject::connect(recovery_.get(), &RecoveryKeeper::CopyFailed, frame,
                   [showInStatusBar](const QString& cause) {
                     showInStatusBar(recovery::kMsgCopyNotWritten, cause);
                   });
  if (!quiet) recovery_->CatchTerminationSignals();

  help::InstallHelpCommands(*mainFrame_, options.programDirectory);
  if (options.minimized) {
    mainFrame_->showMinimized();
  } else {
    mainFrame_->show();
  }

  // Start picture for 2.5 s unless minimized.
  if (!options.minimized && options.startPicture) {
    StartPicture picture(dataDirectory_, mainFrame_.get());
    if (picture.HasPicture()) {
      picture.show();
      picture.move(mainFrame_->geometry().center() - picture.rect().center());
      QElapsedTimer shown;
      shown.start();
      while (shown.elapsed() < 2500) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
        QThread::msleep(20);
      }
    }
  }

  // Landscape is the default orientation of every printout.
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setPageOrientation(QPageLayout::Landscape);
  mainFrame_->Context().printer = printer_.get();

  // What an abnormally ended run left, offered once the window is up.
  if (!quiet) OfferRecovery(mainFrame_->Context(), *recovery_, mainFrame_.get());

  // Later starts hand their files to this program; then the files of this start open.
  if (!options.instanceSocket.isEmpty()) {
    instance_ = std::make_unique<SingleInstance>();
    if (instance_->Listen(options.instanceSocket)) {
      QObject::connect(instance_.get(), &SingleInstance::FilesReceived, mainFrame_.get(),
                       [frame = mainFrame_.get()](const QStringList& files) {
                         frame->BringToFront();
                         frame->OpenFiles(files);
                       });
    }
  }
  mainFrame_->OpenFiles(options.files);
  return true;
}

}  // namespace vantrel::gui
