#!/usr/bin/env bash
# Fails when a folder includes a header of a folder that stands above it. The order is the one of
# the README's layer table: a folder may include its own headers and those of the folders before
# it. qvx-cli stands on the core alone; the program start on the window.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(errors text files search results subcorpus preview window)

rank_of() {
    local i
    for i in "${!layers[@]}"; do
        if [ "${layers[$i]}" = "$1" ]; then
            echo "$i"
            return
        fi
    done
    echo -1
}

# check FOLDER RANK: every quoted include "LAYER/..." in FOLDER must name a layer of at most RANK.
failed=0
check() {
    local folder="$1" rank="$2" file line target target_rank
    while IFS=: read -r file line target; do
        target_rank="$(rank_of "$target")"
        if [ "$target_rank" -gt "$rank" ]; then
            echo "check-layers: $file:$line includes $target/, which stands above $folder/" >&2
            failed=1
        fi
    done < <(grep -rnE --include='*.h' --include='*.cpp' '^#include "[a-z]+/' "$folder" |
        sed -E 's/^([^:]+):([0-9]+):#include "([a-z]+)\/.*/\1:\2:\3/')
}

for layer in "${layers[@]}"; do
    check "main/$layer" "$(rank_of "$layer")"
done
check cli "$(rank_of preview)"
check app "$(rank_of window)"

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "check-layers: every folder includes only the folders below it"
