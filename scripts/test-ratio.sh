#!/bin/sh
# Test code against product code, in non-blank lines (comments included).
# Test: tests/ and the fuzz harnesses; product: src/, gui/, driver/.
# Counted files end in .cpp .h .py .sh .scn .cmake or are named CMakeLists.txt.
# Usage: scripts/test-ratio.sh [-v]   (-v lists the count of each file)
cd "$(dirname "$0")/.." || exit 1

# count DIR...: non-blank lines of the counted files under DIR..., one "N path" per file.
count() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.py' -o -name '*.sh' \
    -o -name '*.scn' -o -name '*.cmake' -o -name CMakeLists.txt \) -print | sort |
    while read -r f; do printf '%s %s\n' "$(grep -c '[^[:space:]]' "$f")" "$f"; done
}

test_files=$(count tests fuzz/*.cpp fuzz/*.h)
product_files=$(count src gui driver)
if [ "$1" = -v ]; then printf '%s\n' "$test_files" "$product_files"; fi
test_lines=$(printf '%s\n' "$test_files" | awk '{s += $1} END {print s + 0}')
product_lines=$(printf '%s\n' "$product_files" | awk '{s += $1} END {print s + 0}')
echo "test lines:    $test_lines"
echo "product lines: $product_lines"
awk -v t="$test_lines" -v p="$product_lines" 'BEGIN {printf "ratio:         %.1f %%\n", 100 * t / p}'
