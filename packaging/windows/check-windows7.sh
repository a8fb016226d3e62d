#!/usr/bin/env bash
# usage: packaging/windows/check-windows7.sh PROGRAM.exe [OBJDUMP]
#
# Proves from the file itself that PROGRAM.exe can start on Windows 7:
#   - its subsystem version is 6.1 or lower (Windows 7's loader refuses a
#     higher one);
#   - every function it imports, by name or by ordinal, has a row in
#     windows7-imports.txt for the program's architecture whose Windows is
#     7 or earlier (a missing export would stop the program before main).
# Then shows that the check rejects a program that breaks either rule.
# OBJDUMP is MinGW's objdump of the program's architecture (by default the
# one that reads it). Prints one line per check; non-zero exit when any fails.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
list=$here/windows7-imports.txt
[ $# -ge 1 ] || { sed -n '2,12s/^# \{0,1\}//p' "$0" >&2; exit 2; }
exe=$1
objdump=${2:-}
if [ -z "$objdump" ]; then
    objdump=x86_64-w64-mingw32-objdump
    i686-w64-mingw32-objdump -f "$exe" 2>/dev/null | grep -q 'architecture: i386$' &&
        objdump=i686-w64-mingw32-objdump
fi

# problems EXE LIST: what keeps EXE from Windows 7, one a line, and a
# status of 1 when there is anything.
problems() {
    local dump arch
    dump=$("$objdump" -p "$1") || { echo "$objdump cannot read $1"; return 1; }
    # The optional header's magic: 0x20b for a 64-bit program.
    arch=x86
    grep -q '^Magic[[:space:]]*020b' <<<"$dump" && arch=x64
    awk -v arch="$arch" -v list="$(basename "$2")" '
        FNR == NR {  # the list: DLL, function, architecture, Windows
            if ($0 !~ /^#/ && NF == 4 && ($3 == "both" || $3 == arch)) windows[$1 "!" $2] = $4
            next
        }
        /^MajorSubsystemVersion/ { major = $2 }
        /^MinorSubsystemVersion/ { minor = $2 }
        /^\tDLL Name: / { dll = toupper($3); next }
        /^$/ { dll = "" }
        # An import: address, hint or ordinal, name ("<none>" by ordinal).
        dll != "" && /^\t[0-9a-f]+\t/ {
            name = ($3 == "<none>" || $3 == "") ? "#" $2 : $3
            imports++
            import = dll "!" name
            if (!(import in windows)) {
                print import " (" arch ") is not in " list ": add it with the Windows that has it, or look it up at run time"
                bad++
            } else if (windows[import] !~ /^(XP|Vista|7)$/) {
                print import " needs Windows " windows[import] ": look it up at run time (GetProcAddress)"
                bad++
            }
        }
        END {
            if (major == "" || imports == 0) { print "no subsystem version or no imports read"; exit 1 }
            if (major > 6 || (major == 6 && minor > 1)) {
                print "subsystem version " major "." minor ": Windows 7 starts 6.1 or lower"
                bad++
            }
            exit bad > 0
        }' "$2" - <<<"$dump"
}

. "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"

dump=$("$objdump" -p "$exe")
subsystem=$(awk '/^M(aj|in)orSubsystemVersion/ {print $2}' <<<"$dump" | paste -sd .)
count=$(awk '/^\tDLL Name: / {dll = 1; next} /^$/ {dll = 0} dll && /^\t[0-9a-f]+\t/ {n++} END {print n}' <<<"$dump")
if output=$(problems "$exe" "$list"); then
    pass "$(basename "$exe"): subsystem version $subsystem, $count imports, all in Windows 7"
else
    sed 's/^/     /' <<<"$output"
    fail "$(basename "$exe") needs more than Windows 7"
fi

# The check must notice a program that needs more, or it proves nothing:
# an import missing from the list, an import of Windows 8, and a subsystem
# version of 6.2 (Windows 8) patched into a copy of the program.
first=$(awk '/^\tDLL Name: / {dll = toupper($3); next} dll != "" && /^\t[0-9a-f]+\t/ && $3 != "<none>" {print dll " " $3; exit}' <<<"$dump")
read -r dll function <<<"$first"
awk -v d="$dll" -v f="$function" '!($1 == d && $2 == f)' "$list" >"$tmp/unlisted.txt"
awk -v d="$dll" -v f="$function" '$1 == d && $2 == f {$4 = "8"} {print}' "$list" >"$tmp/windows8.txt"
cp "$exe" "$tmp/subsystem.exe"
header=$(od -An -t u4 -j 60 -N 4 "$exe" | tr -d ' ')
# MajorSubsystemVersion and MinorSubsystemVersion, 48 bytes into the optional
# header (after the 4-byte signature and the 20-byte file header).
printf '\006\000\002\000' | dd of="$tmp/subsystem.exe" bs=1 seek=$((header + 24 + 48)) conv=notrunc status=none
while IFS='|' read -r label program table want; do
    if output=$(problems "$program" "$table"); then
        fail "the check accepts $label"
    elif grep -qF "$want" <<<"$output"; then
        pass "the check rejects $label"
    else
        fail "the check rejects $label, but not for that: $output"
    fi
done <<EOF
a program importing $dll!$function, not listed|$exe|$tmp/unlisted.txt|$dll!$function (
a program importing $dll!$function, listed as Windows 8's|$exe|$tmp/windows8.txt|$dll!$function needs Windows 8
a program of subsystem version 6.2|$tmp/subsystem.exe|$list|subsystem version 6.2
EOF

summary "Windows 7 floor"
