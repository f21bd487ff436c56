#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says. The style is that
# of clang-format 14 (Debian 12's, which the test command runs on); others lay out a few
# constructs otherwise (a pointer to member, a continued for), so there the check says so and
# is skipped (77).
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(clang-format --version | grep -o 'version [0-9]*' | cut -d' ' -f2)
if [ "$version" != 14 ]; then
    echo "the format is checked with clang-format 14; this is clang-format $version: skipped"
    exit 77
fi
git ls-files -co --exclude-standard -- '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror
