#!/bin/sh
# Runs one fuzz target on its corpus folder, which the run grows:
#   fuzz/run.sh <target> <corpus folder> [libFuzzer options] [seed files or folders]
# Seed files, and the files in seed folders, are copied into the corpus first.
set -eu
target=$1
corpus=$2
shift 2
mkdir -p "$corpus"
options=""
for arg; do
  case $arg in
    -*) options="$options $arg" ;;
    *) if [ -d "$arg" ]; then find "$arg" -type f -exec cp {} "$corpus"/ \; ; else cp "$arg" "$corpus"/; fi ;;
  esac
done
# shellcheck disable=SC2086
exec "$target" -close_fd_mask=3 -print_final_stats=1 $options "$corpus"
