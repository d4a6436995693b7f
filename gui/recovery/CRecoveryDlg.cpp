// The recovery dialog and the start-up offer; see CRecoveryDlg.h.
#include "gui/recovery/CRecoveryDlg.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <ctime>

#include "app/MessageIds.h"
#include "gui/app/DocumentManager.h"
#include "gui/app/OpenDocument.h"
#include "gui/recovery/RecoveryKeeper.h"
#include "gui/widgets/DialogParts.h"
#include "recovery/RecoveryMessages.h"

namespace vantrel::gui {
namespace {

QString Age(const AppContext& context, std::int64_t changedAt) {
  const std::int64_t minutes =
      std::max<std::int64_t>(0, (static_cast<std::int64_t>(std::time(nullptr)) - changedAt) / 60);
  int id = recovery::kStrAgeMinutes;
  std::int64_t count = minutes;
  if (minutes >= 48 * 60) {
    id = recovery::kStrAgeDays;
    count = minutes / (24 * 60);
  } else if (minutes >= 120) {
    id = recovery::kStrAgeHours;
    count = minutes / 60;
  }
  return TextOf(context.texts, id).replace(QStringLiteral("%d"), QString::number(count));
}

QString StartTime(std::int64_t seconds) {
  if (seconds <= 0) return {};
  return QLocale().toString(QDateTime::fromSecsSinceEpoch(seconds), QLocale::ShortFormat);
}

QPushButton* AddButton(QDialogButtonBox* box, const QString& text, const char* name,
                       QDialogButtonBox::ButtonRole role) {
  QPushButton* button = box->addButton(text, role);
  button->setObjectName(QLatin1String(name));
  return button;
}

bool ConfirmDiscard(AppContext& context, QWidget* parent) {
  QMessageBox box(QMessageBox::Warning, TextOf(context.texts, recovery::kStrRecoveryTitle),
                  TextOf(context.texts, recovery::kMsgDiscardConfirm),
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setObjectName(QStringLiteral("discardConfirmation"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void ReportUnusable(AppContext& context, const recovery::RecoveryError& error) {
  context.messages.ShowMessage(error.MessageId(), platform::Buttons::Ok,
                               platform::Icon::Exclamation,
                               FromQString(QString::fromStdString(error.Path().string())));
}

}  // namespace

CRecoveryDlg::CRecoveryDlg(AppContext& context, const std::vector<Entry>& entries, QWidget* parent)
    : QDialog(parent), context_(context) {
  const app::BrandedTexts& texts = context.texts;
  setWindowTitle(TextOf(texts, recovery::kStrRecoveryTitle));
  auto* intro = new QLabel(TextOf(texts, recovery::kStrRecoveryIntro), this);
  intro->setWordWrap(true);

  table_ = new QTableWidget(static_cast<int>(entries.size()), 5, this);
  table_->setObjectName(QStringLiteral("recoveryItems"));
  table_->setHorizontalHeaderLabels({TextOf(texts, recovery::kStrRecoveryColumnName), QString(),
                                     TextOf(texts, recovery::kStrRecoveryColumnStart),
                                     TextOf(texts, recovery::kStrRecoveryColumnSamples),
                                     TextOf(texts, recovery::kStrRecoveryColumnAge)});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  for (std::size_t row = 0; row < entries.size(); ++row) {
    const Entry& entry = entries[row];
    const bool journal = entry.item->Item().kind == recovery::ItemKind::kJournal;
    const QStringList cells = {
        entry.summary.name.empty() ? TextOf(texts, ids::kStrUntitled)
                                   : ToQString(entry.summary.name),
        TextOf(texts, journal ? recovery::kStrKindJournal : recovery::kStrKindCopy),
        StartTime(entry.summary.startTime), QString::number(entry.summary.samples),
        Age(context, entry.summary.changedAt)};
    for (int column = 0; column < cells.size(); ++column) {
      auto* cell = new QTableWidgetItem(cells[column]);
      cell->setToolTip(QString::fromStdString(entry.item->Item().path.string()));
      if (column >= 3) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(static_cast<int>(row), column, cell);
    }
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* restore = AddButton(buttons, TextOf(texts, recovery::kStrRecoveryRestore), "restore",
                                   QDialogButtonBox::AcceptRole);
  restore->setDefault(true);
  QPushButton* discard = AddButton(buttons, TextOf(texts, recovery::kStrRecoveryDiscard), "discard",
                                   QDialogButtonBox::DestructiveRole);
  QPushButton* later = AddButton(buttons, TextOf(texts, recovery::kStrRecoveryLater), "later",
                                 QDialogButtonBox::RejectRole);
  connect(restore, &QPushButton::clicked, this, [this] { Choose(Choice::kRestore); });
  connect(discard, &QPushButton::clicked, this, [this] {
    if (ConfirmDiscard(context_, this)) Choose(Choice::kDiscard);
  });
  connect(later, &QPushButton::clicked, this, [this] { Choose(Choice::kLater); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(table_, 1);
  layout->addWidget(buttons);
  resize(640, 320);
}

void CRecoveryDlg::Choose(Choice choice) {
  choice_ = choice;
  if (choice == Choice::kLater) {
    reject();
  } else {
    accept();
  }
}

int OfferRecovery(AppContext& context, RecoveryKeeper& keeper, QWidget* parent) {
  std::vector<CRecoveryDlg::Entry> entries;
  for (const recovery::RecoveryItem& item :
       recovery::RecoveryFolder(keeper.Folder()).AbandonedItems()) {
    auto taken = recovery::RecoveredItem::Take(item);
    if (taken == nullptr) continue;  // another program has it
    try {
      recovery::ItemSummary summary = taken->Summarize();
      entries.push_back({std::move(taken), std::move(summary)});
    } catch (const recovery::RecoveryError& error) {
      ReportUnusable(context, error);
    }
  }
  if (entries.empty()) return 0;

  CRecoveryDlg dialog(context, entries, parent);
  dialog.exec();
  int restored = 0;
  switch (dialog.GetChoice()) {
    case CRecoveryDlg::Choice::kLater:
      break;
    case CRecoveryDlg::Choice::kDiscard:
      for (CRecoveryDlg::Entry& entry : entries) {
        std::string error;
        if (!entry.item->Remove(&error)) {
          context.messages.ShowMessage(recovery::kMsgItemUnreadable, platform::Buttons::Ok,
                                       platform::Icon::Exclamation,
                                       FromQString(QString::fromStdString(error)));
        }
      }
      break;
    case CRecoveryDlg::Choice::kRestore:
      for (CRecoveryDlg::Entry& entry : entries) {
        recovery::RecoveredDocument recovered;
        try {
          recovered = entry.item->Load(&context.messages);
        } catch (const recovery::RecoveryError& error) {
          ReportUnusable(context, error);
          continue;
        }
        OpenDocument* document = context.documents.AddMeasurement(std::move(recovered.measurement));
        if (document == nullptr) continue;
        if (document->Doc().GetTitle().empty()) {
          document->Doc().SetTitle(recovered.title.empty()
                                       ? FromQString(TextOf(context.texts, ids::kStrUntitled))
                                       : recovered.title);
        }
        // Changed and untitled: the user saves it like any new document.
        document->UpdateAllViews(true);
        keeper.HoldRestored(*document, std::move(entry.item));
        ++restored;
      }
      break;
  }
  return restored;
}

}  // namespace vantrel::gui
