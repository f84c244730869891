#!/usr/bin/env bash
# Checks a list of installed files, one path a line relative to the prefix,
# against the expected list: exactly the same paths, the program an ELF
# executable, each compressed file made by gzip -9n, each hicolor PNG of the
# size its folder names.
# usage: check_installed_files.sh <listing> <expected list> <root of the listed files>
set -euo pipefail
listing=$1 expected=$2 root=$3

if ! diff -u <(LC_ALL=C sort "$expected") <(LC_ALL=C sort "$listing"); then
    echo "FAIL: the installed files differ from the expected ones (- expected, + installed)"
    exit 1
fi

while read -r path; do
    description=$(file -b "$root/$path")
    case $path in
    */bin/wavywall | bin/wavywall)
        if [[ $description != ELF*executable* ]] || [ ! -x "$root/$path" ]; then
            echo "FAIL: $path is not an executable program: $description"
            exit 1
        fi
        ;;
    *.gz)
        # gzip -9n: no name or time stamp, which would make each build differ.
        if [[ $description != "gzip compressed data, max compression, from Unix, original size"* ]]; then
            echo "FAIL: $path is not compressed with gzip -9n: $description"
            exit 1
        fi
        ;;
    */hicolor/*x*/apps/wavywall.png)
        size=${path%/apps/wavywall.png}
        size=${size##*/}
        if [[ $description != "PNG image data, ${size/x/ x }, "* ]]; then
            echo "FAIL: $path is not a ${size} PNG image: $description"
            exit 1
        fi
        ;;
    esac
done <"$listing"
echo "$(wc -l <"$listing") files as expected"
