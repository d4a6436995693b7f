// `recover --list` and `recover --out DIR`: what abnormally ended runs left in the recovery
// folder (recording journals and recovery copies whose lock nobody holds). --list prints one
// line per item: path, kind ("journal" or "copy"), name and sample count, tab-separated.
// --out saves each item as DIR/<default name>.vqb ("-2", "-3", ... on clashes), prints each
// path and deletes the item only after its file was written completely. An item that cannot
// be read is reported by its path and kept. Exit 0 when every item was listed or saved.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "CliDocument.h"
#include "CliFrame.h"
#include "RecoveryCli.h"
#include "platform/Strings.h"
#include "recovery/RecoveredItem.h"
#include "recovery/RecoveryFolder.h"

namespace vantrel::cli {

namespace {

const char* KindName(recovery::ItemKind kind) {
  return kind == recovery::ItemKind::kJournal ? "journal" : "copy";
}

/// The items nobody else holds, taken by this run.
std::vector<std::unique_ptr<recovery::RecoveredItem>> TakeItems(const CommandContext& context) {
  std::vector<std::unique_ptr<recovery::RecoveredItem>> taken;
  const recovery::RecoveryFolder folder(RecoveryFolderPath(context));
  for (const recovery::RecoveryItem& item : folder.AbandonedItems()) {
    if (auto claim = recovery::RecoveredItem::Take(item)) taken.push_back(std::move(claim));
  }
  return taken;
}

int List(const CommandContext& context) {
  bool allRead = true;
  for (const auto& item : TakeItems(context)) {
    try {
      const recovery::ItemSummary summary = item->Summarize();
      std::fprintf(context.out, "%s\t%s\t%s\t%lld\n", item->Item().path.string().c_str(),
                   KindName(item->Item().kind), platform::ToUtf8(summary.name).c_str(),
                   summary.samples);
    } catch (const recovery::RecoveryError& error) {
      PrintNotice(context, error.MessageId(), error.Path().string());
      allRead = false;
    }
  }
  std::fflush(context.out);
  return allRead ? kExitSuccess : kExitFailure;
}

int SaveAll(const CommandContext& context, const std::filesystem::path& dir) {
  bool allSaved = true;
  int position = 0;
  for (const auto& item : TakeItems(context)) {
    ++position;
    recovery::RecoveredDocument recovered;
    try {
      recovered = item->Load();
    } catch (const recovery::RecoveryError& error) {
      PrintNotice(context, error.MessageId(), error.Path().string());
      allSaved = false;
      continue;
    }
    auto doc = CliDocument::FromInstrument(std::move(recovered.measurement), context.texts);
    doc->Doc().SetImported(recovered.imported);
    if (doc->Doc().GetTitle().empty()) doc->Doc().SetTitle(recovered.title);
    std::filesystem::path path;
    try {
      path = ReserveDocumentName(doc->Doc().GetTitle(), position, dir, ".vqb");
      doc->SaveAs(path);
    } catch (const platform::VantrelError& error) {
      std::error_code ignored;
      if (!path.empty()) std::filesystem::remove(path, ignored);  // the empty placeholder
      PrintNotice(context, error.MessageId(), path.string());
      allSaved = false;
      continue;
    }
    std::fprintf(context.out, "%s\n", path.string().c_str());
    std::fflush(context.out);
    std::string removeError;
    if (!item->Remove(&removeError)) {
      std::fprintf(stderr, "vantrel-cli recover: %s\n", removeError.c_str());
      allSaved = false;
    }
  }
  return allSaved ? kExitSuccess : kExitFailure;
}

int RunRecover(CommandContext& context, const std::vector<std::string>& args) {
  const ParsedArgs parsed = ParseArgs(args, {"--list"}, {"--out"});
  if (!parsed.positional.empty()) throw UsageError("takes no positional arguments");
  const bool list = parsed.Has("--list");
  const auto out = parsed.Value("--out");
  if (list == out.has_value()) throw UsageError("needs either --list or --out DIR");
  if (list) return List(context);
  std::error_code error;
  if (!std::filesystem::is_directory(*out, error)) {
    throw UsageError("--out must name an existing folder: " + *out);
  }
  return SaveAll(context, *out);
}

}  // namespace

CommandSpec RecoverCommand() { return {"recover", "--list | --out DIR", RunRecover}; }

}  // namespace vantrel::cli
