#!/usr/bin/env python3
"""Writes the WordNet tables of the English reading as a C++ source, from WordNet 3.0 (Debian's
wordnet-base): which verbs take an object, which also stand without one, which are verbs of
saying, thinking or making, the irregular forms of verbs, and which nouns name concrete things or
spans of time.

    english-wordnet-tables.py WORDNET_DIR OUTPUT

A verb takes an object when the senses of it whose sentence frames have a noun phrase after the
verb ("Somebody ----s something", "Somebody ----s somebody PP", ...) carry more of its tagged
occurrences (cntlist.rev) than its other senses; a verb none of whose senses was counted goes by
its first sense. Only verbs of one word are kept.

A verb is one of saying, thinking or making when its senses filed under verb.communication,
verb.cognition or verb.creation carry at least 40 % of its tagged occurrences ("tell", "choose",
"sketch", "show"; not "give", "take", "feel"); a verb none of whose senses was counted goes by
whether any sense is filed there. A noun names a concrete thing or a span of time when more than
half its tagged occurrences (else its first sense) fall under the artifact, time, substance, food,
object, body, plant, animal or location files ("screen", "second", "water"; not "example").
"""

import sys

# WordNet's lexicographer files (lexnames) of verbs of saying, thinking and making, and of nouns
# of concrete things and spans of time.
SPEAKING_FILES = {31, 32, 36}
CONCRETE_FILES = {5, 6, 8, 13, 15, 17, 20, 27, 28}
SPEAKING_SHARE = 0.4

# WordNet's generic verb frames with nothing after the verb ("Somebody ----s").
ALONE_FRAMES = {1, 2, 3, 23}
ALONE_SHARE = 0.3

# WordNet's generic verb frames with a noun phrase after the verb.
OBJECT_FRAMES = {5, 8, 9, 10, 11, 14, 15, 16, 17, 18, 19, 20, 21, 24, 25, 30, 31}

NOTICE = """\
// Derived from WordNet 3.0 (data.verb, data.noun, index.verb, index.noun, cntlist.rev and verb.exc)
// by resources/wordnet/english-wordnet-tables.py. Its notice:
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
    """Offset to (words, frames by word number; 0 for every word, lexicographer file)."""
    synsets = {}
    for line in data_lines(path):
        fields = line.split("|")[0].split()
        lexname = int(fields[1])
        word_count = int(fields[3], 16)
        words = [fields[4 + 2 * i].lower() for i in range(word_count)]
        i = 4 + 2 * word_count
        i += 1 + 4 * int(fields[i])  # pointers
        frames = []
        if i < len(fields):
            for k in range(int(fields[i])):
                frames.append((int(fields[i + 2 + 3 * k]), int(fields[i + 3 + 3 * k], 16)))
        synsets[fields[0]] = (words, frames, lexname)
    return synsets


def read_index(path):
    """Lemma to its synset offsets, most frequent sense first."""
    index = {}
    for line in data_lines(path):
        fields = line.split()
        pointer_count = int(fields[3])
        index[fields[0]] = fields[4 + pointer_count + 2:]
    return index


def read_counts(path, part):
    """(lemma, sense number) to the times that sense was tagged, for part 1 (nouns) or 2 (verbs)."""
    counts = {}
    for line in open(path, encoding="latin-1"):
        key, sense, count = line.split()
        lemma, kind = key.split("%", 1)
        if kind.startswith(f"{part}:"):
            counts[(lemma, int(sense))] = int(count)
    return counts


def share_in(lemma, offsets, synsets, counts, files):
    """The share of the lemma's tagged occurrences in senses filed under `files`; none when no
    sense of it was counted."""
    inside = total = 0
    for sense, offset in enumerate(offsets, 1):
        count = counts.get((lemma, sense), 0)
        total += count
        if synsets[offset][2] in files:
            inside += count
    return inside / total if total else None


def is_speaking(lemma, offsets, synsets, counts):
    share = share_in(lemma, offsets, synsets, counts, SPEAKING_FILES)
    if share is None:
        return any(synsets[o][2] in SPEAKING_FILES for o in offsets)
    return share >= SPEAKING_SHARE


def is_concrete(lemma, offsets, synsets, counts):
    share = share_in(lemma, offsets, synsets, counts, CONCRETE_FILES)
    if share is None:
        return synsets[offsets[0]][2] in CONCRETE_FILES
    return share > 0.5


def takes_object(lemma, offsets, synsets, counts):
    with_object = without = 0
    first = None
    for sense, offset in enumerate(offsets, 1):
        words, frames, _ = synsets[offset]
        number = words.index(lemma) + 1 if lemma in words else 0
        has_object = any(f in OBJECT_FRAMES for f, w in frames if w in (0, number))
        if first is None:
            first = has_object
        if has_object:
            with_object += counts.get((lemma, sense), 0)
        else:
            without += counts.get((lemma, sense), 0)
    return first if with_object == without == 0 else with_object > without


def stands_alone(lemma, offsets, synsets, counts):
    """Whether senses of the verb that take nothing after it, and no object, carry at least 30 %
    of its tagged occurrences ("leave", "grow", "cope"; not "describe", "enjoy"); a verb none of
    whose senses was counted goes by its first sense."""
    alone = total = 0
    first = None
    for sense, offset in enumerate(offsets, 1):
        words, frames, _ = synsets[offset]
        number = words.index(lemma) + 1 if lemma in words else 0
        own = {f for f, w in frames if w in (0, number)}
        pure = bool(own & ALONE_FRAMES) and not own & OBJECT_FRAMES
        if first is None:
            first = pure
        count = counts.get((lemma, sense), 0)
        total += count
        alone += count if pure else 0
    return alone / total >= ALONE_SHARE if total else first


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
    counts = read_counts(f"{folder}/cntlist.rev", 2)
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

    lines = [NOTICE, '#include "language/EnglishNounTables.h"',
             '#include "language/EnglishVerbTables.h"', "", "namespace corvel::englishVerbs {", ""]
    lines.append(f"const std::uint32_t verbCount = {len(verbs)};")
    text_table(lines, "verb", verbs)
    numbers(lines, "bool takesObject",
            [int(takes_object(v, index[v], synsets, counts)) for v in verbs])
    numbers(lines, "bool speaks", [int(is_speaking(v, index[v], synsets, counts)) for v in verbs])
    numbers(lines, "bool standsAlone",
            [int(stands_alone(v, index[v], synsets, counts)) for v in verbs])
    lines.append(f"const std::uint32_t irregularCount = {len(ordered_forms)};")
    text_table(lines, "irregular", ordered_forms)
    numbers(lines, "std::uint32_t irregularVerb", [forms[f] for f in ordered_forms])
    lines.append("")
    lines.append("} // namespace corvel::englishVerbs")
    lines.append("")

    noun_synsets = read_synsets(f"{folder}/data.noun")
    noun_index = read_index(f"{folder}/index.noun")
    noun_counts = read_counts(f"{folder}/cntlist.rev", 1)
    concrete = sorted((lemma for lemma, offsets in noun_index.items()
                       if lemma.isascii() and lemma.isalpha()
                       and is_concrete(lemma, offsets, noun_synsets, noun_counts)),
                      key=lambda w: w.encode("latin-1"))
    if len(concrete) < 10000:
        sys.exit(f"{folder}: only {len(concrete)} concrete nouns")
    lines += ["namespace corvel::englishNouns {", ""]
    lines.append(f"const std::uint32_t concreteCount = {len(concrete)};")
    text_table(lines, "concrete", concrete)
    lines.append("")
    lines.append("} // namespace corvel::englishNouns")
    with open(output, "w", encoding="ascii") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
