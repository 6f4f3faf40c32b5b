#!/usr/bin/env bash
# Runs the same commands through two builds of zorvane-cli, the Linux one and the Windows one
# under Wine, and fails unless standard output, standard error and exit status agree byte for
# byte: LINUX_CLI WINDOWS_CLI WINE PREFIX.
set -uo pipefail
linux=$1 windows=$2 wine=$3
export WINEPREFIX=$4 WINEDEBUG=-all LC_ALL=C.UTF-8

commands=(
  'key blue harbour lantern'
  'key Très bien déjà'
  'key 日本語のパスフレーズ'
  'key -- --bogus'
  'code --key 0000000000000000 2014-01-05T13:07 2100-02-29T00:00'
  'code --pass-phrase Straße --format json 2026-01-02T12:34'
  'find --key 0123456789ABCDEF --year 2014 --months 1 bag'
  'find --pass-phrase Ωmega --years 0-300 --months 2 --hours 22-3 --format csv TOK'
  'find --key 0123456789ABCDEF --from 2015-12-30T12:00 --to 2016-01-02T00:00 --format iso BAG'
  'find --key 0123456789ABCDEF --years 1990-2030 --count KIV'
  'find --key 0000000000000000 --months 2 --year 2014 KEV'
  'find --key 0000000000000000 --year 10000 BAG'
  'find --key 0000000000000000 --k'$'\x1b''x BAG'
  'secret-in-the-wrong-place'
  '--version'
  '--help'
)
inputs=('pass phrase from a pipe, Übermut' '0123456789abcdef')

failed=0
compare() {
  local label=$1
  shift
  local a b
  a=$(printf '%s\n' "$stdin" | "$linux" "$@" 2>/tmp/zorvane-compare-linux.err; echo "status $?")
  b=$(printf '%s\n' "$stdin" | "$wine" "$windows" "$@" 2>/tmp/zorvane-compare-windows.err; echo "status $?")
  if [ "$a" != "$b" ] || ! cmp -s /tmp/zorvane-compare-linux.err /tmp/zorvane-compare-windows.err; then
    echo "differs: $label"
    diff <(echo "$a"; cat /tmp/zorvane-compare-linux.err) <(echo "$b"; cat /tmp/zorvane-compare-windows.err) | head -5
    failed=1
  fi
}
stdin=''
for command in "${commands[@]}"; do
  read -ra words <<<"$command"
  compare "$command" "${words[@]}"
done
for stdin in "${inputs[@]}"; do
  compare "key - with input '$stdin'" key -
  compare "code --key - with input '$stdin'" code --key - 2014-01-05T13:07
done
[ $failed -eq 0 ] && echo "zorvane-cli: the Linux and Windows builds agree on ${#commands[@]} commands and $((2 * ${#inputs[@]})) inputs"
exit $failed
