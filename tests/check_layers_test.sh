#!/usr/bin/env bash
# The layer check fails on each kind of fault it is there for, and passes a sound tree.
# Usage: check_layers_test.sh CHECK_LAYERS
set -uo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
status=0

# expect OUTCOME FILE LINE: writes one include line into a tree of otherwise sound files.
expect() {
    local outcome=$1 file=$2 line=$3
    rm -rf "${tree:?}"/*
    mkdir -p "$tree"/{platform/screen,base,report,viewer,core,toolkit,sheets,app}
    echo '#include "platform/paths.h"' > "$tree/base/sound.cpp"
    echo '#include "core/model.h"' > "$tree/sheets/sound.cpp"
    mkdir -p "$(dirname "$tree/$file")"
    echo "$line" >> "$tree/$file"
    if "$check" "$tree" >/dev/null 2>&1; then got=pass; else got=fail; fi
    if [ "$got" != "$outcome" ]; then
        echo "expected $outcome, got $got: $file: $line"
        status=1
    fi
}

expect pass core/a.cpp '#include "report/text_writer.h"'
expect pass viewer/a.cpp '#include <cairo.h>'
expect pass toolkit/a.cpp '#include <cairo.h>'
expect pass platform/screen/window.cpp '#include <SDL.h>'
expect pass sheets/a.cpp '#include "platform/screen/screen.h"'
expect fail core/a.cpp '#include "toolkit/scroll_area.h"'
expect fail report/a.cpp '#include "platform/screen/texts.h"'
expect fail platform/a.cpp '#include "platform/screen/backend.h"'
expect fail base/a.cpp '#include <cairo.h>'
expect fail platform/a.cpp '#include <SDL2/SDL.h>'
expect fail platform/screen/events.cpp '#include <SDL.h>'
expect fail toolkit/a.cpp '#include "sheets/loads_page.h"'
expect fail base/a.cpp '#include "core/model.h"'
exit $status
