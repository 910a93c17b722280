#!/usr/bin/env bash
# Simulate one design folder of tests/sim with Icarus Verilog.
#
#   tests/sim/run_sim.sh SFLC DIR
#
# Every .sfl file of DIR is translated with SFLC (plus the options of the
# optional one-line file DIR/args), compiled together with DIR/tb.v and run;
# then the same again with -O added.  The testbench reports its result on
# standard output: the run passes when a line reads exactly PASS and no line
# starts with FAIL.  sflc must translate the designs without any message,
# and its output must pass Icarus Verilog, Verilator and Yosys
# (tests/e2e/hdl_check.py).
set -euo pipefail

if (($# != 2)); then
  echo "usage: $0 SFLC DIR" >&2
  exit 2
fi
sflc=$(realpath "$1")
dir=$(realpath "$2")
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
name=$(basename "$dir")

extra=()
if [[ -f $dir/args ]]; then
  read -r -a extra <"$dir/args" || true
fi
shopt -s nullglob
sources=("$dir"/*.sfl)
if ((${#sources[@]} == 0)) || [[ ! -f $dir/tb.v ]]; then
  echo "$name: needs at least one .sfl file and tb.v" >&2
  exit 1
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/sflc-sim-XXXXXX")
trap 'rm -rf "$tmp"' EXIT

status=0
for variant in plain -O; do
  opts=("${extra[@]}")
  [[ $variant == -O ]] && opts+=(-O)
  out=$tmp/${variant#-}
  mkdir -p "$out"
  vfiles=()
  for src in "${sources[@]}"; do
    base=$(basename "$src" .sfl)
    if ! (cd "$out" && "$sflc" "${opts[@]}" -o "$base.v" "$src") >"$out/$base.log" 2>&1; then
      echo "$name [$variant]: sflc failed on $base.sfl:" >&2
      cat "$out/$base.log" >&2
      exit 1
    fi
    if [[ -s $out/$base.log ]]; then
      echo "$name [$variant]: sflc printed messages for $base.sfl:" >&2
      cat "$out/$base.log" >&2
      exit 1
    fi
    vfiles+=("$out/$base.v")
  done
  if ! python3 "$here/../e2e/hdl_check.py" --check "${vfiles[@]}"; then
    echo "$name [$variant]: the translation does not pass the Verilog tools" >&2
    exit 1
  fi
  if ! iverilog -g2005 -I "$here" -o "$out/sim.vvp" "$dir/tb.v" "${vfiles[@]}" 2>"$out/iverilog.log"; then
    echo "$name [$variant]: iverilog failed:" >&2
    cat "$out/iverilog.log" >&2
    exit 1
  fi
  if ! timeout 60 vvp -n "$out/sim.vvp" >"$out/run.log" 2>&1; then
    echo "$name [$variant]: vvp failed or timed out" >&2
    status=1
  fi
  sed "s/^/$name [$variant]: /" "$out/run.log"
  if grep -q '^FAIL' "$out/run.log" || ! grep -qx 'PASS' "$out/run.log"; then
    status=1
    echo "$name [$variant]: translated design does not pass; Verilog kept below" >&2
    cat "${vfiles[@]}" >&2
  fi
done
exit $status
