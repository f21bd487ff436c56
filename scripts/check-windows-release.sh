#!/usr/bin/env bash
# Checks on Linux what can be checked of the Windows release: the workflow that builds it passes
# the workflow schema, it runs every command of the README's "Building on Windows", and each
# executable's generated version resource names its own file.
# Usage: scripts/check-windows-release.sh BUILD_FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:?build folder}")
workflow=.github/workflows/windows.yml
status=0

# The schema check, by a pinned release of action-validator kept in the build folder.
tools="$build/workflow-tools"
validator="$tools/node_modules/.bin/action-validator"
if [ ! -x "$validator" ]; then
    npm install --prefix "$tools" --no-save --no-audit --no-fund --silent \
        @action-validator/cli@0.6.0 @action-validator/core@0.6.0 >/dev/null
fi
if ! "$validator" "$workflow" >/dev/null 2>&1; then
    echo "$workflow does not pass the workflow schema:"
    "$validator" "$workflow" || true
    status=1
fi

# Command prompt lines with their continuations (^) joined and their blanks folded.
commands() { sed -e ':a' -e '/\^$/{N;s/\^\n//;ba}' | sed -e 's/^ *//' -e 's/  */ /g'; }
run=$(commands <"$workflow")
# The README's commands stand in its code blocks, indented below the numbered steps.
while IFS= read -r command; do
    grep -qF -- "$command" <<<"$run" \
        || { echo "the README's Windows command is not run by $workflow: $command"; status=1; }
done < <(awk '/^## / { on = ($0 == "## Building on Windows") } on && /^       /' README.md | commands)

for program in corvalen corvalen-demo; do
    grep -qF "\"OriginalFilename\", \"$program.exe\\0\"" "$build/generated/$program.rc" \
        || { echo "the version resource of $program.exe does not name its own file"; status=1; }
done
exit $status
