#!/usr/bin/env bash
# Builds Tolvik and runs every test under a private X server: the suite as
# built for use, a bounded run of the conv fuzzer, the whole suite again
# built with AddressSanitizer and UndefinedBehaviorSanitizer, conv's
# threaded path under ThreadSanitizer, and the Windows program and its
# suites (cross-built with mingw-w64) under Wine.
# Arguments go to ctest (e.g. -R conv). TOLVIK_QUICK=1 skips the fuzzer
# and the sanitized suite. Each part says how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."
part_started=$SECONDS
took() {
  echo "== $1 took $((SECONDS - part_started)) s"
  part_started=$SECONDS
}

scripts/deps.sh --test
took "installing packages"
scripts/build.sh
took "the build"

# A private X server for the tests that need a real one.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
read -r -t 10 display_number <&3
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
export DISPLAY=":$display_number"

ctest --test-dir build --output-on-failure -j2 "$@"
took "the suite"
[[ "${TOLVIK_QUICK:-0}" == 1 ]] && exit 0

bash fuzz/run.sh "${TOLVIK_FUZZ_SECONDS:-60}" 2>&1 | tail -n 3
took "the fuzzer"

if [[ ! -f build-asan/build.ninja ]]; then
  cmake -S . -B build-asan -G Ninja -DTOLVIK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
fi
cmake --build build-asan
took "the sanitized build"
# LeakSanitizer's tracer now and then crashes at a test's exit (seen once
# in test_batch, not reproducible): a failing suite gets a second run.
ctest --test-dir build-asan --output-on-failure -j2 --repeat until-pass:2 "$@"
took "the sanitized suite"
bash scripts/tsan_conv.sh
took "conv's threads under ThreadSanitizer"

# The Windows side, cross-built with mingw-w64 and run under Wine.
bash scripts/windows/build.sh
took "the Windows build"
bash tests/windows/conv_under_wine.sh build-win64
ctest --test-dir build-win64 --output-on-failure -j2 "$@"
bash tests/windows/program_under_wine.sh build-win64 build/tests/drag_source
took "the Windows tests under Wine"
bash scripts/windows/package.sh
bash tests/windows/packages_under_wine.sh build-win64
took "the Windows packages, made and tried under Wine"
