#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "core/platform/modal_forms.h"

namespace orvaltic::testing {

// Modal forms that open only where a test expects them. Every form shown is recorded; while it
// is "open" the script plays the user (and may advance time). A form shown without a script,
// or in place of another one, fails the test.
class ScriptedForms : public ModalForms {
 public:
  ScriptedForms& Expect(ModalForm form, std::function<void()> while_open = {}) {
    scripts_.push_back({form, std::move(while_open)});
    return *this;
  }
  bool AllShown() const { return scripts_.empty(); }

  void ShowModal(ModalForm form) override {
    shown.push_back(form);
    if (scripts_.empty() || scripts_.front().form != form) {
      ADD_FAILURE() << "unexpected modal form " << static_cast<int>(form);
      return;
    }
    const Script script = std::move(scripts_.front());
    scripts_.pop_front();
    if (script.while_open) {
      script.while_open();
    }
  }

  std::vector<ModalForm> shown;

 private:
  struct Script {
    ModalForm form;
    std::function<void()> while_open;
  };
  std::deque<Script> scripts_;
};

}  // namespace orvaltic::testing
