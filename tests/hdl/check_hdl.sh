#!/usr/bin/env bash
# Exports a filter as the command line does and checks the Verilog with the free tools.
#   check_hdl.sh MODE CLI TAPS DIR [export options...]
# TAPS is a Text:Decimal file; the module is named after DIR's last part.
#   sim        Icarus Verilog runs the exported testbench, which must print PASS.
#   wrong-bit  One bit changed in the expected words, in the stimulus or in a coefficient of the
#              module: each must make the testbench print FAIL.
#   synth      Yosys synthesizes the module: no error, no latch, no driver conflict.
# Exits 77 (skipped) when the tool is not installed.
set -euo pipefail
mode=$1 cli=$2 taps=$3 dir=$4
shift 4
name=$(basename "$dir")

case $mode in
sim | wrong-bit) tools="iverilog vvp" ;;
synth) tools="yosys" ;;
*) echo "unknown mode $mode" >&2; exit 2 ;;
esac
for tool in $tools; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done

rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"
"$cli" import "$taps" --format Text:Decimal -o filter.cfp >/dev/null 2>&1
"$cli" export filter.cfp --format HDL:Verilog -o "$name.v" "$@"

simulate() {
    iverilog -g2001 -Wall -o sim "$name.v" "${name}_tb.v"
    vvp -n sim
}

# Flips the lowest bit of the last hexadecimal digit of line $2 of file $1.
flip_line() {
    perl -pi -e 'if ($. == '"$2"') { s/([0-9A-Fa-f])$/sprintf("%X", hex($1) ^ 1)/e }' "$1"
}

# Flips the lowest bit of coefficient C0 in the module $1.
flip_coefficient() {
    perl -pi -e 's/( C0 = \d+\x27sh[0-9A-F]*)([0-9A-F]);/$1 . sprintf("%X", hex($2) ^ 1) . ";"/e' "$1"
}

case $mode in
sim)
    simulate
    ;;
wrong-bit)
    for target in out in coefficient; do
        cp "$name.v" module.keep
        cp "${name}_out.txt" out.keep
        cp "${name}_in.txt" in.keep
        case $target in
        out) flip_line "${name}_out.txt" 7 ;;
        in) flip_line "${name}_in.txt" "$(grep -n '^1 ' "${name}_in.txt" | sed -n 5p | cut -d: -f1)" ;;
        coefficient) flip_coefficient "$name.v" ;;
        esac
        if cmp -s "$name.v" module.keep && cmp -s "${name}_out.txt" out.keep &&
            cmp -s "${name}_in.txt" in.keep; then
            echo "could not change a bit in the $target"
            exit 1
        fi
        result=$(simulate 2>&1 || true)
        if ! grep -q '^FAIL' <<<"$result"; then
            echo "a changed bit in the $target went unnoticed:"
            echo "$result"
            exit 1
        fi
        echo "changed $target: $(grep '^FAIL' <<<"$result")"
        mv module.keep "$name.v"
        mv out.keep "${name}_out.txt"
        mv in.keep "${name}_in.txt"
    done
    result=$(simulate 2>&1)
    grep -q '^PASS' <<<"$result" || { echo "$result"; exit 1; }
    echo "every changed bit failed the testbench; the files as exported PASS"
    ;;
synth)
    yosys -q -l synth.log -p "read_verilog $name.v; synth -top $name; check -assert; \
        select -assert-none t:\$dlatch t:\$adlatch t:\$dlatchsr t:\$_DLATCH_* t:\$_DLATCHSR_* t:\$sr t:\$_SR_*; \
        tee -o stat.txt stat"
    grep -E 'Number of cells' stat.txt | tail -1
    echo "SYNTH OK"
    ;;
esac
