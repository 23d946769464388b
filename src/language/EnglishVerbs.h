#pragma once

#include <QString>

#include <optional>

namespace corvel {

// English verbs as WordNet knows them: whether a verb takes an object, from the sentence frames of
// its senses weighted by how often each sense was seen, with a form led back to its verb as
// WordNet's own morphology does ("went" to "go", "relies" to "rely", "leaning" to "lean").
class EnglishVerbs final {
public:
    EnglishVerbs() = delete;

    // Whether the verb of which `word` (lower case) is a form mostly takes a noun phrase as its
    // object: "learn", "think", "say" do; "work", "rely", "go", "talk" do not. None for a word
    // that is no verb.
    static std::optional<bool> takesObject(const QString& word);
    // Whether the verb of which `word` is a form is mostly one of saying, thinking or making, as
    // a request to the listener asks them to speak, recall or choose: "tell", "summarise",
    // "pick", "sketch" are; "give", "take", "feel", "let" are not. False for a word that is no
    // verb.
    static bool speaks(const QString& word);
    // Whether the verb of which `word` is a form mostly stands without an object, by its senses
    // that take none ("Why did you leave?", "How do you cope?"), unlike "describe" or "enjoy",
    // after which a question waits for its object. None for a word that is no verb.
    static std::optional<bool> standsAlone(const QString& word);
};

} // namespace corvel
