// The recovery folder and notices of vantrel-cli; see RecoveryCli.h.
#include "RecoveryCli.h"

#include <cstdio>

#include "platform/Strings.h"
#include "recovery/RecoveryFolder.h"

namespace vantrel::cli {

std::filesystem::path RecoveryFolderPath(const CommandContext& context) {
  const std::u16string maker = context.product != nullptr ? context.product->manufacturerName : u"";
  const std::u16string program =
      context.product != nullptr ? context.product->applicationName : u"";
  return recovery::RecoveryFolder::DefaultPath(maker, program);
}

void PrintNotice(const CommandContext& context, int messageId, const std::string& argument) {
  std::u16string text = context.texts.Text(messageId);
  const std::u16string filled = platform::FromUtf8(argument);
  for (std::size_t at = text.find(u"%1"); at != std::u16string::npos;
       at = text.find(u"%1", at + filled.size())) {
    text.replace(at, 2, filled);
  }
  for (char16_t& c : text) {
    if (c == u'\n' || c == u'\r' || c == u'\t') c = u' ';
  }
  std::fprintf(stderr, "%d: %s\n", messageId, platform::ToUtf8(text).c_str());
  std::fflush(stderr);
}

}  // namespace vantrel::cli
