#!/usr/bin/env bash
# Runs the benchmarks of two builds of the tutor alternately, round by round, and notes the machine's
# load before each, so a change and its baseline are measured under the same conditions.
#   scripts/bench-side-by-side.sh BEFORE_BUILD AFTER_BUILD [ROUNDS]
# Each build folder needs its benchmarks (`cmake --build <build> --target benchmarks`). bench_window
# comes from AFTER_BUILD and drives both builds' KZ. Without a DISPLAY it runs itself under xvfb-run.
# Everything runs at display scale 1 unless KZ_BENCH_SCALE says otherwise (a factor, or "fit").
set -euo pipefail
if [ $# -lt 2 ]; then
    sed -n '2,6p' "$0"
    exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" "$0" "$@"
fi
before=$(realpath "$1")
after=$(realpath "$2")
rounds=${3:-3}
window="$after/bench/bench_window"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

load() { cut -d' ' -f1-3 /proc/loadavg; }

for round in $(seq 1 "$rounds"); do
    for build in "$before" "$after"; do
        echo "#### round $round: $build (load $(load))"
        scale=${KZ_BENCH_SCALE:-1}
        if [ "$scale" = fit ]; then unset QT_SCALE_FACTOR; else export QT_SCALE_FACTOR="$scale"; fi
        for bench in bench_startup bench_lessonmemory bench_typing bench_progress; do
            [ -x "$build/bench/$bench" ] || continue
            echo "== $bench (load $(load))"
            QT_QPA_PLATFORM=xcb "$build/bench/$bench"
        done
        if [ -x "$window" ]; then
            for mode in startup memory keys; do
                echo "== bench_window $mode (load $(load))"
                "$window" "$mode" --kz "$build/KZ" --rounds 1 --scale "${KZ_BENCH_SCALE:-1}"
            done
        fi
    done
done
