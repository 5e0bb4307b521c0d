#!/usr/bin/env bash
# Builds tessel and recovers the bundled sample: lists the messages of the
# damaged store samples/Inbox.imm (through its index) and the contacts of
# samples/Contacts.imb, then exports the messages as .eml files and the
# contacts as a text file into out/demo/. Safe to run again: out/demo holds
# only this script's own output and is cleared first.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh native
build=${TESSEL_BUILD_DIR:-build/native}
echo "== Building tessel (preset native, in $build)"
cmake --preset native -B "$build" >/dev/null
cmake --build "$build" --target tessel -j "$(nproc)" >/dev/null
tessel=$build/cli/tessel

out=out/demo
rm -rf "$out"
mkdir -p "$out"

echo
echo "== $tessel scan samples/Inbox.imh"
echo "   (the index has two damaged entries, so the store is searched as well;"
echo "    that also finds the last three messages, which the index no longer lists)"
"$tessel" scan samples/Inbox.imh
echo
echo "== $tessel scan samples/Contacts.imb"
"$tessel" scan samples/Contacts.imb
echo
echo "== $tessel export samples/Inbox.imh --to $out"
"$tessel" export samples/Inbox.imh --to "$out"
echo "== $tessel contacts samples/Contacts.imb --to $out/AddBook.txt"
"$tessel" contacts samples/Contacts.imb --to "$out/AddBook.txt"
echo
echo "== $tessel export samples --to $out/moved --format mbox"
echo "   (the whole folder, for another mail program: each message once, the ones"
echo "    the index no longer lists in a file of their own, and a report)"
"$tessel" export samples --to "$out/moved" --format mbox
echo
echo "Done: $(ls "$out"/*.eml | wc -l) messages and the contacts are in $out/."
echo "Open an .eml file in your mail program, or try: $tessel show samples/Inbox.imh 13"
