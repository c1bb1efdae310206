#include "core/platform/dispatcher.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/platform/errors.h"
#include "core/platform/posted_boxes.h"
#include "support/manual_timer_host.h"
#include "support/scripted_dialogs.h"

namespace orvaltic {
namespace {

using testing::ManualTimerHost;
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

TEST(EventDispatcherTest, ATicksErrorOpensAfterTheTickWhichGoesOnTickingMeanwhile) {
  ManualTimerHost host;
  ScriptedDialogs dialogs;
  EventDispatcher dispatcher(dialogs);
  const auto box_timer = host.CreateTimer("PostedBoxTimer");
  PostedBoxes boxes(*box_timer, dialogs);
  box_timer->SetOnTimer(dispatcher.Wrap([&] { boxes.ShowWaiting(); }));
  const auto timer = host.CreateTimer("Timer4");
  timer->SetInterval(100);
  int ticks = 0;
  timer->SetOnTimer(dispatcher.WrapTick(
      [&] {
        // The same fault on every tick, and another one once.
        throw ConvertError(++ticks == 3 ? "'b' is not a valid integer value"
                                        : "'a' is not a valid integer value");
      },
      boxes));
  // Opened inside the tick, the box would hold the timer still.
  int ticks_while_open = 0;
  dialogs
      .AnswerMessage(MessageResult::kOk,
                     [&] {
                       const int before = ticks;
                       host.Advance(1000);
                       ticks_while_open = ticks - before;
                     })
      .AnswerMessage(MessageResult::kOk);
  host.Advance(150);
  EXPECT_EQ(ticks_while_open, 10);
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.boxes[0].text, "'a' is not a valid integer value");
  EXPECT_EQ(dialogs.boxes[1].text, "'b' is not a valid integer value");
  EXPECT_FALSE(boxes.Waiting());
  EXPECT_FALSE(box_timer->Enabled());
}

}  // namespace
}  // namespace orvaltic
