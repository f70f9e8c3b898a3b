#!/usr/bin/env bash
# Builds the Debian package of the program (build-package/yunshan_<version>_<arch>.deb).
# Install it with: apt install ./build-package/yunshan_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DYUNSHAN_TESTS=OFF -DYUNSHAN_BENCH=OFF
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB)
ls build-package/*.deb
