#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sets up the machine, builds Menvori and runs the whole test suite twice:
# first in a build under AddressSanitizer and UndefinedBehaviorSanitizer
# (with clang, which also runs the answer fuzzer for a minute), then in the
# release build the program ships as, after checking the licences of every
# file, what the build installs and the Debian package made from it. Fails
# when any test fails or when no test ran; ctest's summary of the release
# build comes last. Installs nothing but the packages of setup.sh, and
# changes nothing else on the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
bash scripts/build.sh -DBUILD_TESTING=ON -DMENVORI_TOOLS=ON -DMENVORI_BENCH=ON

echo "== Sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer) =="
cmake -S . -B build-sanitize -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMENVORI_SANITIZE=ON -DMENVORI_FUZZ=ON \
  -DMENVORI_TOOLS=OFF -DMENVORI_BENCH=OFF
cmake --build build-sanitize --parallel
(cd build-sanitize && ctest --output-on-failure --no-tests=error)

echo "== Licences of every file (REUSE) =="
reuse lint

echo "== Install tree, desktop entry, metainfo and Debian package =="
bash scripts/package-check.sh build

echo "== Release build =="
cd build
ctest --output-on-failure --no-tests=error
