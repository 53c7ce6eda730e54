# Sourced by the set-up, test, fuzz and benchmark scripts:
#   install_missing PACKAGE...
# installs, with apt-get (through sudo when not root), the Debian packages of the list
# that are not installed yet; nothing when all are there.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}
