#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (and AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a while, starting from its
# checked-in corpus; new findings are written to build-fuzz/.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]   (default 600, all)
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null ||
   ! compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-*.a' >/dev/null; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
fi
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(like settings connection)
out=build-fuzz
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fPIC -fsanitize=fuzzer,address,undefined
       -Isrc/store -Isrc/common -Isrc/search/core -Itests/support
       $(pkg-config --cflags Qt6Core Qt6Gui sqlcipher))
libs=($(pkg-config --libs Qt6Core Qt6Gui sqlcipher))
declare -A sources=(
  [like]="src/store/jet_like.cpp src/store/byte_search.cpp src/store/arabic_fold.cpp"
  [settings]="src/search/core/settings_file.cpp src/common/windows1256.cpp"
  [connection]="src/store/connection_string.cpp"
)
for target in "${targets[@]}"; do
  binary=$out/${target}_fuzz
  # shellcheck disable=SC2086
  clang++ "${flags[@]}" tests/fuzz/${target}_fuzz.cpp ${sources[$target]} "${libs[@]}" -o "$binary"
  mkdir -p "$out/corpus-$target"
  echo "== $target: $seconds s"
  "$binary" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/$target-" \
    "$out/corpus-$target" tests/fuzz/corpus/$target 2>&1 | grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|ERROR|crash-|Done' || true
done
