#!/bin/sh
# Times minasel-cli tax / koyo / nencho: average milliseconds per call.
# usage: bench/cli_tax.sh [path/to/minasel-cli] [calls]
CLI=${1:-build/src/cli/minasel-cli}
N=${2:-50}
JSON=$(mktemp --suffix=.json)
trap 'rm -f "$JSON"' EXIT
printf '{"kyuryo": 5400000, "KYURYOTAX": 120000, "syoyo": 1200000, "MAEHOKEN": 950000, "HAIGUKBN": 1, "HAIGUMONEY": 700000, "TOKUTEI": [800000], "U23": 1}' > "$JSON"
time_calls() {
    label=$1; shift
    start=$(date +%s%N)
    i=0
    while [ $i -lt "$N" ]; do
        "$CLI" "$@" > /dev/null || { echo "failed: $*" >&2; exit 1; }
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo "$label: $(( (end - start) / N / 1000 )) µs per call ($N calls)"
}
time_calls "tax monthly" tax monthly --month 202612 --pay 300000 --dependants 2
time_calls "tax bonus  " tax bonus --month 202612 --bonus 800000 --previous 320000 --dependants 1
time_calls "koyo       " koyo --rate 0.0055 --pay 312000
time_calls "nencho     " nencho --year 2026 --input "$JSON"
