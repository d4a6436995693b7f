// Language texts for tests: every string reads "#<id>" unless a test sets its own text.
#pragma once

#include <map>
#include <string>

#include "platform/MessageService.h"
#include "platform/NumberFormat.h"
#include "platform/TextSource.h"

namespace vantrel::testing {

class FakeTexts final : public platform::TextSource {
 public:
  std::u16string Text(int id) const override {
    auto it = texts.find(id);
    return it != texts.end() ? it->second : platform::Widen("#" + std::to_string(id));
  }
  std::map<int, std::u16string> texts;
};

/// Answers every message with the next scripted answer (Cancel when none is left) and
/// remembers the IDs asked.
class ScriptedMessages final : public platform::MessageService {
 public:
  platform::Answer ShowMessage(int id, platform::Buttons, platform::Icon,
                               const std::u16string& argument = {}) override {
    asked.push_back(id);
    arguments.push_back(argument);
    if (next >= answers.size()) return platform::Answer::Cancel;
    return answers[next++];
  }
  std::vector<platform::Answer> answers;
  std::size_t next = 0;
  std::vector<int> asked;
  /// The text put into each message, in the order asked.
  std::vector<std::u16string> arguments;
};

}  // namespace vantrel::testing
