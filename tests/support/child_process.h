#pragma once

#include <functional>
#include <optional>
#include <string>

#include "support/temp_folder.h"

namespace orvaltic::testing {

// Exit code of a child that could not set up what the test needs (the test then skips).
inline constexpr int kSkipExit = 77;

// Runs `action` in a forked child and returns what it returned; nullopt when the child ended
// with kSkipExit. A child that dies otherwise fails the test.
std::optional<std::string> RunInChild(const std::function<std::string()>& action);

// Permission bits do not stop root, so as root `action` runs in a child that has become "nobody"
// and owns `folder`; otherwise it runs here. nullopt when the privileges could not be dropped.
std::optional<std::string> RunUnprivileged(const TempFolder& folder,
                                           const std::function<std::string()>& action);

}  // namespace orvaltic::testing
