#!/usr/bin/env bash
# Builds the Debian package build-package/veltrano_<version>_amd64.deb (Release, without tests and
# benchmarks) and checks it: lintian finds no error; unpacked into a temporary folder, read-only, the
# program starts offscreen on the sample archive for a user with a new home and makes that user's data
# folder; every command of packaging/commands.txt is in /usr/bin, answers --help and --version and has its
# man page, and nothing else is there; a tool reads the sample archive through the packaged reader; the
# launcher validates; every man page renders at 80 columns without a warning.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

started=$SECONDS
# Debian's hardening flags, without the debug information the package strips anyway. The man pages' and
# the changelog's dates follow the last commit.
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cflags=$(dpkg-buildflags --get CFLAGS | sed -E 's/(^| )-g( |$)/ /')
cxxflags=$(dpkg-buildflags --get CXXFLAGS | sed -E 's/(^| )-g( |$)/ /')
ldflags="$(dpkg-buildflags --get LDFLAGS) -Wl,-z,now"
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH

# Unix Makefiles, CMake's default generator, while the tests build with Ninja: CI builds with both.
cmake -S . -B build-package -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache \
  "-DCMAKE_C_FLAGS=$cppflags $cflags" "-DCMAKE_CXX_FLAGS=$cppflags $cxxflags" \
  "-DCMAKE_EXE_LINKER_FLAGS=$ldflags"
cmake --build build-package -j2
rm -f build-package/veltrano_*.deb
(cd build-package && cpack -G DEB)
debs=(build-package/veltrano_*_amd64.deb)
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
echo "Package: $deb ($(du -k "$deb" | cut -f1) KiB)"

fail() {
  echo "package.sh: $*" >&2
  exit 1
}

echo "== lintian"
lintian --fail-on error --display-level '>=info' "$deb" || fail "lintian reports errors"

work=$(mktemp -d)
cleanup() {
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
root=$work/root
dpkg-deb -x "$deb" "$root"
files=$root/usr/lib/veltrano
# Installed, the program's files belong to root and no user may write there. Root may write anywhere,
# so as root the checks run as nobody.
chmod -R a-w "$root"
home=$work/home
mkdir "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
run() {
  "${as_user[@]}" env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" "$@"
}

echo "== the unpacked program starts on the sample archive"
out=$(run QT_QPA_PLATFORM=offscreen VELTRANO_PROVA_AVVIO=1 timeout 120 "$root/usr/bin/veltrano") ||
  fail "the unpacked program did not start: $out"
echo "$out"
data=$home/.local/share/veltrano
[ -f "$data/DbVeltrano.mdb" ] || fail "no DbVeltrano.mdb in the user's data folder $data"
grep -qF "\"$files/Dbarcomax.mdb\"" "$data/PercorsoDatabase.txt" ||
  fail "PercorsoDatabase.txt does not name the packaged sample archive"
[[ "$out" == *"da $files/Dbarcomax.mdb;"* ]] || fail "the program did not load the packaged sample archive"
[ ! -e "$files/PercorsoDatabase.txt" ] || fail "the program wrote into its files folder"

echo "== the commands"
# packaging/commands.txt is the one list of the commands in /usr/bin: each must be there, answer --version
# and --help and have its man page; nothing else may be in /usr/bin.
mapfile -t commands < <(grep -v '^#' packaging/commands.txt | grep .)
[ ${#commands[@]} -gt 0 ] || fail "packaging/commands.txt lists no command"
for name in "${commands[@]}"; do
  command=$root/usr/bin/$name
  [ -x "$command" ] || fail "$name is not in /usr/bin"
  answer=$(run "$command" --version) || fail "$name --version failed"
  [ "$answer" = "$name (Veltrano) $version" ] || fail "$name --version says \"$answer\", the package is $version"
  help=$(run "$command" --help) || fail "$name --help failed"
  [[ "$help" == "Uso: $name "* ]] || fail "$name --help gives no usage"
  page=$root/usr/share/man/man1/$name.1.gz
  [ -f "$page" ] || fail "no man page for $name"
done
for command in "$root"/usr/bin/* "$root"/usr/share/man/man1/*.1.gz; do
  name=$(basename "$command" .1.gz)
  printf '%s\n' "${commands[@]}" | grep -qx -- "$name" || fail "$command is not in packaging/commands.txt"
done
run "$root/usr/bin/veltrano-analisi" --casi 1 "$files/Dbarcomax.mdb" >/dev/null ||
  fail "veltrano-analisi cannot read the sample archive through the packaged reader"

echo "== the launcher"
desktop-file-validate "$root/usr/share/applications/veltrano.desktop" || fail "the launcher does not validate"
grep -qx 'Exec="/usr/bin/veltrano"' "$root/usr/share/applications/veltrano.desktop" ||
  fail "the launcher does not start /usr/bin/veltrano"

echo "== the man pages"
# Rendered as a user reads them, at 80 columns: no warning, no line past the edge.
for page in "$root"/usr/share/man/man1/*.1.gz; do
  shown=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>"$work/warnings") ||
    fail "man cannot render $page"
  [ ! -s "$work/warnings" ] || fail "man warns about $page: $(cat "$work/warnings")"
  long=$(printf '%s\n' "$shown" | perl -CSD -ne 'chomp; if (length > 80) { print; exit }')
  [ -z "$long" ] || fail "$page has a line longer than 80 columns: $long"
done

echo "Built and checked $deb ($version) in $((SECONDS - started)) s"
