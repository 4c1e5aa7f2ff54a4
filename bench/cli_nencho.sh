#!/bin/sh
# Times minasel-cli nencho --register on a company of 200 employees with the twelve
# statements of 2026 and a December bonus: the whole command, start to exit.
# usage: bench/cli_nencho.sh [path/to/minasel-cli] [runs]
CLI=${1:-build/src/cli/minasel-cli}
N=${2:-5}
DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT
"$CLI" demo --data-dir "$DIR" --companies 1 --employees 200 --months 12 --last-month 202612 > /dev/null || exit 1
i=0
total=0
while [ $i -lt "$N" ]; do
    start=$(date +%s%N)
    "$CLI" nencho --data-dir "$DIR" --company 51 --year 2026 --register > /dev/null 2>&1 || { echo "failed" >&2; exit 1; }
    end=$(date +%s%N)
    total=$((total + end - start))
    i=$((i + 1))
done
echo "nencho --register, 200 employees: $((total / N / 1000000)) ms per run ($N runs)"
