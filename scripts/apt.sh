# Package installation that survives a mirror caught mid-sync. Sourced; runs as root.

# The release's code name, from which its suites are named; empty if unknown.
apt_codename() { (. /etc/os-release && echo "${VERSION_CODENAME:-}"); }

# A mirror being synced can serve an index that does not match its signed
# release file. apt keeps every index it did fetch, so after a few tries the
# install goes on with what there is, and says so.
apt_refresh() {
  local try log
  log=$(mktemp)
  for try in 1 2 3; do
    if apt-get update -qq >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
    [ "$try" -lt 3 ] && sleep $((try * 10))
  done
  echo "setup: some package indexes could not be fetched; going on with the rest:" >&2
  grep '^E:' "$log" | head -3 >&2
  rm -f "$log"
}

# Installs the packages. Where one architecture's index of the security suite
# is missing, the two architectures' candidates differ in version and apt
# cannot pair their libraries; the release's own suite has both at one version.
apt_install() {
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq --no-install-recommends "$@" >/dev/null 2>&1 && return 0
  local codename
  codename=$(apt_codename)
  [ -n "$codename" ] || return 1
  echo "setup: installing from the $codename suite, whose indexes agree across architectures;" \
       "run apt-get upgrade once the mirror has caught up" >&2
  apt-get install -y -qq --no-install-recommends -t "$codename" "$@" >/dev/null
}
