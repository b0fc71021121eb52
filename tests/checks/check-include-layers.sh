#!/usr/bin/env bash
# Fails when a launcher source includes a header from a layer above its own.
# Bottom up: base/ (handle owners, path buffers); framework/; then channel/,
# i18n/ and ui/ (ui/ takes texts and fonts from i18n/, and reads
# res/resource.h); then app/ on top of them all.
# Usage: check-include-layers.sh SOURCE_ROOT
set -u
root=${1:?usage: check-include-layers.sh SOURCE_ROOT}

# The folders a file in folder $1 may include from.
allowed_below() {
  case $1 in
    base) echo "base" ;;
    framework) echo "base framework" ;;
    channel) echo "base framework channel" ;;
    i18n) echo "base framework i18n" ;;
    ui) echo "base framework i18n ui res" ;;
    app) echo "base framework channel i18n ui app res" ;;
  esac
}

# The only ways up, each as "including-file included-header". The dialog
# reaches the application object's fonts and icon through g_pApp by design.
ALLOWED_UPWARD=(
  "ui/msg_dlg.cpp app/quarnel_app.h"
)

# The folder a quoted include names: its first path part, or for a bare file
# name the including file's own folder or else framework/ (on the include path).
target_folder() {
  local folder=$1 header=$2
  if [[ $header == */* ]]; then
    echo "${header%%/*}"
  elif [[ -e $root/$folder/$header ]]; then
    echo "$folder"
  elif [[ -e $root/framework/$header ]]; then
    echo framework
  else
    echo "?"
  fi
}

is_excepted() {
  local entry
  for entry in "${ALLOWED_UPWARD[@]}"; do
    [[ $entry == "$1 $2" ]] && return 0
  done
  return 1
}

failures=0
checked=0
for folder in base framework channel i18n ui app; do
  [[ -d $root/$folder ]] || continue
  allowed=" $(allowed_below "$folder") "
  while IFS= read -r file; do
    relative=${file#"$root"/}
    while IFS= read -r header; do
      checked=$((checked + 1))
      target=$(target_folder "$folder" "$header")
      [[ $allowed == *" $target "* ]] && continue
      is_excepted "$relative" "$header" && continue
      echo "FAIL: $relative includes \"$header\" ($folder/ may include only:$allowed)"
      failures=$((failures + 1))
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  done < <(find "$root/$folder" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
done

if ((failures > 0)); then
  echo "FAIL: $failures include(s) run the wrong way"
  exit 1
fi
echo "PASS: $checked includes, none runs the wrong way"
