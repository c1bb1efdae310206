#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/radio/port_system.h"

namespace orvaltic {

// A real root: real, effective and saved user id 0, not a set-user-ID root. It may have any port
// opened, and the files it reads are its own.
bool IsRealRoot(const PortSystem& system);

// Whether the settings files must wait until the privileges are gone: the process holds rights
// its real user does not (a set-user-ID or set-group-ID identity, or capabilities) and is not a
// real root.
bool MustDropPrivilegesBeforeReading(const PortSystem& system);

// Gives up for good any set-group-ID and set-user-ID identity (back to the real ids) and every
// capability, then checks that none is left. On failure, the line to show; the caller must not
// go on.
std::optional<std::string> DropPrivileges(std::string_view program, PortSystem& system);

}  // namespace orvaltic
