#!/usr/bin/env bash
# Builds the benchmarks (Release) and prints every figure as one Markdown table.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGIPFELFLUSS_BENCH=ON -DGIPFELFLUSS_TESTS=ON >/dev/null
cmake --build "$build" --target bench_core bench_spreadsheet bench_report bench_click_to_result bench_startup_window bench_startup_minimal \
  gipfelfluss bench_command_line_minimal bench_section_list
export QT_QPA_PLATFORM=offscreen
out=$build/results
mkdir -p "$out"
for b in bench_core bench_click_to_result bench_spreadsheet bench_report; do
  "$build/bench/$b" --benchmark_out="$out/$b.json" --benchmark_out_format=json >/dev/null 2>"$out/$b.log"
done

echo "| benchmark | wall time | target |"
echo "|---|---|---|"
python3 bench/table.py "$out/bench_core.json" "$out/bench_click_to_result.json" "$out/bench_spreadsheet.json" "$out/bench_report.json"
# The start-up probe lives beside the program, where the launcher finds the window's module.
python3 bench/startup.py "$build/src/app/window/bench_startup_window" "$build/bench/bench_startup_minimal" 20
python3 bench/command_line.py "$build/src/app/window/gipfelfluss" "$build/bench/bench_command_line_minimal" 40
python3 bench/sections_process.py "$build/src/app/window/gipfelfluss" "$build/bench/bench_section_list" 9
