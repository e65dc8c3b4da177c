#!/usr/bin/env bash
# win32_era_check.sh BUILD FILE...: the shipped Win32 files load on Windows
# 2000 to 11 and run on a Pentium II-class processor (P6 with MMX, no SSE):
#   - every by-name import from a system DLL is in that DLL's Windows 2000
#     export list (tests/packaging/windows2000/), and none names a function
#     known to have come only with XP or later; imports from ptc.dll are
#     names our ptc.dll exports; nothing is imported by ordinal;
#   - the code holds no SSE or later instruction (no xmm/ymm/zmm register,
#     none of SSE's additions to MMX, no SSE fences, prefetches or MXCSR);
#   - our own object files carry no P6 instruction either (CMOV, FCMOV,
#     FCOMI): only the toolchain's prebuilt runtime does;
#   - the PE subsystem version is 4.0;
#   - no file holds thread-local storage or C runtime initialisers (.tls,
#     .CRT): the programs' and ptc.dll's own start (platform/*start_win32.cpp)
#     set up neither.
# Prints one line per file with what it found; fails on the first rule broken.
set -u
. "$(dirname "$0")/lib.sh"
build=$1; shift
lists=$(cd "$(dirname "$0")/../packaging/windows2000" && pwd)
objdump=i686-w64-mingw32-objdump

# In the export lists, but only in Windows XP or later.
later_than_2000='^(AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|GetModuleHandleExA|GetModuleHandleExW|AttachConsole|GetTickCount64)$'
# Instructions of SSE and later that use no xmm register.
sse_mnemonics='^(ldmxcsr|stmxcsr|sfence|lfence|mfence|clflush|prefetch(nta|t0|t1|t2|w)?|movntq|movnti|maskmovq|pavgb|pavgw|pextrw|pinsrw|pmaxsw|pmaxub|pminsw|pminub|pmovmskb|pmulhuw|psadbw|pshufw|pmuludq|paddq|psubq)$'

# imports FILE: "DLL NAME" per by-name import, "DLL #ORDINAL" per ordinal one.
imports() {
  "$objdump" -p "$1" | awk '
    /DLL Name:/ { dll = tolower($3); sub(/\.dll$/, "", dll); next }
    dll != "" && /^[[:space:]]*$/ { dll = ""; next }
    dll != "" && /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[^[:space:]]+/ { print dll, $3; next }
    dll != "" && /<none>/ { print dll, "#" $0 }'
}

# code FILE: the instructions of .text as "SYMBOL MNEMONIC OPERANDS"; the
# C++ exception tables that the linker places inside .text are data, skipped.
code() {
  "$objdump" -d -j .text --no-show-raw-insn "$1" | awk '
    /^[0-9a-f]+ <.*>:$/ { symbol = $2; next }
    symbol == "<.gcc_except_table>:" { next }
    /^[[:space:]]*[0-9a-f]+:\t/ { sub(/^[[:space:]]*[0-9a-f]+:\t/, ""); print symbol, $0 }'
}

ptc_exports=$("$objdump" -p "$build/bin/ptc.dll" | awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && /\]/ { print $NF } on && /^$/ { on = 0 }')
[ -n "$ptc_exports" ] || fail "ptc.dll exports nothing"

for name in "$@"; do
  file=$build/bin/$name
  [ -f "$file" ] || file=$build/bin/$name.exe
  [ -f "$file" ] || file=$build/bin/$name.dll
  [ -f "$file" ] || fail "$name: not built"
  base=$(basename "$file")

  count=0 dlls=""
  while read -r dll function; do
    count=$((count + 1))
    case " $dlls " in *" $dll "*) ;; *) dlls="$dlls $dll" ;; esac
    case $function in "#"*) fail "$base: imports from $dll.dll by ordinal: ${function#\#}" ;; esac
    if [ "$dll" = ptc ]; then
      grep -qxF "$function" <<<"$ptc_exports" || fail "$base: imports $function, which ptc.dll does not export"
      continue
    fi
    [ -f "$lists/$dll.txt" ] || fail "$base: imports from $dll.dll, a DLL with no Windows 2000 list"
    grep -qxF "$function" "$lists/$dll.txt" || fail "$base: imports $dll!$function, which Windows 2000 lacks"
    grep -qE "$later_than_2000" <<<"$function" && fail "$base: imports $dll!$function, which came after Windows 2000"
  done < <(imports "$file")
  [ "$count" -gt 0 ] || fail "$base: no imports read"

  instructions=$(code "$file")
  [ -n "$instructions" ] || fail "$base: no code read"
  sse=$(awk -v re="$sse_mnemonics" '$0 ~ /%[xyz]mm[0-9]/ || $2 ~ re' <<<"$instructions")
  [ -z "$sse" ] || fail "$base: $(wc -l <<<"$sse") SSE instructions, e.g. $(head -n 3 <<<"$sse" | tr '\n' ';')"
  p6=$(awk '$2 ~ /^(cmov|fcmov|f(u)?comip?$)/' <<<"$instructions" | wc -l)
  mmx=$(grep -c '%mm[0-7]' <<<"$instructions")

  header=$("$objdump" -p "$file")
  major=$(awk '/MajorSubsystemVersion/ { print $2 }' <<<"$header")
  minor=$(awk '/MinorSubsystemVersion/ { print $2 }' <<<"$header")
  [ "$major.$minor" = 4.0 ] || fail "$base: subsystem version $major.$minor, expected 4.0"
  unstarted=$("$objdump" -h "$file" | awk '$2 == ".tls" || $2 == ".CRT" { printf " %s", $2 }')
  [ -z "$unstarted" ] || fail "$base: holds$unstarted, which its start does not set up"

  echo "$base: $count imports from${dlls}, all in Windows 2000; no SSE in $(wc -l <<<"$instructions") instructions ($mmx MMX, $p6 P6 in the runtime); subsystem 4.0"
done

# Our own objects: the compiler was told Pentium MMX, so no P6 instruction.
ours=$(find "$build" -name '*.obj' -path '*CMakeFiles*' -not -path '*/tests/*' -not -path '*/googletest/*' -not -path '*/bench/*')
[ -n "$ours" ] || fail "no object files of ours found"
p6_ours=0
for object in $ours; do
  n=$("$objdump" -d --no-show-raw-insn "$object" | awk '$2 ~ /^(cmov|fcmov|f(u)?comip?$)/' | wc -l)
  [ "$n" -eq 0 ] || { echo "$(basename "$object"): $n P6 instructions" >&2; p6_ours=$((p6_ours + n)); }
done
[ "$p6_ours" -eq 0 ] || fail "our own code holds $p6_ours P6 instructions"
echo "our $(wc -w <<<"$ours") object files: no P6 instruction"
