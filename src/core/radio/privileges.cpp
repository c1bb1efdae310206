#include "core/radio/privileges.h"

namespace orvaltic {

bool IsRealRoot(const PortSystem& system) {
  const IdTriple users = system.UserIds();
  return users.real == 0 && users.effective == 0 && users.saved == 0;
}

bool MustDropPrivilegesBeforeReading(const PortSystem& system) {
  if (IsRealRoot(system)) {
    return false;
  }
  const IdTriple users = system.UserIds();
  const IdTriple groups = system.GroupIds();
  return users.effective != users.real || users.saved != users.real ||
         groups.effective != groups.real || groups.saved != groups.real ||
         system.HoldsCapabilities();
}

std::optional<std::string> DropPrivileges(std::string_view program, PortSystem& system) {
  const std::string name(program);
  const std::string refusal = "; refusing to run with raised privileges";
  // Groups first: once the user id is back to normal, the group cannot be changed any more.
  const IdTriple groups = system.GroupIds();
  if (groups.effective != groups.real || groups.saved != groups.real) {
    if (const int error = system.SetGroupIds(groups.real); error != 0) {
      return name + ": cannot give up the set-group-ID identity: " + system.ErrorText(error) +
             refusal;
    }
  }
  const IdTriple users = system.UserIds();
  if (users.effective != users.real || users.saved != users.real) {
    if (const int error = system.SetUserIds(users.real); error != 0) {
      return name + ": cannot give up the set-user-ID identity: " + system.ErrorText(error) +
             refusal;
    }
  }
  if (const int error = system.ClearCapabilities(); error != 0) {
    return name + ": cannot give up capabilities: " + system.ErrorText(error) + refusal;
  }
  const IdTriple users_after = system.UserIds();
  const IdTriple groups_after = system.GroupIds();
  if (users_after.effective != users_after.real || users_after.saved != users_after.real ||
      groups_after.effective != groups_after.real || groups_after.saved != groups_after.real ||
      system.HoldsCapabilities()) {
    return name + ": privileges are still held after giving them up" + refusal;
  }
  return std::nullopt;
}

}  // namespace orvaltic
