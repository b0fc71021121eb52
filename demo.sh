#!/usr/bin/env bash
# Builds the launcher, and a release of it carrying the sample product's
# NSIS installer, and shows that release at work under Wine: a fresh machine
# installs, the installed launcher hands off, an older product is offered an
# update (accepted, then declined), Windows 6.0 gets the unsupported-Windows
# message in each of the eight languages, a product whose Zelvane.exe is gone
# is offered the repair (accepted: its installer brings Zelvane.exe back;
# declined: exit code 12), the product's uninstaller removes it before
# the download installs it again, and the update question shows in a
# high-contrast theme.
# Every step is checked; any wrong outcome ends the demo with exit code 1.
#
#   ./demo.sh                  run the demo (unattended)
#   ./demo.sh --refresh-docs   also copy the pictures the README shows to docs/
#
# Pictures and the contact sheet go to $BUILD/demo/.
set -euo pipefail
REFRESH_DOCS=0
case "${1:-}" in
  --refresh-docs) REFRESH_DOCS=1 ;;
  "") ;;
  *) echo "usage: $0 [--refresh-docs]" >&2; exit 2 ;;
esac

# shellcheck source=tools/setup/start.sh
source "$(dirname "$0")/tools/setup/start.sh"
DEMO=$BUILD/demo

# The user locales the unsupported-Windows message is shown in, in the
# launcher's language order (English ... Japanese).
DEMO_LOCALES=(en_US fr_FR de_DE it_IT es_ES pt_PT zh_CN ja_JP)

demo_fail() {
  printf '\n*** DEMO FAILED: %s ***\n' "$*" >&2
  exit 1
}

# Wine sees the host's root as drive Z:.
win_path() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }

run_driver() { wine "$BUILD/bin/standins/demo_driver.exe" "$@" </dev/null; }

# One picture of all pictures, captioned from captions.txt (file<TAB>caption).
make_contact_sheet() {
  local font args=() file caption
  font=$(fc-match -f '%{file}' 'WenQuanYi Micro Hei' 2>/dev/null || true)
  [ -f "$font" ] || font=DejaVu-Sans
  while IFS=$'\t' read -r file caption; do
    args+=(-label "$caption" "$DEMO/$file")
  done <"$DEMO/captions.txt"
  [ "${#args[@]}" -eq 36 ] || demo_fail "expected 12 pictures, captions.txt lists $(( ${#args[@]} / 3 ))"
  montage -font "$font" -pointsize 18 -background '#eeeeee' "${args[@]}" \
    -tile 3x -geometry +12+12 "$DEMO/contact-sheet.png"
}

# The README's pictures, small: a reduced contact sheet and five dialogs.
refresh_docs() {
  mkdir -p docs
  convert "$DEMO/contact-sheet.png" -resize 50% -strip -colors 128 PNG8:docs/contact-sheet.png
  local name
  for name in update-question-en unsupported-1-fr_FR unsupported-7-ja_JP repair-question-0 \
    update-question-high-contrast; do
    convert "$DEMO/$name.png" -strip -colors 128 "PNG8:docs/$name.png"
  done
  echo "    docs/contact-sheet.png and the README's dialog pictures refreshed"
}

quarnel_configure_and_build "$BUILD" "the launcher, the stand-ins and the demo driver" \
  Quarnel demo_driver desktop_keeper msgdlg_host

# The launcher shown: a release tree inside the build tree, configured as a
# release engineer would, its payload the sample's real installer.
SAMPLE_BUILD=$BUILD/sample-release
quarnel_configure_payload_and_build "$SAMPLE_BUILD" sample \
  "the release with the sample's NSIS installer" Quarnel
SAMPLE_LAUNCHER=$(win_path "$SAMPLE_BUILD/bin/Quarnel.exe")

quarnel_step "Starting Wine and a virtual display"
quarnel_wine_start "$BUILD"

rm -rf "$DEMO"
mkdir -p "$DEMO"
DEMO_WIN=$(win_path "$DEMO")

quarnel_step "The product's life, steps 1 to 4 (scratch machine: $DEMO/machine)"
quarnel_step_log "the transcript above and $DEMO/machine/standins.log, service.log"
# Pinned to English: the version lookups must not depend on the caller's locale.
LC_ALL=en_US.UTF-8 run_driver life --out "$DEMO_WIN" --launcher "$SAMPLE_LAUNCHER" || demo_fail "the product's life (see the WRONG lines above)"

quarnel_step "[5] Windows 6.0 reported: the unsupported-Windows message in each language"
quarnel_step_log "the transcript above"
for index in "${!DEMO_LOCALES[@]}"; do
  locale=${DEMO_LOCALES[$index]}.UTF-8
  # Wine fixes a program's user locale from the Unix environment it starts in.
  LC_ALL=$locale run_driver unsupported --out "$DEMO_WIN" --language "$index" \
    --locale "$locale" --label "5.$((index + 1))" --launcher "$SAMPLE_LAUNCHER" \
    || demo_fail "the unsupported-Windows message in $locale"
done

quarnel_step "[6] Zelvane.exe gone: the repair question, accepted (en_US) and declined (de_DE)"
quarnel_step_log "the transcript above"
for index in 0 2; do
  locale=${DEMO_LOCALES[$index]}.UTF-8
  answer=ok
  [ "$index" -eq 0 ] || answer=cancel
  LC_ALL=$locale run_driver app-missing --out "$DEMO_WIN" --language "$index" --answer "$answer" \
    --label "6.$((index / 2 + 1))" --launcher "$SAMPLE_LAUNCHER" || demo_fail "the repair question in $locale"
done

quarnel_step "[7] The product's uninstaller removes it; the download installs it again"
quarnel_step_log "the transcript above"
LC_ALL=en_US.UTF-8 run_driver reinstall --out "$DEMO_WIN" --launcher "$SAMPLE_LAUNCHER" \
  || demo_fail "the uninstall and the second install"
run_driver forget || demo_fail "could not remove the product's registry traces and folder"

quarnel_step "[8] High contrast: the update question in the theme's colours"
quarnel_step_log "the transcript above"
LC_ALL=en_US.UTF-8 run_driver high-contrast --out "$DEMO_WIN" --label 8 --launcher "$SAMPLE_LAUNCHER" \
  || demo_fail "the update question in high contrast"

quarnel_step "Contact sheet"
# The captures are stored uncompressed; squeeze them for keeping.
mogrify -strip "$DEMO"/*.png
make_contact_sheet
[ "$REFRESH_DOCS" -eq 1 ] && refresh_docs

printf '\nThe demo went as expected.\n'
printf '  pictures:      %s/*.png\n' "$DEMO"
printf '  contact sheet: %s/contact-sheet.png\n' "$DEMO"
printf '  logs:          %s/machine/standins.log, service.log\n' "$DEMO"
