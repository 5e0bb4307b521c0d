#!/usr/bin/env bash
# tessel.exe under Wine against the native tessel, byte for byte: the same
# commands on the bundled samples and on a store of real mail (email_store.py),
# given to tessel.exe as Windows paths (backslashes, a drive letter, names in
# the system code page). Brings the native program up to date first.
#
#   compare_with_native.sh TESSEL_EXE SOURCE_DIR
set -uo pipefail
exe=$(realpath "$1"); source=$(realpath "$2")
native="$source/build/native/cli/tessel"
(
  cd "$source" || exit 1
  [ -f build/native/CMakeCache.txt ] || cmake --preset native >/dev/null || exit 1
  cmake --build --preset native --target tessel >/dev/null
) || { echo "cannot build the native tessel"; exit 1; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir -p in/mail
cp "$source"/samples/Inbox.imh "$source"/samples/Inbox.imm "$source"/samples/Contacts.imb in/
cp in/Inbox.imm in/FILE0001.CHK
if python3 "$source/tests/cli/email_store.py" real >/dev/null; then
  # A name outside ASCII: the Windows program gets it in its code page.
  cp real/Inbox.imh "in/mail/Courrier reçu.imh"; cp real/Inbox.imm "in/mail/Courrier reçu.imm"
fi

# Subjects in the charsets mail declares: the Windows code pages must read
# them as iconv does.
python3 - <<'PY'
subjects = ["=?iso-8859-1?Q?Gr=FC=DFe_aus_Wien?=", "=?ISO-8859-2?B?WmG/87PmIGfqtmyxIGphvPE=?=",
            "=?iso-8859-15?B?UHJlaXMgMjAgpA==?=", "=?windows-1251?B?z/Do4uXyIOjnIMzu8eri+w==?=",
            "=?KOI8-R?B?79Teo9Qg2sEgzcHS1A==?=", "=?windows-1255?B?+ezl7SDy5ezt?=", "=?iso-8859-8-i?B?5+P55fo=?=",
            "=?iso-8859-7?B?yuHr5+zd8eEg6vzz7OU=?=", "=?Shift_JIS?B?ie+LY4LMi2OOlphe?=",
            "=?ISO-2022-JP?B?GyRCJCo4K0BRJGokTiQ0ME1NahsoQg==?=", "=?euc-jp?B?xvzL3LjspM6l4aG8pes=?=",
            "=?gb2312?B?u+HS6c2o1qo=?=", "=?big5?B?t3zEs7Nxqr4=?=", "=?euc-kr?B?vsiz58fPvLy/5A==?=",
            "caf\xe9 au lait", "=?x-unknown?Q?caf=E9?="]
with open("in/Charsets.imm", "wb") as store:
    for number, subject in enumerate(subjects):
        store.write(("MIME-Version: 1.0\r\nFrom: =?koi8-r?B?79Teo9Q=?= <a%d@example.org>\r\nSubject: %s\r\n"
                     "Date: Tue, 4 Mar 03 10:00 MET\r\n\r\nbody\r\n" % (number, subject)).encode("latin-1"))
PY

failed=0
# compare NAME ARGS...: one run of each program; ARGS use / and name outputs
# under OUT; tessel.exe gets them with \ and the first as an absolute Z: path.
# Commands that write files are compared by their files (their summaries on
# stdout name the paths, which differ).
compare() {
  local name=$1; shift
  local nargs=() wargs=() arg first=1
  for arg in "$@"; do
    nargs+=("${arg//OUT/native-$name}")
    arg=${arg//OUT/windows-$name}
    if [[ $arg == in/* || $arg == windows-* ]]; then
      if [ $first = 1 ]; then arg="Z:$work/$arg"; first=0; fi
      arg=${arg//\//\\}
    fi
    wargs+=("$arg")
  done
  "$native" "${nargs[@]}" >"native-$name.out" 2>"native-$name.err"; local ncode=$?
  "$source/scripts/wine-run.sh" "$exe" "${wargs[@]}" >"windows-$name.out" 2>"windows-$name.err"; local wcode=$?
  local problem=""
  [ $ncode = $wcode ] || problem="exit $ncode natively, $wcode under Wine"
  if [ -z "$problem" ] && [ ! -e "native-$name" ]; then
    cmp -s "native-$name.out" "windows-$name.out" || problem="stdout differs"
  fi
  if [ -z "$problem" ] && [ -e "native-$name" ]; then
    # The identity export's report names the folders as each program was given them.
    diff -r -x "Recovery report.txt" "native-$name" "windows-$name" >/dev/null || problem="written files differ"
  fi
  if [ -n "$problem" ]; then
    echo "FAIL $name: $problem (tessel.exe ${wargs[*]})"; cat "windows-$name.err"; failed=$((failed + 1))
  else
    echo "ok   $name"
  fi
}
# Outputs that name no path, so both programs write the same bytes.
compare scan-index      scan --format tsv in/Inbox.imh
compare scan-store      scan --format json in/Inbox.imm
compare scan-book       scan --format tsv in/Contacts.imb
compare scan-book-1251  scan --format json --codepage 1251 in/Contacts.imb
compare scan-raw        scan --raw --format tsv in/FILE0001.CHK
compare show            show in/Inbox.imh 15
compare scan-readable   scan --deep --readable --format json in/Inbox.imh
compare scan-charsets   scan --readable --format tsv in/Charsets.imm
compare show-text       show --text in/Inbox.imh 11
compare show-part       show --part 1 in/Inbox.imh 4
compare eml             export in/Inbox.imh --to OUT --prefix Old --rows 3-20
compare mbox            export in/Inbox.imh --to OUT --format mbox
compare mbox-crlf       export in/Inbox.imm --to OUT --format mbox --crlf
compare contacts-csv    contacts in/Contacts.imb --to OUT/book.csv
compare contacts-vcf    contacts in/Contacts.imb --to OUT/new/book.vcf
compare contacts-txt    contacts in/Contacts.imb --to OUT/AddBook.txt
compare identity-mbox   export in --to OUT --format mbox
compare identity-eml    export in/mail --to OUT
compare missing-row     export in/Inbox.imh --to OUT --rows 99
if [ -d real ]; then
  compare real-scan     scan --format tsv "in/mail/Courrier reçu.imh"
  compare real-mbox     export "in/mail/Courrier reçu.imh" --to OUT --format mbox
  compare real-show     show "in/mail/Courrier reçu.imm" 3
  [ -f "native-identity-mbox/mail - Courrier reçu.mbox" ] || { echo "FAIL: no 'mail - Courrier reçu.mbox'"; failed=$((failed + 1)); }
fi
echo "$failed of the comparisons failed"
[ $failed -eq 0 ]
