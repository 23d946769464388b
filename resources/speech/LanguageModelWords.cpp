// Prints the words of a language model, most probable first: one line each, the word alone.
//   corvel-lm-words MODEL
#include <sphinxbase/err.h>
#include <sphinxbase/logmath.h>
#include <sphinxbase/ngram_model.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvel-lm-words MODEL\n");
        return 2;
    }
    err_set_logfp(nullptr);
    logmath_t* logmath = logmath_init(1.0001, 0, 0);
    ngram_model_t* model = ngram_model_read(nullptr, argv[1], NGRAM_AUTO, logmath);
    if (!model) {
        std::fprintf(stderr, "corvel-lm-words: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<std::pair<int, std::string>> words;
    const int count = int(ngram_model_get_counts(model)[0]);
    for (int i = 0; i < count; ++i) {
        const char* word = ngram_word(model, i);
        words.emplace_back(ngram_score(model, word, nullptr), word);
    }
    // Ties keep the model's own order, so the list is the same on every machine.
    std::stable_sort(words.begin(), words.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [score, word] : words)
        std::printf("%s\n", word.c_str());
    ngram_model_free(model);
    logmath_free(logmath);
    return 0;
}
