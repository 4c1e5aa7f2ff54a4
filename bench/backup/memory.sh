#!/usr/bin/env bash
# Peak memory (maximum resident set) and time of minasel-cli backup and restore
# of a company of N employees x 10 years (default 1000), against the sqlite3
# tool exporting and importing the same rows of the same database as CSV.
# Usage: bench/backup/memory.sh [BUILD_DIR] [N]
set -euo pipefail
build=${1:-build}
n=${2:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
MINASEL_BENCH_EMPLOYEES=$n "$build/bench/bench_backup" --make-data "$work/data" 2>&1 | tail -1
cli="$build/src/cli/minasel-cli"
measure() {   # label, command...
  local label=$1
  shift
  /usr/bin/time -f "$label: %e s wall, %U s user + %S s system, peak %M KiB" "$@" >/dev/null 2>"$work/time.txt" || { cat "$work/time.txt"; exit 1; }
  tail -1 "$work/time.txt"
}
measure "minasel-cli backup " "$cli" backup --data-dir "$work/data" --company 01 --dir "$work/set"
measure "minasel-cli restore" "$cli" restore --data-dir "$work/data" --company 01 --dir "$work/set"
ls -l "$work/set" | awk 'NR > 1 { s += $5 } END { printf "set: %.1f MiB\n", s / 1048576 }'
tables="COMPANY FUKAKYU JYUGYOIN MEISAI NENTYO SIKAKU SONOTA SONOTAKOJYO"
{
  echo ".mode csv"
  for t in $tables; do echo ".once '$work/$t.csv'"; echo "SELECT * FROM $t WHERE CID = '01';"; done
} >"$work/export.sql"
{
  echo "BEGIN;"
  for t in $tables; do echo "DELETE FROM $t WHERE CID = '01';"; echo ".import --csv '$work/$t.csv' $t"; done
  echo "COMMIT;"
} >"$work/import.sql"
measure "sqlite3 export     " sh -c "sqlite3 '$work/data/Kyuyo.db' <'$work/export.sql'"
measure "sqlite3 import     " sh -c "sqlite3 '$work/data/Kyuyo.db' <'$work/import.sql'"
