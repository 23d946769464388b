#!/usr/bin/env bash
# Builds the interview language model and its dictionary into OUTDIR:
#   build-model.sh OUTDIR SYSTEM_DICTIONARY GENERAL_MODEL LM_WORDS_TOOL
# interview.lm.bin: a trigram model (modified Kneser-Ney, irstlm) of interview-corpus.py's text;
# interview.dict: the pronunciations (system dictionary plus extra.dict, the words it lacks) of
# the corpus words and of the general model's most probable words; interview.md5sums: their MD5
# sums, which the recogniser checks before loading them. Fails when a corpus word has no
# pronunciation.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
system_dict=$2
general_model=$3
lm_words=$4
# The general model's words the decoder can hear. Every word in the dictionary costs memory and
# search time, and the rare ones are mostly heard in place of common ones.
general_words=20000
export IRSTLM=/usr/lib/irstlm
export PATH="$IRSTLM/bin:$PATH"
work="$out/work"
rm -rf "$work"
mkdir -p "$work"

python3 "$here/interview-corpus.py" >"$work/corpus.txt"

# Every corpus word needs a pronunciation, or the model would hold words the decoder never hears.
export LC_ALL=C
cat "$system_dict" "$here/extra.dict" | awk '{ sub(/\(.*/, "", $1); print $1 }' | sort -u \
    >"$work/known"
missing=$(tr ' ' '\n' <"$work/corpus.txt" | grep -v '^$' | sort -u | comm -23 - "$work/known")
if [ -n "$missing" ]; then
    echo "interview model: no pronunciation for: $(echo $missing)" >&2
    echo "add them to $here/extra.dict" >&2
    exit 1
fi

add-start-end.sh <"$work/corpus.txt" >"$work/corpus.se"
build-lm.sh -i "$work/corpus.se" -n 3 -k 1 -s improved-kneser-ney -o "$work/interview.ilm.gz" \
    -t "$work/tmp" >/dev/null 2>&1
compile-lm --text=yes "$work/interview.ilm.gz" "$work/interview.arpa" >/dev/null 2>&1
sphinx_lm_convert -i "$work/interview.arpa" -o "$work/interview.lm.bin" >/dev/null 2>&1
# The dictionary is limited to the words the language models can name.
{
    tr ' ' '\n' <"$work/corpus.txt"
    "$lm_words" "$general_model" | awk -v n="$general_words" 'NR <= n'
} | grep -v '^$' | sort -u >"$work/vocabulary"
cat "$system_dict" "$here/extra.dict" |
    awk 'NR == FNR { keep[$1] = 1; next } { word = $1; sub(/\(.*/, "", word) } word in keep' \
        "$work/vocabulary" - >"$work/interview.dict"
(cd "$work" && md5sum interview.lm.bin interview.dict >interview.md5sums)
mv "$work/interview.lm.bin" "$work/interview.dict" "$work/interview.md5sums" "$out/"
rm -rf "$work"
