#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once in a normal build
# and once with the address and undefined-behaviour sanitizers. The printing
# tests print to a real PDF printer of the printing system set up here.
# Last, the fuzz targets and the programs are built with clang, and each fuzz
# target runs for a short while (TOLVAN_FUZZ_SECONDS, default 20;
# TOLVAN_SKIP_FUZZ=1 skips them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
started=$($sudo scripts/printer.sh)
# Only the service this script started is stopped, by its process id.
stop_printing() { [[ "$started" == "started "* ]] && $sudo kill "${started#started }" 2>/dev/null || true; }
trap stop_printing EXIT

# Every C++ file of the tree is in the house format.
find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

export QT_QPA_PLATFORM=offscreen
scripts/build.sh build
(cd build && ctest --output-on-failure --timeout 300 -j2)
# The benchmarks run briefly, so that they keep working; they measure, they do not judge.
# bench_startup runs in full and prints the start-up against a bare Qt window.
for bench in build/bench/bench_*; do
  [[ -f "$bench" && -x "$bench" ]] || continue
  case "$bench" in
    */bench_hubwindow) ;; # the bare window, which bench_startup starts
    */bench_startup) "$bench" || echo "$bench gave no figures" >&2 ;;
    *) "$bench" --benchmark_min_time=0.05 >/dev/null ;;
  esac
done
# The Debian package, with its runtime dependencies read from the programs.
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/tolvan_*.deb)
[[ "$(dpkg-deb --field "$deb" Depends)" == *libqt6widgets6* ]] || { echo "$deb declares no Qt dependency" >&2; exit 1; }
control=$(dpkg-deb --field "$deb")
if grep -qi "localhost" <<<"$control"; then echo "$deb names a placeholder address" >&2; exit 1; fi
contents=$(dpkg-deb --contents "$deb")
for program in tolvan tolvan-cli; do
  grep -q "\./usr/bin/$program$" <<<"$contents" || { echo "$deb lacks $program" >&2; exit 1; }
  grep -q "man1/$program.1" <<<"$contents" || { echo "$deb lacks the man page of $program" >&2; exit 1; }
done
echo "package: $deb"

if [[ "${TOLVAN_SKIP_SANITIZERS:-}" != "1" ]]; then
  BUILD_TYPE=Debug scripts/build.sh build-sanitize -DTOLVAN_SANITIZE=ON -DTOLVAN_BUILD_BENCH=OFF
  # Qt's own libraries are not instrumented; leak reports from them are noise.
  export ASAN_OPTIONS=detect_leaks=0
  (cd build-sanitize && ctest --output-on-failure --timeout 600 -j2)
fi

if [[ "${TOLVAN_SKIP_FUZZ:-}" != "1" ]]; then
  CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOLVAN_BUILD_FUZZ=ON -DTOLVAN_BUILD_TESTS=OFF -DTOLVAN_BUILD_BENCH=OFF >/dev/null
  # The programs too, so that the whole tree keeps building with clang.
  cmake --build build-fuzz --target fuzz_numbers fuzz_systemfile fuzz_driverlibrary fuzz_analysisinput tolvan tolvan-cli
  corpus=$(mktemp -d)
  trap 'rm -rf "$corpus"; stop_printing' EXIT
  for target in fuzz_numbers fuzz_systemfile fuzz_driverlibrary fuzz_analysisinput; do
    mkdir -p "$corpus/$target"
    echo "Fuzzing $target for ${TOLVAN_FUZZ_SECONDS:-20} s"
    seeds=tests/data/reference_system.TLV
    [[ $target == fuzz_driverlibrary ]] && seeds=tests/data/drivers.json,tests/data/drivers.csv
    [[ $target == fuzz_analysisinput ]] && seeds=tests/data/analysis_input.json
    if ! build-fuzz/fuzz/$target -max_total_time="${TOLVAN_FUZZ_SECONDS:-20}" -print_final_stats=1 \
         -seed_inputs="$seeds" "$corpus/$target" >"$corpus/$target.log" 2>&1; then
      tail -n 60 "$corpus/$target.log"
      exit 1
    fi
    grep -E "DONE|number_of_executed_units" "$corpus/$target.log"
  done
fi
