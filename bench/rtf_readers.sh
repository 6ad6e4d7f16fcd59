#!/usr/bin/env bash
# Opens notes written by the notes' RTF writer with other readers, pandoc and LibreOffice, and checks that every
# character of their text survives, and that strike-through, raised and lowered text (and, in LibreOffice,
# highlight) arrive as such. A reader that is not installed is skipped with a message; with neither, the check
# passes as skipped, so CI may run it anywhere.
# Usage: bench/rtf_readers.sh   (builds rtf_sample_notes in build-bench; to install the readers on Debian:
#        apt-get install pandoc libreoffice-writer-nogui)
set -euo pipefail
cd "$(dirname "$0")/.."

readers=()
command -v pandoc >/dev/null && readers+=(pandoc)
command -v soffice >/dev/null && readers+=(soffice)
if [ ${#readers[@]} -eq 0 ]; then
    echo "rtf_readers: skipped: neither pandoc nor soffice (LibreOffice) is installed"
    exit 0
fi

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMENSURIX_BENCH=ON >/dev/null
cmake --build build-bench --target rtf_sample_notes >/dev/null
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
build-bench/bench/rtf_sample_notes "$tmp"
text_samples=(unicode astral symbol text)

failures=0
report() { # <ok|FAIL|known> <reader> <sample> [detail]
    printf '%-6s %-8s %-8s %s\n' "$1" "$2" "$3" "${4:-}"
    [ "$1" = FAIL ] && failures=$((failures + 1))
    return 0
}
# Text as one line: byte-order mark dropped, every run of blanks and line ends one blank.
normalize() { sed '1s/^\xEF\xBB\xBF//' | tr -s ' \t\r\n' ' ' | sed 's/^ //; s/ $//'; }
compare_text() { # <reader> <sample> <file the reader made>
    local want got
    want=$(normalize <"$tmp/$2.txt")
    got=$(normalize <"$3")
    if [ "$want" = "$got" ]; then
        report ok "$1" "$2"
    elif [ "$1" = pandoc ] && [ "$2" = astral ]; then
        # pandoc 2.17 reads each half of a surrogate pair (\uN\uM, as RTF writes such characters) as U+FFFD.
        report known "$1" "$2" "(pandoc's own fault: got \"$got\")"
    else
        report FAIL "$1" "$2" "want \"$want\", got \"$got\""
    fi
}
expect_in() { # <reader> <file> <what> <fixed string...>
    local reader="$1" file="$2" what="$3"
    shift 3
    for needle in "$@"; do
        if ! grep -qF -- "$needle" "$file"; then
            report FAIL "$reader" formats "$what: no $needle"
            return
        fi
    done
    report ok "$reader" formats "$what"
}

if [[ " ${readers[*]} " == *" pandoc "* ]]; then
    for s in "${text_samples[@]}"; do
        pandoc -f rtf -t plain --wrap=none "$tmp/$s.rtf" -o "$tmp/$s.pandoc.txt"
        compare_text pandoc "$s" "$tmp/$s.pandoc.txt"
    done
    pandoc -f rtf -t html "$tmp/formats.rtf" -o "$tmp/formats.html"
    expect_in pandoc "$tmp/formats.html" "strike, raised, lowered" \
        "H<sub>2</sub>O in m<sup>3</sup>, <del>old</del> new seal"
else
    echo "rtf_readers: pandoc skipped: not installed"
fi

if [[ " ${readers[*]} " == *" soffice "* ]]; then
    # A profile of its own: a LibreOffice the user has open is left alone.
    lo=(soffice "-env:UserInstallation=file://$tmp/profile" --headless)
    mkdir "$tmp/lo"
    files=()
    for s in "${text_samples[@]}"; do files+=("$tmp/$s.rtf"); done
    "${lo[@]}" --convert-to "txt:Text (encoded):UTF8" --outdir "$tmp/lo" "${files[@]}" >/dev/null 2>&1
    "${lo[@]}" --convert-to fodt --outdir "$tmp/lo" "$tmp/formats.rtf" >/dev/null 2>&1
    for s in "${text_samples[@]}"; do
        if [ -f "$tmp/lo/$s.txt" ]; then
            compare_text soffice "$s" "$tmp/lo/$s.txt"
        else
            report FAIL soffice "$s" "no text converted"
        fi
    done
    if [ -f "$tmp/lo/formats.fodt" ]; then
        expect_in soffice "$tmp/lo/formats.fodt" "strike, raised, lowered, highlight" \
            'style:text-line-through-style="solid"' 'style:text-position="super' 'style:text-position="sub' \
            'fo:background-color="#ffff00"'
    else
        report FAIL soffice formats "not converted"
    fi
else
    echo "rtf_readers: soffice skipped: not installed"
fi

if [ "$failures" -ne 0 ]; then
    echo "rtf_readers: $failures check(s) failed"
    exit 1
fi
echo "rtf_readers: every check passed"
