#include "core/platform/dispatcher.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/platform/errors.h"
#include "support/scripted_dialogs.h"

namespace orvaltic {
namespace {

using testing::ScriptedDialogs;

struct DispatchCase {
  const char* name;
  std::function<void()> raise;
  const char* message;
};

TEST(EventDispatcherTest, ErrorsEndTheHandlerAndShowOneErrorBox) {
  const std::vector<DispatchCase> cases = {
      {"convert", [] { throw ConvertError("'abc' is not a valid floating point value"); },
       "'abc' is not a valid floating point value"},
      {"in-out", [] { throw InOutError("Invalid numeric input", 106); }, "Invalid numeric input"},
      {"other", [] { throw std::runtime_error("unexpected"); }, "unexpected"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedDialogs dialogs;
    dialogs.AnswerMessage(MessageResult::kOk);
    EventDispatcher dispatcher(dialogs);
    std::vector<int> steps;
    dispatcher.Run([&] {
      steps.push_back(1);
      c.raise();
      steps.push_back(2);
    });
    EXPECT_EQ(steps, std::vector<int>{1});
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, c.message);
    EXPECT_EQ(dialogs.boxes[0].kind, MessageKind::kError);
    EXPECT_EQ(dialogs.boxes[0].buttons, MessageButtons::kOk);
    EXPECT_EQ(dialogs.beeps, 0);
  }
}

TEST(EventDispatcherTest, WrappedHandlerKeepsRunningAfterAnError) {
  ScriptedDialogs dialogs;
  dialogs.AnswerMessage(MessageResult::kOk);
  EventDispatcher dispatcher(dialogs);
  int calls = 0;
  auto handler = dispatcher.Wrap([&] {
    if (++calls == 1) {
      throw ConvertError("'x' is not a valid integer value");
    }
  });
  handler();
  handler();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_TRUE(dialogs.AllAnswered());
}

TEST(EventDispatcherTest, ViewsRefreshAfterEveryEventAlsoAFailedOne) {
  ScriptedDialogs dialogs;
  dialogs.AnswerMessage(MessageResult::kOk);
  EventDispatcher dispatcher(dialogs);
  int refreshes = 0;
  dispatcher.SetAfterEvent([&] { ++refreshes; });
  dispatcher.Run([] {});
  dispatcher.Run([] { throw ConvertError("'' is not a valid integer value"); });
  EXPECT_EQ(refreshes, 2);
}

}  // namespace
}  // namespace orvaltic
