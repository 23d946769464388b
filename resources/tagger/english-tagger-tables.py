#!/usr/bin/env python3
"""Writes the tables of the English part-of-speech tagger as a C++ source: Festival's
part-of-speech lexicon and tag trigram (Debian's festlex-poslex, trained on the Wall Street
Journal part of the Penn Treebank), converted from Festival's files.

    english-tagger-tables.py LEXICON NGRAM OUTPUT

What is kept: for each word, log P(word | tag) as the lexicon gives it; for each pair of tags,
log P(tag | the two before), from the trigram's counts interpolated with the bigram and unigram
counts they add up to; and log P(tag), from the unigram counts.
"""

import math
import re
import struct
import sys

# The trigram's own order, which the C++ enumeration follows.
TAGS = ("nn punc nnp dt in jj nns cd rb vbd vb prp cc of to vbz vbn vbg vbp md pos wdt jjr wp "
        "nnps wrb jjs rbr rp ex rbs pdt fw 1 uh sym ls 2").split()
# Trigram, bigram and unigram weights.
WEIGHTS = (0.6, 0.3, 0.1)

NOTICE = """\
// Derived from Festival's part-of-speech lexicon and tag trigram (wsj.wp39), converted to tables
// by resources/tagger/english-tagger-tables.py. Their notice:
//
//                 Centre for Speech Technology Research
//                      University of Edinburgh, UK
//                        Copyright (c) 1996,1997
//                         All Rights Reserved.
//
//   Permission is hereby granted, free of charge, to use and distribute
//   this software and its documentation without restriction, including
//   without limitation the rights to use, copy, modify, merge, publish,
//   distribute, sublicense, and/or sell copies of this work, and to
//   permit persons to whom this work is furnished to do so, subject to
//   the following conditions:
//    1. The code must retain the above copyright notice, this list of
//       conditions and the following disclaimer.
//    2. Any modifications must be clearly marked as such.
//    3. Original authors' names are not deleted.
//    4. The authors' names are not used to endorse or promote products
//       derived from this software without specific prior written
//       permission.
//
//   THE UNIVERSITY OF EDINBURGH AND THE CONTRIBUTORS TO THIS WORK
//   DISCLAIM ALL WARRANTIES WITH REGARD TO THIS SOFTWARE, INCLUDING
//   ALL IMPLIED WARRANTIES OF MERCHANTABILITY AND FITNESS, IN NO EVENT
//   SHALL THE UNIVERSITY OF EDINBURGH NOR THE CONTRIBUTORS BE LIABLE
//   FOR ANY SPECIAL, INDIRECT OR CONSEQUENTIAL DAMAGES OR ANY DAMAGES
//   WHATSOEVER RESULTING FROM LOSS OF USE, DATA OR PROFITS, WHETHER IN
//   AN ACTION OF CONTRACT, NEGLIGENCE OR OTHER TORTIOUS ACTION,
//   ARISING OUT OF OR IN CONNECTION WITH THE USE OR PERFORMANCE OF
//   THIS SOFTWARE.
"""


def read_trigram(path):
    data = open(path, "rb").read()
    magic, vocab, predicted, body = data.split(b"\n", 3)
    if magic != b"NgramBin_2 3" or vocab.decode().split() != TAGS or vocab != predicted:
        sys.exit(f"{path}: not the wsj.wp39 tag trigram this build expects")
    # Big-endian doubles; a negative value -k means the value before it comes k times in all.
    counts = []
    for (value,) in struct.iter_unpack(">d", body):
        if value < 0:
            counts.extend([counts[-1]] * (int(-value) - 1))
        else:
            counts.append(value)
    if len(counts) != len(TAGS) ** 3:
        sys.exit(f"{path}: {len(counts)} counts, expected {len(TAGS) ** 3}")
    return counts


def unigrams(counts):
    n = len(TAGS)
    unigram = [0.0] * n
    for i, count in enumerate(counts):
        unigram[i % n] += count
    return unigram


def transitions(counts):
    n = len(TAGS)
    bigram = [0.0] * (n * n)
    for a in range(n):
        for b in range(n):
            for c in range(n):
                bigram[b * n + c] += counts[(a * n + b) * n + c]
    unigram = unigrams(counts)
    total = sum(unigram)
    table = []
    for a in range(n):
        for b in range(n):
            context = sum(counts[(a * n + b) * n:(a * n + b + 1) * n])
            before = sum(bigram[b * n:(b + 1) * n])
            for c in range(n):
                p3 = counts[(a * n + b) * n + c] / context if context else 0.0
                p2 = bigram[b * n + c] / before if before else 0.0
                p1 = unigram[c] / total
                p = WEIGHTS[0] * p3 + WEIGHTS[1] * p2 + WEIGHTS[2] * p1
                table.append(math.log(p) if p > 0 else -30.0)
    return table


def read_lexicon(path):
    entry = re.compile(r'^\("((?:[^"\\]|\\.)*)" \((.*)\) \(\) \)$')
    pair = re.compile(r"\((\S+) (-?[\d.]+)\)")
    words = {}
    for line in open(path, encoding="latin-1"):
        match = entry.match(line.strip())
        if not match:
            continue
        word = match.group(1).replace('\\"', '"').replace("\\\\", "\\").lower()
        # "1" and "2" mark a few dozen words ("quality", "matters", "up") apart from their parts
        # of speech; as tags they would win over nouns and verbs alike.
        tags = [(TAGS.index(tag), float(value)) for tag, value in pair.findall(match.group(2))
                if tag in TAGS and tag not in ("1", "2")]
        if tags and word not in words:
            words[word] = tags
    if len(words) < 20000:
        sys.exit(f"{path}: only {len(words)} words")
    return words


def c_float(value, digits):
    text = f"{value:.{digits}g}"
    return text + ("f" if "." in text or "e" in text else ".f")


def c_string(text):
    out = []
    for ch in text.encode("latin-1"):
        if ch in (0x22, 0x5C) or ch < 0x20 or ch > 0x7E:
            out.append(f"\\{ch:03o}")
        else:
            out.append(chr(ch))
    return "".join(out)


def main():
    lexicon_path, ngram_path, output = sys.argv[1:4]
    counts = read_trigram(ngram_path)
    words = read_lexicon(lexicon_path)
    ordered = sorted(words, key=lambda w: w.encode("latin-1"))
    lines = [NOTICE, '#include "language/EnglishTaggerTables.h"', "",
             "namespace corvel::englishTagger {", ""]
    lines.append("const float transitions[tagCount * tagCount * tagCount] = {")
    table = transitions(counts)
    for i in range(0, len(table), 8):
        lines.append("    " + " ".join(c_float(v, 5) + "," for v in table[i:i + 8]))
    lines.append("};")
    unigram = unigrams(counts)
    lines.append("const float tagPriors[tagCount] = {")
    priors = [math.log(u / sum(unigram)) if u > 0 else -30.0 for u in unigram]
    for i in range(0, len(priors), 8):
        lines.append("    " + " ".join(c_float(v, 5) + "," for v in priors[i:i + 8]))
    lines.append("};")
    lines.append(f"const std::uint32_t wordCount = {len(ordered)};")
    # One text, each word ending in a zero.
    lines.append("const char wordText[] =")
    for i in range(0, len(ordered), 12):
        lines.append('    "' + "".join(c_string(w) + "\\000" for w in ordered[i:i + 12]) + '"')
    lines.append(";")
    starts, emission_starts, emissions = [0], [0], []
    for word in ordered:
        starts.append(starts[-1] + len(word.encode("latin-1")) + 1)
        emissions.extend(words[word])
        emission_starts.append(len(emissions))
    for name, values in (("wordStart", starts), ("emissionStart", emission_starts)):
        lines.append(f"const std::uint32_t {name}[] = {{")
        for i in range(0, len(values), 12):
            lines.append("    " + " ".join(f"{v}," for v in values[i:i + 12]))
        lines.append("};")
    lines.append("const Emission emissions[] = {")
    for i in range(0, len(emissions), 6):
        lines.append("    " + " ".join(f"{{{t}, {c_float(v, 4)}}}," for t, v in emissions[i:i + 6]))
    lines.append("};")
    lines.append("")
    lines.append("} // namespace corvel::englishTagger")
    with open(output, "w", encoding="ascii") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
