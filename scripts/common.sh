# Shared by scripts/run and scripts/test: installs what a fresh Debian
# machine lacks, then configures and builds one build folder.
set -euo pipefail

QM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QM_PACKAGES=(cmake ninja-build clang libclang-rt-14-dev g++ libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins fonts-liberation fontconfig alsa-utils wordnet-base
  libcairo2-dev libfontconfig-dev pkg-config
  libhunspell-dev hunspell-en-us hunspell-en-gb hunspell-fr hunspell-de-de hunspell-es)
# Only the tests need these: the outside converter writes and reads Word
# files through LibreOffice, which a writer installs when wanted; the PDF
# tests read their text back with pdftotext; the desktop suite runs the
# program on a virtual X display with a window manager, types through
# xdotool, reads the clipboard with xclip and takes screenshots with import;
# the style check runs clang-format.
QM_TEST_PACKAGES=(libreoffice-writer-nogui poppler-utils xvfb openbox xdotool xclip imagemagick clang-format)

qm_install_packages() {
  local missing=()
  for pkg in "${QM_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# qm_build <folder> <clang|gcc> <cmake options...>
# Configuring again is cheap when nothing changed, and it keeps an existing
# folder's options in step with the script's.
qm_build() {
  local dir="$QM_ROOT/$1" cc cxx; shift
  case "$1" in
    gcc) cc=gcc cxx=g++ ;;
    *) cc=clang cxx=clang++ ;;
  esac
  shift
  CC=$cc CXX=$cxx cmake -S "$QM_ROOT" -B "$dir" -G Ninja "$@" > /dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}
