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
