#!/usr/bin/env python3
"""Writes the verb tables of the English question reading as a C++ source, from WordNet 3.0
(Debian's wordnet-base): which verbs take an object, and the irregular forms of verbs.

    english-verb-tables.py WORDNET_DIR OUTPUT

A verb takes an object when the senses of it whose sentence frames have a noun phrase after the
verb ("Somebody ----s something", "Somebody ----s somebody PP", ...) carry more of its tagged
occurrences (cntlist.rev) than its other senses; a verb none of whose senses was counted goes by
its first sense. Only verbs of one word are kept.
"""

import sys

# WordNet's generic verb frames with a noun phrase after the verb.
OBJECT_FRAMES = {5, 8, 9, 10, 11, 14, 15, 16, 17, 18, 19, 20, 21, 24, 25, 30, 31}

NOTICE = """\
// Derived from WordNet 3.0 (data.verb, index.verb, cntlist.rev and verb.exc) by
// resources/wordnet/english-verb-tables.py. Its notice:
//
//   WordNet 3.0 Copyright 2006 by Princeton University.  All rights reserved.
//
//   THIS SOFTWARE AND DATABASE IS PROVIDED "AS IS" AND PRINCETON
//   UNIVERSITY MAKES NO REPRESENTATIONS OR WARRANTIES, EXPRESS OR
//   IMPLIED.  BY WAY OF EXAMPLE, BUT NOT LIMITATION, PRINCETON
//   UNIVERSITY MAKES NO REPRESENTATIONS OR WARRANTIES OF MERCHANT-
//   ABILITY OR FITNESS FOR ANY PARTICULAR PURPOSE OR THAT THE USE
//   OF THE LICENSED SOFTWARE, DATABASE OR DOCUMENTATION WILL NOT
//   INFRINGE ANY THIRD PARTY PATENTS, COPYRIGHTS, TRADEMARKS OR
//   OTHER RIGHTS.
//
//   The name of Princeton University or Princeton may not be used in
//   advertising or publicity pertaining to distribution of the software
//   and/or database.  Title to copyright in this software, database and
//   any associated documentation shall at all times remain with
//   Princeton University and LICENSEE agrees to preserve same.
"""


def data_lines(path):
    for line in open(path, encoding="latin-1"):
        if not line.startswith("  "):
            yield line


def read_synsets(path):
    """Offset to (words, frames by word number; 0 for every word)."""
    synsets = {}
    for line in data_lines(path):
        fields = line.split("|")[0].split()
        word_count = int(fields[3], 16)
        words = [fields[4 + 2 * i].lower() for i in range(word_count)]
        i = 4 + 2 * word_count
        i += 1 + 4 * int(fields[i])  # pointers
        frames = []
        if i < len(fields):
            for k in range(int(fields[i])):
                frames.append((int(fields[i + 2 + 3 * k]), int(fields[i + 3 + 3 * k], 16)))
        synsets[fields[0]] = (words, frames)
    return synsets


def read_index(path):
    """Lemma to its synset offsets, most frequent sense first."""
    index = {}
    for line in data_lines(path):
        fields = line.split()
        pointer_count = int(fields[3])
        index[fields[0]] = fields[4 + pointer_count + 2:]
    return index


def read_counts(path):
    counts = {}
    for line in open(path, encoding="latin-1"):
        key, sense, count = line.split()
        lemma, kind = key.split("%", 1)
        if kind.startswith("2:"):
            counts[(lemma, int(sense))] = int(count)
    return counts


def takes_object(lemma, offsets, synsets, counts):
    with_object = without = 0
    first = None
    for sense, offset in enumerate(offsets, 1):
        words, frames = synsets[offset]
        number = words.index(lemma) + 1 if lemma in words else 0
        has_object = any(f in OBJECT_FRAMES for f, w in frames if w in (0, number))
        if first is None:
            first = has_object
        if has_object:
            with_object += counts.get((lemma, sense), 0)
        else:
            without += counts.get((lemma, sense), 0)
    return first if with_object == without == 0 else with_object > without


def c_string(text):
    return "".join(f"\\{ord(ch):03o}" if ch in '"\\' or not " " <= ch <= "~" else ch for ch in text)


def text_table(lines, name, words):
    lines.append(f"const char {name}Text[] =")
    for i in range(0, len(words), 12):
        lines.append('    "' + "".join(c_string(w) + "\\000" for w in words[i:i + 12]) + '"')
    lines.append(";")
    starts = [0]
    for word in words:
        starts.append(starts[-1] + len(word.encode("latin-1")) + 1)
    numbers(lines, f"std::uint32_t {name}Start", starts[:-1])


def numbers(lines, declaration, values):
    lines.append(f"const {declaration}[] = {{")
    for i in range(0, len(values), 16):
        lines.append("    " + " ".join(f"{v}," for v in values[i:i + 16]))
    lines.append("};")


def main():
    folder, output = sys.argv[1:3]
    synsets = read_synsets(f"{folder}/data.verb")
    index = read_index(f"{folder}/index.verb")
    counts = read_counts(f"{folder}/cntlist.rev")
    verbs = sorted((lemma for lemma in index if "_" not in lemma and lemma.isascii()),
                   key=lambda w: w.encode("latin-1"))
    if len(verbs) < 8000:
        sys.exit(f"{folder}: only {len(verbs)} verbs")
    position = {verb: i for i, verb in enumerate(verbs)}
    forms = {}
    for line in open(f"{folder}/verb.exc", encoding="latin-1"):
        form, *lemmas = line.split()
        known = [position[lemma] for lemma in lemmas if lemma in position]
        if known and form.isascii() and "_" not in form:
            forms[form] = known[0]
    ordered_forms = sorted(forms, key=lambda w: w.encode("latin-1"))

    lines = [NOTICE, '#include "listening/EnglishVerbTables.h"', "",
             "namespace corvel::englishVerbs {", ""]
    lines.append(f"const std::uint32_t verbCount = {len(verbs)};")
    text_table(lines, "verb", verbs)
    numbers(lines, "bool takesObject",
            [int(takes_object(v, index[v], synsets, counts)) for v in verbs])
    lines.append(f"const std::uint32_t irregularCount = {len(ordered_forms)};")
    text_table(lines, "irregular", ordered_forms)
    numbers(lines, "std::uint32_t irregularVerb", [forms[f] for f in ordered_forms])
    lines.append("")
    lines.append("} // namespace corvel::englishVerbs")
    with open(output, "w", encoding="ascii") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
