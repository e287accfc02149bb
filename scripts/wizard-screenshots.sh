#!/usr/bin/env bash
# Makes the pictures of docs/wizard.md anew: walks the wizards of the demo
# product (examples/demo) and of the demo bundle (examples/studio) under Wine
# on a virtual display, on a computer with VST, Pro Tools and Photoshop hosts,
# and keeps one picture of each page under docs/wizard/.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$SETUP_ROOT"
case ${1:-} in -h | --help) sed -n '2,5p' "$0" | sed 's/^# //'; exit 0 ;; esac

pictures=$SETUP_ROOT/docs/wizard
walks=$BUILD_ROOT/wizard-screenshots
rm -rf "$walks"
"$SETUP_ROOT/scripts/walk-wizard.sh" examples/demo "$walks/demo" --with-hosts
"$SETUP_ROOT/scripts/walk-wizard.sh" examples/studio "$walks/studio" --with-hosts

# keep WALK PAGE NAME: the walk's picture of PAGE as NAME.png
keep() {
  local found
  found=$(ls "$walks/$1"/[0-9][0-9]-"$2".png | head -n 1)
  [ -n "$found" ] || die "the $1 walk has no picture of $2"
  convert "$found" -strip "$pictures/$3.png"
}
rm -rf "$pictures"
mkdir -p "$pictures"
for page in Welcome License VstPlugins Dest Personalize Icon Copy Ready Uninstall-question Uninstall-result; do
  keep demo "$page" "$page"
done
for page in BundleItems DigiPlugins PhotoshopPlugin; do keep studio "$page" "$page"; done
keep studio Icon Icon-start-menu-only
keep studio Ready Ready-with-product
log "pictures in $pictures"
