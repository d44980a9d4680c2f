#!/usr/bin/env bash
# Writes what zarva-cli prints for every record of a corpus folder (dump of every sample,
# measure at three samples, the sequences of the first three analog channels, and computed
# channels built on the phasor series and the window measures), one file per record and
# command, so that two builds can be compared byte for byte:
#
#   tools/corpus-outputs.sh build/src/cli/zarva-cli /tmp/before
#   ... change, build ...
#   tools/corpus-outputs.sh build/src/cli/zarva-cli /tmp/after && diff -r /tmp/before /tmp/after
set -uo pipefail

cli=$(realpath "$1")
out=$2
corpus=${3:-$(dirname "$0")/../../shared/corpus}
mkdir -p "$out"

# The names of the first three analog channels, one per line.
analog_names() {
    "$cli" info --json "$1" | python3 -c '
import json, sys
for channel in json.load(sys.stdin)["analog"][:3]:
    print(channel["name"])'
}

find "$corpus" -path "$corpus/expected" -prune -o \( -iname '*.cfg' -o -iname '*.cff' \) -print | sort |
while read -r record; do
    key=$(realpath --relative-to="$corpus" "$record" | tr '/' '_')
    run() {
        local name=$1
        shift
        "$cli" "$@" >"$out/$key.$name" 2>&1
        echo "exit $?" >>"$out/$key.$name"
    }
    run info info "$record"
    run dump dump "$record"
    samples=$("$cli" info --json "$record" 2>/dev/null |
        python3 -c 'import json, sys; print(json.load(sys.stdin)["samples"])' 2>/dev/null || echo 0)
    for at in 0 $((samples / 2)) $((samples > 0 ? samples - 1 : 0)); do
        run "measure-$at" measure "$record" --at "$at" --json
    done
    mapfile -t names < <(analog_names "$record" 2>/dev/null)
    if [ "${#names[@]}" -ge 3 ]; then
        run sequence measure "$record" --at $((samples / 2)) --sequence "${names[0]},${names[1]},${names[2]}"
        run calc-phasors calc "$record" \
            --formula "P=mod: (i1: (\"${names[0]}\", \"${names[1]}\", \"${names[2]}\"))" \
            --formula "Q=re: (pf: (\"${names[0]}\", \"${names[1]}\"))"
    fi
    if [ "${#names[@]}" -ge 1 ]; then
        run calc-measures calc "$record" \
            --formula "R=rms: (\"${names[0]}\")" --formula "F=fourie: (\"${names[0]}\", 1)" \
            --formula "A=a0: (\"${names[0]}\")" --formula "G=fault: (\"${names[0]}\")"
    fi
done
echo "wrote $(ls "$out" | wc -l) files into $out"
