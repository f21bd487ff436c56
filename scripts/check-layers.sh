#!/usr/bin/env bash
# Fails when a source file includes upward or sideways across the floors of src/, or when code
# outside src/platform/ uses something that only builds on Linux.
#   floor 0: sites/ and the generated release.h
#   floor 1: toolkit/   floor 2: forms/
#   floor 3: watcher/ criteria/ browse/ ads/ windows/, and platform_rules/ (the panes' rules
#            that need no engine)
#   floor 4: app/ and platform/
# A file may include its own folder and any lower floor, nothing else.
set -euo pipefail
cd "$(dirname "$0")/../src"
floor() {
    case "$1" in
    sites) echo 0 ;;
    toolkit) echo 1 ;;
    forms) echo 2 ;;
    watcher | criteria | browse | ads | windows | platform_rules) echo 3 ;;
    app | platform) echo 4 ;;
    *) echo 9 ;;
    esac
}
failed=0
while IFS= read -r file; do
    folder=${file%%/*}
    own=$(floor "$folder")
    while IFS= read -r included; do
        target=${included%%/*}
        [ "$target" = "$included" ] && continue # a file of its own folder, or a shared value
        [ "$target" = "$folder" ] && continue
        if [ "$(floor "$target")" -ge "$own" ]; then
            echo "$file includes $included: a floor may only include lower floors" >&2
            failed=1
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find . -mindepth 2 -name '*.cpp' -o -mindepth 2 -name '*.h' | sed 's#^\./##')

if grep -rnE '#include <(unistd|signal|dlfcn|pthread)\.h>|#include <sys/|/proc/' --include='*.cpp' \
    --include='*.h' . | grep -v '^\./platform/'; then
    echo "only src/platform/ may use what builds on Linux alone" >&2
    failed=1
fi
exit $failed
