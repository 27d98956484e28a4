#!/usr/bin/env bash
# Z-Tarn's one entry for building, running and testing.
#   ./make.sh run     install what is missing, build, start the game
#   ./make.sh test    install what is missing, build with sanitizers, run every test
#   ./make.sh bench   build optimised and run the benchmarks (extra arguments go to the runner)
#   ./make.sh fuzz [seconds]   build the scene-loader fuzzer with clang and run it
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev
          libgmock-dev libbenchmark-dev fonts-dejavu-core xvfb xauth)
JOBS=$(nproc 2>/dev/null || echo 2)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {  # dir, then cmake arguments
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

cmd=${1:-}
[ $# -gt 0 ] && shift
case "$cmd" in
  run)
    install_missing
    configure_and_build build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZTARN_TESTS=OFF -DZTARN_BENCH=OFF
    exec ./build/release/app/ztarn "$@"
    ;;
  test)
    install_missing
    configure_and_build build/asan -DCMAKE_BUILD_TYPE=Debug -DZTARN_SANITIZE=ON
    ctest --test-dir build/asan --output-on-failure -j "$JOBS" "$@"
    ;;
  bench)
    install_missing
    configure_and_build build/release-bench -DCMAKE_BUILD_TYPE=Release -DZTARN_TESTS=OFF
    ./build/release-bench/bench/ztarn_bench "$@"
    ;;
  fuzz)
    install_missing clang libclang-rt-14-dev
    CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZTARN_FUZZ=ON \
      -DZTARN_TESTS=OFF -DZTARN_BENCH=OFF >/dev/null
    cmake --build build/fuzz -j "$JOBS" --target fuzz_xloader
    mkdir -p build/fuzz/corpus
    ./build/fuzz/fuzz/fuzz_xloader -max_total_time="${1:-60}" build/fuzz/corpus fuzz/corpus
    ;;
  *)
    echo "usage: ./make.sh run | test | bench | fuzz [seconds]" >&2
    exit 2
    ;;
esac
