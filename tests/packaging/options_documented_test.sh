#!/usr/bin/env bash
# Every option that strikon-render --help lists has an entry in its manual page and is offered
# by its bash completion; and the completion completes what it should.
# Usage: options_documented_test.sh STRIKON_RENDER SOURCE_DIR
set -uo pipefail
program=$1
man_page=$2/packaging/man/strikon-render.1
completion=$2/packaging/completion/strikon-render
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Option entries of the help text: lines that start, after the indent, with "--name".
options=$("$program" --help | sed -n 's/^ \{1,4\}\(--[a-z][a-z0-9-]*\).*/\1/p' | sort -u)
[[ -n $options ]] || { echo "FAIL: no options read from $program --help"; exit 1; }

# bash-completion's helpers (_init_completion, _filedir) come from the system.
source /usr/share/bash-completion/bash_completion || { echo "FAIL: no bash-completion"; exit 1; }
source "$completion"
# complete LINE: what the completion offers for the last word of LINE ("" after a space).
complete_line() {
    local line=$1
    COMP_LINE=$line
    COMP_POINT=${#line}
    read -ra COMP_WORDS <<<"${line//=/ = }"  # readline splits at "=" too
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _strikon_render
    echo "${COMPREPLY[*]}"
}

# The manual's entries: the tag line after each .TP of its OPTIONS section, "\-" read as "-".
entries=$(awk '/^\.SH /{in_options = ($2 == "OPTIONS")} in_options && tag {print $2} {tag = /^\.TP/}' \
    "$man_page" | sed 's/\\-/-/g')
offered=$(complete_line "strikon-render --" | tr ' ' '\n')
for option in $options; do
    grep -qxF -- "$option" <<<"$entries" ||
        fail "$option has no entry under OPTIONS in packaging/man/strikon-render.1"
    grep -qxF -- "$option" <<<"$offered" ||
        fail "$option is not offered by packaging/completion/strikon-render"
done

cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
touch labels.csv ean.png notes.txt
mkdir out
while IFS='|' read -r line expected; do
    got=$(complete_line "$line")
    [[ $got == "$expected" ]] || fail "completing \"$line\" gave \"$got\", expected \"$expected\""
done <<'EOF'
strikon-render --ty|--type
strikon-render --type |EAN-13 EAN-8 UPC-A UPC-E ITF-14 GS1-QR GS1-DataMatrix GS1-128
strikon-render --type U|UPC-A UPC-E
strikon-render --type=I|ITF-14
strikon-render --check-digit=n|no
strikon-render --check-digit --out|--output --output-dir
strikon-render --batch |labels.csv out
strikon-render --output |ean.png out
strikon-render --output-dir |out
strikon-render --digits |
EOF

((failures == 0)) || exit 1
echo "$(wc -w <<<"$options") options documented and completed"
