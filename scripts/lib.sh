# Sourced by the scripts: what they share.

# install_missing PACKAGE...: installs the Debian packages that are not
# installed (as root: apt-get update, then apt-get install); as another
# user, prints the sudo line and fails.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update >&2
  apt-get install -y --no-install-recommends "${missing[@]}" >&2
}

# enable_source_packages: makes Debian's source packages reachable (a
# deb-src entry for the archive the machine already uses); fails as
# another user when there is none.
enable_source_packages() {
  [[ -n "$(apt-cache showsrc lame 2>/dev/null)" ]] && return 0
  if [[ $(id -u) -ne 0 ]]; then
    echo "Add a deb-src entry for the Debian archive first" >&2
    return 1
  fi
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -e "$f" ]] && sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
  done
  if [[ -f /etc/apt/sources.list ]]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/tolvik-src.list || true
  fi
  apt-get update >&2
}

# source_version PACKAGE: the version of the archive's source package.
source_version() { apt-cache showsrc "$1" | awk '/^Version:/ && !v {v = $2} END {print v}'; }
