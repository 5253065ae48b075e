#!/usr/bin/env bash
# Fails when a C++ file of ours differs from what clang-format makes of it (.clang-format at the top
# of the tree), and names each such file. Third-party code is left as it comes.
# To reformat: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- 'app/*' 'ui/*' 'tests/*' 'tools/*' | grep -E '\.(cc|h)$')
else
  mapfile -t files < <(find app ui tests tools -name '*.cc' -o -name '*.h')
fi
unformatted=()
for file in "${files[@]}"; do
  [ -f "$file" ] || continue
  clang-format --style=file "$file" | cmp -s - "$file" || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "not formatted as .clang-format says (clang-format -i FILE mends it):"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "${#files[@]} files formatted"
