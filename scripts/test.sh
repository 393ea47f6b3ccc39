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

# The Windows libraries (Qt above all) take long to build on a new
# machine: that goes on beside the Linux parts, which often wait on timers
# and encoders, and is waited for before the Windows build.
mkdir -p build
windows_deps_log=$PWD/build/windows-deps.log
windows_deps_pid=
if [[ "${TOLVIK_QUICK:-0}" != 1 ]]; then
  bash scripts/windows/deps.sh >"$windows_deps_log" 2>&1 &
  windows_deps_pid=$!
fi

scripts/build.sh
took "the build"

# A private X server for the tests that need a real one.
xvfb_log=$(mktemp)
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>"$xvfb_log")
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$xvfb_log"' EXIT
if ! read -r -t 10 display_number <&3; then
  echo "test.sh: Xvfb did not start:" >&2
  cat "$xvfb_log" >&2
  exit 1
fi
export DISPLAY=":$display_number"

ctest --test-dir build --output-on-failure -j2 "$@"
took "the suite"
[[ "${TOLVIK_QUICK:-0}" == 1 ]] && exit 0

# The fuzzer's output is long; all of it is shown when it finds something.
fuzz_log=build/fuzz.log
if bash fuzz/run.sh "${TOLVIK_FUZZ_SECONDS:-60}" >"$fuzz_log" 2>&1; then
  tail -n 3 "$fuzz_log"
else
  echo "test.sh: the fuzzer failed; its report:" >&2
  tail -n 200 "$fuzz_log" >&2
  exit 1
fi
took "the fuzzer"

if [[ ! -f build-asan/build.ninja ]]; then
  cmake -S . -B build-asan -G Ninja -DTOLVIK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
fi
cmake --build build-asan
took "the sanitized build"
# ThreadSanitizer's build goes on beside the sanitized suite, which mostly
# waits on encoders and timers, at the lowest priority.
tsan_log=$PWD/build/tsan-build.log
nice -n 19 bash scripts/tsan_conv.sh build >"$tsan_log" 2>&1 &
tsan_build_pid=$!
# A sanitizer's report fails the run: no second chance.
ctest --test-dir build-asan --output-on-failure -j2 "$@"
took "the sanitized suite"
if ! wait "$tsan_build_pid"; then
  echo "test.sh: the ThreadSanitizer build failed:" >&2
  tail -n 60 "$tsan_log" >&2
  exit 1
fi
bash scripts/tsan_conv.sh
took "conv's threads and the batch's under ThreadSanitizer"

# The Windows side, cross-built with mingw-w64 and run under Wine.
if ! wait "$windows_deps_pid"; then
  echo "test.sh: the Windows libraries could not be built:" >&2
  tail -n 80 "$windows_deps_log" >&2
  exit 1
fi
grep '^==' "$windows_deps_log" || true
took "waiting for the Windows libraries"
bash scripts/windows/build.sh
took "the Windows build"
bash tests/windows/conv_under_wine.sh build-win64
ctest --test-dir build-win64 --output-on-failure -j2 "$@"
bash tests/windows/program_under_wine.sh build-win64 build/tests/drag_source build/tests/skin_pixels
took "the Windows tests under Wine"
bash scripts/windows/package.sh
bash tests/windows/packages_under_wine.sh build-win64
took "the Windows packages, made and tried under Wine"
