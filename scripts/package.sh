#!/usr/bin/env bash
# Packages a built Windows build: scripts/package.sh WINDOWS_BUILD_DIR OUT_DIR
# Writes into OUT_DIR Zorvex-VERSION-win64-setup.exe (the installer),
# Zorvex-VERSION-win64.zip (the same files, to run from any folder) and one
# PROGRAM.exe.debug per program: its debug information, which the stripped
# program names by debug link. The shipped programs, the version and the
# publisher come from the build's release/manifest.txt (cmake/Release.cmake).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"

build=${1:?usage: package.sh WINDOWS_BUILD_DIR OUT_DIR}
out=${2:?usage: package.sh WINDOWS_BUILD_DIR OUT_DIR}
manifest=$build/release/manifest.txt
[ -f "$manifest" ] || { echo "package: $manifest is missing: build the Windows build first" >&2; exit 1; }

version='' version4='' publisher='' copyright='' icon=''
programs=()
while read -r key value; do
  case "$key" in
  version) version=$value ;;
  version4) version4=$value ;;
  publisher) publisher=$value ;;
  copyright) copyright=$value ;;
  icon) icon=$value ;;
  program) programs+=("$value") ;;
  esac
done <"$manifest"

name=Zorvex-$version-win64
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d "$out/.package.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage=$work/$name
mkdir -p "$stage"

objcopy=x86_64-w64-mingw32-objcopy
for exe in "${programs[@]}"; do
  [ -f "$exe" ] || { echo "package: $exe is missing: build the Windows build first" >&2; exit 1; }
  program=$(basename "$exe")
  "$objcopy" --only-keep-debug "$exe" "$out/$program.debug"
  chmod 644 "$out/$program.debug"
  "$objcopy" --strip-all --add-gnu-debuglink="$out/$program.debug" "$exe" "$stage/$program"
done
# Texts with Windows line ends, for any text editor there.
sed 's/\r*$/\r/' "$ZORVEX_ROOT/README.md" >"$stage/README.txt"
sed 's/\r*$/\r/' "$ZORVEX_ROOT/LICENSE.txt" >"$stage/LICENSE.txt"

# The zip holds one folder named like itself.
rm -f "$out/$name.zip"
(cd "$work" && zip -q -X -9 -r "$out/$name.zip" "$name")

# The picture beside the installer's welcome and finish pages: the
# program's icon, at its largest size, on a blue gradient.
welcome=$work/welcome.bmp
convert -size 164x314 gradient:'#dce9f7-#5b8fc7' \( "$icon" -delete 0--2 -filter Lanczos -resize 96x96 \) \
  -gravity north -geometry +0+48 -composite -type TrueColor "BMP3:$welcome"

# What the installer installs and removes again.
files=$work/files.nsh
{
  echo '!macro InstallShippedFiles'
  for file in "$stage"/*; do echo "  File \"$file\""; done
  echo '!macroend'
  echo '!macro DeleteShippedFiles'
  for file in "$stage"/*; do echo "  Delete \"\$INSTDIR\\$(basename "$file")\""; done
  echo '!macroend'
  echo '!macro ForEachShippedProgram MACRO'
  for exe in "${programs[@]}"; do echo "  !insertmacro \${MACRO} \"$(basename "$exe")\""; done
  echo '!macroend'
} >"$files"
makensis -V2 -NOCD -INPUTCHARSET UTF8 \
  "-DVERSION=$version" "-DVERSION4=$version4" "-DPUBLISHER=$publisher" "-DCOPYRIGHT=$copyright" \
  "-DICON=$icon" "-DWELCOME_BITMAP=$welcome" "-DLICENSE=$stage/LICENSE.txt" "-DFILES=$files" "-DOUTFILE=$out/$name-setup.exe" \
  "$here/installer/Zorvex.nsi" >"$work/makensis.log" 2>&1 || {
  cat "$work/makensis.log" >&2
  exit 1
}
