# Sourced by run.sh and test.sh: installs the Debian packages that the build,
# the game and the tests need, once, when any of them is missing.
TAVLIN_PACKAGES=(
  cmake g++ make pkg-config
  libsdl2-dev libsdl2-ttf-dev libx11-dev fonts-dejavu-core
  libtinyxml-dev libagg-dev libboost-dev
  libgtest-dev libfreetype-dev clang-format
  xvfb xauth xdotool imagemagick openbox
)

tavlin_ensure_packages() {
  local missing=()
  local p
  for p in "${TAVLIN_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}
