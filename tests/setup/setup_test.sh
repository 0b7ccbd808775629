#!/usr/bin/env bash
# scripts/setup on a machine that has nothing: it must fail as a user that is
# not root, and the packages it names must cover every compiler, tool,
# library, header, font and Python module that the builds, the scripts and
# the tests use, each mapped to its Debian package by dpkg on the real file
# of this machine. Then the bookworm-backports source that setup would add,
# read from made-up apt configurations of both formats.
#
#   tests/setup/setup_test.sh
#
# Runs on a machine where setup has run (the real files must be there to be
# mapped); it installs nothing and touches no apt configuration.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

# --- a bare machine: dpkg-query knows no package, and we are not root -------
mkdir -p "$work/bin"
cat >"$work/bin/dpkg-query" <<'EOF'
#!/bin/sh
# A machine with nothing installed.
for last; do :; done
echo "dpkg-query: no packages found matching $last" >&2
exit 1
EOF
chmod 755 "$work/bin/dpkg-query"
cp "$root/scripts/setup" "$work/setup"
chmod 755 "$work/setup"
as_user=()
if [ "$(id -u)" -eq 0 ]; then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups); fi
output=$(cd "$work" && env -i PATH="$work/bin:/usr/sbin:/usr/bin:/sbin:/bin" "${as_user[@]}" ./setup 2>&1)
status=$?
[ "$status" -ne 0 ] || fail "setup exited 0 on a machine with nothing installed: $output"
grep -q '^setup: run this script as root' <<<"$output" || fail "setup did not say to run it as root: $output"
named=$(sed -n 's/^setup: these Debian packages are missing: //p' <<<"$output")
[ -n "$named" ] || fail "setup named no missing package: $output"
read -r -a listed <<<"$named"
declare -A in_list=()
for package in "${listed[@]}"; do in_list[${package%%:*}]=1; done
echo "setup names ${#listed[@]} packages on a bare machine"

# --- what the builds use, and the package each comes from ------------------
# covered WHAT FILE: FILE's package must be among those setup named.
checked=0
covered() {
  local what=$1 file=$2 owner package
  if [ -z "$file" ] || [ ! -e "$file" ]; then
    fail "$what: not found on this machine (${file:-no file}); has setup run?"
    return
  fi
  owner=$(dpkg -S "$file" 2>/dev/null) || owner=$(dpkg -S "$(readlink -f "$file")" 2>/dev/null) || {
    fail "$what: no Debian package owns $file"
    return
  }
  # "package[:arch]: path", or "a, b: path" when several share a directory.
  owner=${owner%%: /*}
  for package in ${owner//,/ }; do
    if [ -n "${in_list[${package%%:*}]:-}" ]; then
      checked=$((checked + 1))
      return
    fi
  done
  fail "$what ($file) comes from $owner, which setup does not install"
}
program() { covered "the program $1" "$(command -v "$1" 2>/dev/null)"; }

# The compilers the toolchain files and the scripts name.
for name in $(sed -n 's/^set(CMAKE_[A-Z]*_COMPILER \([^ )]*\))$/\1/p' "$root"/cmake/*.cmake) \
  $(grep -ho -- '-DCMAKE_[A-Z]*_COMPILER=[^ ]*' "$root"/scripts/* | cut -d= -f2 | sort -u); do
  program "$name"
done
# The native compiler, the build tools, and what the scripts and tests run.
for name in g++ gcc cmake ctest ninja pkg-config \
  i686-w64-mingw32-objdump i686-w64-mingw32-strings i686-w64-mingw32-windres \
  wine wineboot wineserver chromium chromedriver shellcheck clang-format clang-tidy; do
  program "$name"
done
# Wine's 32-bit half, which runs the tests of the Windows build.
covered "Wine's 32-bit loader" /usr/lib/wine/wine
# The fuzzers' runtime.
covered "libFuzzer" "$(clang-14 -print-file-name=libclang_rt.fuzzer-x86_64.a 2>/dev/null)"

# Every library and header the CMake files find, from a fresh configure of
# the native build.
if cmake -S "$root" -B "$work/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$work/cmake.log" 2>&1; then
  cache="$work/cmake/CMakeCache.txt"
  for module in $(grep -rhoE 'pkg_check_modules\([A-Z0-9_]+ REQUIRED IMPORTED_TARGET [a-z0-9+_.-]+\)' \
    --include=CMakeLists.txt "$root" | sed 's/.* \([^ )]*\))$/\1/' | sort -u); do
    covered "pkg-config's $module" "$(pkg-config --path "$module" 2>/dev/null)"
  done
  for package in $(grep -rhoE 'find_package\([A-Za-z0-9_]+' --include=CMakeLists.txt "$root" | cut -d'(' -f2 | sort -u); do
    [ "$package" = PkgConfig ] && continue
    directory=$(sed -n "s/^${package}_DIR:PATH=//p" "$cache")
    config=$(find "$directory" -maxdepth 1 -iname "*config.cmake" 2>/dev/null | head -n 1)
    covered "CMake's package $package" "$config"
  done
  while read -r variable header; do
    directory=$(sed -n "s/^${variable}:PATH=//p" "$cache")
    covered "the header $header" "$directory/$header"
  done < <(grep -rhoE 'find_path\([A-Za-z0-9_]+ [^ )]+' --include=CMakeLists.txt "$root" | sed 's/^find_path(//')
  for source in $(grep -rhoE 'add_subdirectory\(/[^ )]+' --include=CMakeLists.txt "$root" | cut -d'(' -f2); do
    covered "the sources in $source" "$source/CMakeLists.txt"
  done
  covered "CMake's make program" "$(sed -n 's/^CMAKE_MAKE_PROGRAM:FILEPATH=//p' "$cache")"
else
  fail "the native build does not configure: $(tail -n 5 "$work/cmake.log")"
fi

# The fonts the renderer and the artwork ask cairo for, as fontconfig finds them.
while read -r face; do
  for style in regular bold; do
    file=$(fc-match -f '%{file}' "$face:$style" 2>/dev/null)
    family=$(fc-match -f '%{fullname}' "$face:$style" 2>/dev/null)
    case $family in "$face"*) covered "the font $face ($style)" "$file" ;;
    *) fail "the font $face ($style) is not on this machine: fontconfig gives $family" ;; esac
  done
done < <(grep -rhoE 'cairo_select_font_face\(cr, "[^"]+"' "$root/host" "$root/resources" | cut -d'"' -f2 | sort -u)

# The Python modules the browser tests import, in Debian's own Python.
python_modules=(selenium pytest)
for module in "${python_modules[@]}"; do
  covered "Python's $module" "$(/usr/bin/python3 -c "import $module; print($module.__file__)" 2>/dev/null)"
done
echo "setup's list covers the $checked things the builds use that were checked"

# --- the bookworm-backports source, from the machine's own Debian source ---
# backports_for NAME EXPECTED_STATUS: runs setup --backports-source over the
# apt configuration in $work/apt-NAME.
backports_for() {
  SETUP_APT_DIR="$work/apt-$1" "$root/scripts/setup" --backports-source 2>&1
}
mkdir -p "$work"/apt-{deb822,oneline,already,none,disabled}/sources.list.d
cat >"$work/apt-deb822/sources.list.d/debian.sources" <<'EOF'
Types: deb
# a snapshot, written down for the record
URIs: http://mirror.example/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://mirror.example/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
expected=$'Types: deb\nURIs: http://mirror.example/debian\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg'
got=$(backports_for deb822)
[ "$got" = "$expected" ] || fail "backports from a deb822 source: got
$got"

cat >"$work/apt-oneline/sources.list" <<'EOF'
# deb http://commented.example/debian bookworm main
deb-src http://source.example/debian bookworm main
deb [arch=amd64 signed-by=/etc/apt/keyrings/local.gpg] http://local.example/debian/ bookworm main non-free-firmware
deb http://local.example/debian-security bookworm-security main
EOF
expected=$'Types: deb\nURIs: http://local.example/debian/\nSuites: bookworm-backports\nComponents: main\nSigned-By: /etc/apt/keyrings/local.gpg'
got=$(backports_for oneline)
[ "$got" = "$expected" ] || fail "backports from a one-line source with signed-by: got
$got"

# One-line and deb822 sources that already carry bookworm-backports.
echo 'deb http://local.example/debian bookworm main' >"$work/apt-already/sources.list"
printf 'Types: deb\nURIs: http://local.example/debian\nSuites: bookworm-backports\nComponents: main\n' \
  >"$work/apt-already/sources.list.d/backports.sources"
got=$(backports_for already)
[ "$got" = "setup: this machine already has a bookworm-backports source" ] || fail "a machine with backports: got
$got"

# A disabled stanza neither counts as backports nor gives the mirror.
printf 'Types: deb\nURIs: http://off.example/debian\nSuites: bookworm bookworm-backports\nComponents: main\nEnabled: no\n\n' \
  >"$work/apt-disabled/sources.list.d/debian.sources"
printf 'Types: deb\nURIs: http://on.example/debian\nSuites: bookworm\nComponents: main\n' \
  >>"$work/apt-disabled/sources.list.d/debian.sources"
got=$(backports_for disabled)
grep -qx 'URIs: http://on.example/debian' <<<"$got" || fail "a disabled stanza was read: got
$got"
grep -qx 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' <<<"$got" ||
  fail "a source without a key of its own should take the archive keyring: got
$got"

echo 'deb http://other.example/ubuntu jammy main' >"$work/apt-none/sources.list"
if got=$(backports_for none); then fail "a machine without a Debian bookworm source gave a backports source: $got"; fi
grep -q "no apt source of this machine carries Debian bookworm's main component" <<<"$got" ||
  fail "a machine without a Debian bookworm source: got
$got"

if [ "$failures" -ne 0 ]; then
  echo "setup test: $failures failures"
  exit 1
fi
echo "setup test: passed"
