#!/usr/bin/env bash
# Checks that every C++ file is formatted as .clang-format says; lists the files that are not.
# Run `git ls-files '*.cpp' '*.h' | xargs clang-format -i` to format them.
set -euo pipefail
cd "$(dirname "$0")/.."
unformatted=()
while IFS= read -r file; do
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then unformatted+=("$file"); fi
done < <(git ls-files '*.cpp' '*.h')
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (clang-format -i FILE):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "All $(git ls-files '*.cpp' '*.h' | wc -l) C++ files are formatted."
