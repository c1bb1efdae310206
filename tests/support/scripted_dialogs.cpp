#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <utility>

namespace orvaltic::testing {

namespace {
const char* WhatName(ScriptedDialogs::What what) {
  switch (what) {
    case ScriptedDialogs::What::kMessage:
      return "message box";
    case ScriptedDialogs::What::kInput:
      return "input query";
    case ScriptedDialogs::What::kOpen:
      return "open dialog";
    case ScriptedDialogs::What::kSave:
      return "save dialog";
    case ScriptedDialogs::What::kFont:
      return "font dialog";
    case ScriptedDialogs::What::kColor:
      return "colour dialog";
  }
  return "dialog";
}
}  // namespace

ScriptedDialogs& ScriptedDialogs::AnswerMessage(MessageResult result,
                                                std::function<void()> while_open) {
  Script s;
  s.what = What::kMessage;
  s.message_result = result;
  s.while_open = std::move(while_open);
  scripts_.push_back(std::move(s));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerInput(std::optional<std::string> text,
                                              std::function<void()> while_open) {
  Script s;
  s.what = What::kInput;
  s.text = std::move(text);
  s.while_open = std::move(while_open);
  scripts_.push_back(std::move(s));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerOpen(std::optional<std::string> file_name) {
  Script s;
  s.what = What::kOpen;
  s.text = std::move(file_name);
  scripts_.push_back(std::move(s));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerSave(std::optional<std::string> file_name) {
  Script s;
  s.what = What::kSave;
  s.text = std::move(file_name);
  scripts_.push_back(std::move(s));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerFont(std::optional<FontSpec> font,
                                             std::vector<FontSpec> applies) {
  Script s;
  s.what = What::kFont;
  s.font = std::move(font);
  s.font_applies = std::move(applies);
  scripts_.push_back(std::move(s));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerColor(std::optional<Color> color) {
  Script s;
  s.what = What::kColor;
  s.color = color;
  scripts_.push_back(std::move(s));
  return *this;
}

std::optional<ScriptedDialogs::Script> ScriptedDialogs::Take(What what,
                                                             const std::string& description) {
  if (scripts_.empty()) {
    ADD_FAILURE() << "unexpected " << WhatName(what) << ": " << description;
    return std::nullopt;
  }
  if (scripts_.front().what != what) {
    ADD_FAILURE() << "expected a " << WhatName(scripts_.front().what) << " but got a "
                  << WhatName(what) << ": " << description;
    return std::nullopt;
  }
  Script s = std::move(scripts_.front());
  scripts_.pop_front();
  if (s.while_open) {
    s.while_open();
  }
  return s;
}

MessageResult ScriptedDialogs::MessageBox(const std::string& text, MessageKind kind,
                                          MessageButtons buttons, int help_context) {
  boxes.push_back({text, kind, buttons, help_context});
  auto s = Take(What::kMessage, text);
  if (!s) {
    return buttons == MessageButtons::kYesNoCancel ? MessageResult::kCancel : MessageResult::kOk;
  }
  return s->message_result;
}

std::optional<std::string> ScriptedDialogs::InputQuery(const std::string& caption,
                                                       const std::string& prompt,
                                                       const std::string& text) {
  queries.push_back({caption, prompt, text});
  auto s = Take(What::kInput, caption + ": " + prompt);
  return s ? s->text : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::OpenFileName(const FileDialogOptions& options) {
  open_dialogs.push_back(options);
  auto s = Take(What::kOpen, options.title);
  return s ? s->text : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::SaveFileName(const FileDialogOptions& options) {
  save_dialogs.push_back(options);
  auto s = Take(What::kSave, options.title);
  return s ? s->text : std::nullopt;
}

std::optional<FontSpec> ScriptedDialogs::ChooseFont(
    const FontSpec& initial, const std::function<void(const FontSpec&)>& on_apply) {
  font_dialogs.push_back(initial);
  auto s = Take(What::kFont, initial.name);
  if (!s) {
    return std::nullopt;
  }
  for (const auto& f : s->font_applies) {
    if (on_apply) {
      on_apply(f);
    }
  }
  return s->font;
}

std::optional<Color> ScriptedDialogs::ChooseColor(Color initial) {
  color_dialogs.push_back(initial);
  auto s = Take(What::kColor, std::to_string(initial));
  return s ? s->color : std::nullopt;
}

}  // namespace orvaltic::testing
