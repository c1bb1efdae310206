# Shared by tools/start-radio and tools/run-tests: install what is missing, configure, build.
# Source it; it defines functions only.

ORVALTIC_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

orvaltic_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool openbox x11-utils fonts-dejavu-core fonts-liberation2 locales tzdata
  dbus-daemon dbus-bin librsvg2-bin appstream dpkg-dev
  libliquid-dev librtlsdr-dev libsoapysdr-dev pulseaudio pulseaudio-utils
)

orvaltic_install_missing() {
  local missing=() p
  for p in "${orvaltic_packages[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if ((${#missing[@]} == 0)); then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# orvaltic_build BUILD_DIR BUILD_TYPE [extra cmake arguments...]
orvaltic_build() {
  local dir="$1" type="$2"
  shift 2
  cmake -S "$ORVALTIC_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
  cmake --build "$dir" -j "$(nproc)"
}
