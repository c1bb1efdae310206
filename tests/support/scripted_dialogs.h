#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/dialogs.h"

namespace orvaltic::testing {

// Dialogs that answer only what a test scripted. Every dialog shown is recorded; a dialog the
// test did not expect (none scripted, or the next script is for another kind of dialog) fails
// the test and is answered as cancelled.
class ScriptedDialogs : public Dialogs {
 public:
  struct Box {
    std::string text;
    MessageKind kind;
    MessageButtons buttons;
    int help_context;
    friend bool operator==(const Box&, const Box&) = default;
  };

  enum class What { kMessage, kInput, kOpen, kSave, kFont, kColor };

  struct Script {
    What what = What::kMessage;
    MessageResult message_result = MessageResult::kOk;
    std::optional<std::string> text;  // input query, file dialogs
    std::optional<FontSpec> font;
    std::vector<FontSpec> font_applies;  // fonts "applied" before the answer
    std::optional<Color> color;
    std::function<void()> while_open;  // runs while the dialog is "open" (e.g. advance time)
  };

  ScriptedDialogs& AnswerMessage(MessageResult result, std::function<void()> while_open = {});
  ScriptedDialogs& AnswerInput(std::optional<std::string> text,
                               std::function<void()> while_open = {});
  ScriptedDialogs& AnswerOpen(std::optional<std::string> file_name);
  ScriptedDialogs& AnswerSave(std::optional<std::string> file_name);
  ScriptedDialogs& AnswerFont(std::optional<FontSpec> font, std::vector<FontSpec> applies = {});
  ScriptedDialogs& AnswerColor(std::optional<Color> color);

  bool AllAnswered() const { return scripts_.empty(); }

  MessageResult MessageBox(const std::string& text, MessageKind kind, MessageButtons buttons,
                           int help_context = 0) override;
  void Beep() override { ++beeps; }
  std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& text) override;
  std::optional<std::string> OpenFileName(const FileDialogOptions& options) override;
  std::optional<std::string> SaveFileName(const FileDialogOptions& options) override;
  std::optional<FontSpec> ChooseFont(const FontSpec& initial,
                                     const std::function<void(const FontSpec&)>& on_apply) override;
  std::optional<Color> ChooseColor(Color initial) override;

  // What was shown, in order.
  std::vector<Box> boxes;
  int beeps = 0;
  struct Query {
    std::string caption, prompt, text;
  };
  std::vector<Query> queries;
  std::vector<FileDialogOptions> open_dialogs;
  std::vector<FileDialogOptions> save_dialogs;
  std::vector<FontSpec> font_dialogs;  // the initial font of each font dialog
  std::vector<Color> color_dialogs;    // the initial colour of each colour dialog

 private:
  std::optional<Script> Take(What what, const std::string& description);
  std::deque<Script> scripts_;
};

}  // namespace orvaltic::testing
