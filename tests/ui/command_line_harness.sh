# Sourced by the command-line tests: a throw-away program folder holding a copy of the program and a fake
# terminal that records its arguments, and a check of the script a `+run` start leaves behind.
set -euo pipefail
program="$1"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin/Ferrowind" "$work/maps"
cp "$program" "$work/bin/ferrowind"
script="$work/bin/Ferrowind/Temp/Compile.bat"
cat > "$work/fake-terminal" <<TERMINAL
#!/bin/sh
printf '%s\n' "\$@" > "$work/terminal-arguments"
TERMINAL
chmod +x "$work/fake-terminal"

fail() { echo "FAIL: $*" >&2; exit 1; }

# configure <ini text>: the configuration the next start reads.
configure() { printf '%s' "$1" > "$work/bin/Ferrowind/Configurations.ini"; }

# compile_and_check <expected script, STAMP for the creation stamp> <arguments...>: starts the program,
# which must exit by itself, start the terminal with ferrowind-cmd and a private copy of Compile.bat, and write
# exactly the expected lines, each ended by CR LF.
compile_and_check() {
  local expected="$1"
  shift
  rm -f "$script" "$work/terminal-arguments"
  QT_QPA_PLATFORM=offscreen TERMINAL="$work/fake-terminal" timeout 10 "$work/bin/ferrowind" "$@" \
    || fail "ferrowind $* did not exit by itself with success (status $?)"
  [ -f "$script" ] || fail "$*: no Compile.bat"
  [ -f "$work/terminal-arguments" ] || fail "$*: the terminal was not started"
  local arguments
  mapfile -t arguments < "$work/terminal-arguments"
  [ "${#arguments[@]}" = 3 ] && [ "${arguments[0]}" = -e ] && [ "${arguments[1]}" = "$work/bin/ferrowind-cmd" ] \
    || fail "$*: terminal arguments ${arguments[*]}"
  case "${arguments[2]}" in
    "$work/bin/Ferrowind/Temp/Compile-"*.bat) ;;
    *) fail "$*: the console was not given a private copy: ${arguments[2]}" ;;
  esac
  cmp -s "${arguments[2]}" "$script" || fail "$*: the console's copy differs from Compile.bat"
  [ "$(tail -c 2 "$script" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$*: last line does not end in CR LF"
  [ "$(tr -d '\r' < "$script" | wc -l)" = "$(grep -c $'\r$' "$script")" ] || fail "$*: a line does not end in CR LF"
  local actual
  actual=$(tr -d '\r' < "$script" | sed -E 's/^echo File created: .+ at: [0-9]{1,2}[:.][0-9]{2}[:.][0-9]{2}.*$/STAMP/')
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") || fail "$*: Compile.bat differs from the expected script"
}
