#!/usr/bin/env bash
# Sets up the machine, builds Menvori and runs the whole test suite twice:
# first in a build under AddressSanitizer and UndefinedBehaviorSanitizer
# (with clang, which also runs the answer fuzzer for a minute), then in the
# release build the program ships as, after checking what it installs and the
# Debian package made from it. Fails when any test fails or when no
# test ran; ctest's summary of the release build comes last.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh

echo "== Sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer) =="
cmake -S . -B build-sanitize -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMENVORI_SANITIZE=ON -DMENVORI_FUZZ=ON
cmake --build build-sanitize --parallel
(cd build-sanitize && ctest --output-on-failure --no-tests=error --timeout 900)

echo "== Install tree, desktop entry, metainfo and Debian package =="
bash scripts/package-check.sh build

echo "== Release build =="
cd build
ctest --output-on-failure --no-tests=error --timeout 900
