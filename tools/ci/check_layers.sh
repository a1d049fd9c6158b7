#!/usr/bin/env bash
# The engine's folders form a stack: each may include only itself and the folders
# before it in LAYERS, and nothing under engine/ includes tools/. Prints every
# include that breaks the order and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/../.."

LAYERS=(base board movegen eval search book game records analysis front)

rank() {  # the position of a folder in LAYERS, or nothing
    local i
    for i in "${!LAYERS[@]}"; do
        if [ "${LAYERS[$i]}" = "$1" ]; then echo "$i"; fi
    done
}

bad=0
while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's/^[^"]*"([^"]+)".*/\1/' <<<"${line#*:}")
    folder=$(cut -d/ -f2 <<<"$file")
    wanted=${target%%/*}
    if [ "$wanted" = tools ] || [ -e "tools/$target" ]; then
        echo "$line: engine/ includes tools/"
        bad=1
        continue
    fi
    [ "$folder" = main.cpp ] && continue
    from=$(rank "$folder")
    to=$(rank "$wanted")
    if [ -z "$from" ]; then
        echo "$file: engine/$folder is not a known layer"
        bad=1
    elif [ -z "$to" ] || [ "$to" -gt "$from" ]; then
        echo "$line: $folder may not include $wanted"
        bad=1
    fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' engine --include='*.h' --include='*.cpp' | cut -d: -f1,3-)

if [ "$bad" -ne 0 ]; then
    echo "layer check failed (order: ${LAYERS[*]})"
    exit 1
fi
echo "layer check passed: ${LAYERS[*]}"
