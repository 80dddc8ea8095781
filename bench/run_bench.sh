#!/usr/bin/env bash
# Times QUILLOX and NESTLVL on large generated inputs against two passes that do almost nothing:
# `cat` of the file and an awk pass that only pads every line to 80 columns. Each command runs
# five times on the same file in the same run; the median wall time is reported, with the
# throughput in MB/s (input bytes / time), the ratios, the CPU time (user + sys) of NESTLVL and
# of cat, and the peak resident memory of each tool (from /usr/bin/time -v).
# Then the application: a generated folder of programs of about 300 lines (some sharing members)
# converted by quillox-all with one and with two conversions at a time, and by a plain loop of
# QUILLOX over the programs, the three taking turns in each of five rounds.
# Then a program copying many distinct members (5,000 and 20,000), to show that QUILLOX's time
# grows with their number, not its square.
# Nothing is asserted: this is a measurement, not a test.
#
# Usage: bench/run_bench.sh [BUILD_DIR]      (default: build/release; build it first)
#        BENCH_SIZES="1000000 100000" BENCH_RUNS=5 BENCH_APP_PROGRAMS=1000 bench/run_bench.sh
#        (BENCH_APP_PROGRAMS=0: no application; BENCH_MEMBERS="5000 20000", "" for none)
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build/release}")
quillox=$build/converter/QUILLOX
nestlvl=$build/levelshift/NESTLVL
quillox_all=$build/batch/quillox-all
sizes=${BENCH_SIZES:-"1000000 100000"}
runs=${BENCH_RUNS:-5}
work=$build/bench
mkdir -p "$work"

for tool in "$quillox" "$nestlvl" "$quillox_all"; do
  [ -x "$tool" ] || { echo "missing $tool: build the release preset first" >&2; exit 1; }
done
if [ ! -x /usr/bin/time ]; then
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q time
fi

median() { sort -n | awk '{ t[NR] = $1 } END { printf "%.4f", t[int((NR + 1) / 2)] }'; }

# Median CPU time (user + sys, seconds, to the microsecond) of `runs` runs of the command, its
# standard output into the file OUT.
median_cpu() {  # OUT COMMAND...
  local i
  for ((i = 0; i < runs; i++)); do
    # Only the command's own time: what earlier children of the interpreter used is taken away.
    python3 -c 'import resource, subprocess, sys
def cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime
before = cpu()
with open(sys.argv[1], "wb") as out:
    subprocess.run(sys.argv[2:], stdout=out, check=True)
print(cpu() - before)' "$@"
  done | median
}

# Median wall time in seconds of `runs` runs of the command, run in $work with output to files;
# the largest peak resident memory (KiB) of the runs goes to $work/peak.kib.
median_time() {
  local times=() i start end kib peak_kib=0
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    /usr/bin/time -v -o "$work/time.out" "$@"
    end=$(date +%s%N)
    times+=("$(awk -v ns=$((end - start)) 'BEGIN { print ns / 1e9 }')")
    kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.out")
    [ "$kib" -gt "$peak_kib" ] && peak_kib=$kib
  done
  echo "$peak_kib" > "$work/peak.kib"
  printf '%s\n' "${times[@]}" | median
}

mbps() { awk -v b="$1" -v t="$2" 'BEGIN { printf "%8.1f", b / 1e6 / t }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%5.2f", a / b }'; }

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "Median of $runs runs each; throughput = input bytes / wall time."
for lines in $sizes; do
  program=$work/P$lines.zsc
  copybook=$work/C$lines.cpy
  [ -f "$program" ] || python3 bench/generate.py program "$lines" "$program"
  [ -f "$copybook" ] || python3 bench/generate.py copybook "$lines" "$copybook"
  program_bytes=$(stat -c %s "$program")
  copybook_bytes=$(stat -c %s "$copybook")
  cd "$work"
  # Warm the page cache so that every command reads from memory.
  cat "$program" "$copybook" > /dev/null

  t_quillox=$(median_time "$quillox" "P$lines"); m_quillox=$(cat "$work/peak.kib")
  t_cat=$(median_time sh -c "cat P$lines.zsc > P$lines.cat")
  t_awk=$(median_time sh -c "awk '{printf \"%-80s\\n\", \$0}' P$lines.zsc > P$lines.awk")
  t_nestlvl=$(median_time "$nestlvl" "C$lines.cpy"); m_nestlvl=$(cat "$work/peak.kib")
  c_nestlvl=$(median_cpu /dev/null "$nestlvl" "C$lines.cpy")
  t_catc=$(median_time sh -c "cat C$lines.cpy > C$lines.cat")
  c_catc=$(median_cpu "C$lines.cat" cat "C$lines.cpy")
  cd - > /dev/null

  echo
  echo "== $lines lines: program $program_bytes bytes, copybook $copybook_bytes bytes"
  printf '%-22s %9s s %s MB/s\n' "QUILLOX" "$t_quillox" "$(mbps "$program_bytes" "$t_quillox")"
  printf '%-22s %9s s %s MB/s\n' "awk pad (program)" "$t_awk" "$(mbps "$program_bytes" "$t_awk")"
  printf '%-22s %9s s %s MB/s\n' "cat (program)" "$t_cat" "$(mbps "$program_bytes" "$t_cat")"
  printf '%-22s %9s s %s MB/s\n' "NESTLVL" "$t_nestlvl" "$(mbps "$copybook_bytes" "$t_nestlvl")"
  printf '%-22s %9s s %s MB/s\n' "cat (copybook)" "$t_catc" "$(mbps "$copybook_bytes" "$t_catc")"
  echo "QUILLOX/awk  $(ratio "$t_quillox" "$t_awk")   (target at most 1.00)"
  echo "QUILLOX/cat  $(ratio "$t_quillox" "$t_cat")"
  echo "NESTLVL/cat  $(ratio "$t_nestlvl" "$t_catc")"
  echo "CPU time (user+sys): NESTLVL $c_nestlvl s, cat $c_catc s, NESTLVL/cat $(ratio "$c_nestlvl" "$c_catc")   (target at most 1.50)"
  echo "Peak resident memory: QUILLOX $m_quillox KiB, NESTLVL $m_nestlvl KiB   (target under 4096 KiB)"
done

# Many distinct members: the conversion writes one copy each, so the time is mostly that of
# making and renaming files; it must grow linearly with their number.
for count in ${BENCH_MEMBERS-5000 20000}; do
  members=$work/members-$count
  [ -d "$members" ] || python3 bench/generate.py members "$count" "$members"
  cd "$members"
  t_members=$(median_time "$quillox" PROG); m_members=$(cat "$work/peak.kib")
  c_members=$(median_cpu /dev/null "$quillox" PROG)
  cd - > /dev/null
  echo
  echo "== a program copying $count distinct members"
  printf '%-22s %9s s, CPU (user+sys) %s s, peak %s KiB\n' "QUILLOX" "$t_members" "$c_members" "$m_members"
done

# The application: quillox-all -j 1, -j 2 and a plain loop of QUILLOX, taking turns, each run
# converting the whole folder again.
app_programs=${BENCH_APP_PROGRAMS:-1000}
[ "$app_programs" -gt 0 ] || exit 0
app=$work/application-$app_programs
[ -d "$app" ] || python3 bench/generate.py application "$app_programs" "$app"
cd "$app"
loop="for f in *.zsc; do '$quillox' \"\${f%.zsc}\" >/dev/null || exit 1; done"
"$quillox_all" --quillox "$quillox" . > /dev/null  # outputs in place and files in the page cache
wall() {  # seconds of wall time of the command
  local start end
  start=$(date +%s%N)
  "$@" > /dev/null
  end=$(date +%s%N)
  awk -v ns=$((end - start)) 'BEGIN { print ns / 1e9 }'
}
t_loops=() t_j1s=() t_j2s=()
for ((i = 0; i < runs; i++)); do
  t_loops+=("$(wall bash -c "$loop")")
  t_j1s+=("$(wall "$quillox_all" --quillox "$quillox" -j 1 .)")
  t_j2s+=("$(wall "$quillox_all" --quillox "$quillox" -j 2 .)")
done
cd - > /dev/null
t_loop=$(printf '%s\n' "${t_loops[@]}" | median)
t_j1=$(printf '%s\n' "${t_j1s[@]}" | median)
t_j2=$(printf '%s\n' "${t_j2s[@]}" | median)
echo
echo "== application: $app_programs programs of about 300 lines, $(find "$app" -maxdepth 1 -type f ! -name '*.*' | wc -l) members"
printf '%-22s %9s s\n' "for loop of QUILLOX" "$t_loop" "quillox-all -j 1" "$t_j1" "quillox-all -j 2" "$t_j2"
echo "quillox-all -j 1 / loop  $(ratio "$t_j1" "$t_loop")   (target at most 1.10)"
echo "quillox-all -j 2 / loop  $(ratio "$t_j2" "$t_loop")   (target at most 0.60)"
