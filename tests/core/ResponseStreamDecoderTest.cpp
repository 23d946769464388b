#include "core/ResponseStreamDecoder.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <random>
#include <variant>

using namespace corvel;
using Case = AnswerServiceError::Case;
using Kind = ResponseStreamUpdate::Kind;

namespace {

using Outcome = std::variant<ResponseStreamUpdate, Case>;

Outcome fullParse(const QByteArray& data) {
    try {
        return ResponseStreamDecoder::decodeWithJsonParser(data);
    } catch (const AnswerServiceError& error) {
        return error.errorCase();
    }
}

Outcome decode(const QByteArray& data) {
    try {
        return ResponseStreamDecoder::decode(SSEEvent{std::nullopt, data});
    } catch (const AnswerServiceError& error) {
        return error.errorCase();
    }
}

ResponseStreamUpdate delta(const QString& text) {
    return ResponseStreamUpdate::delta(text);
}

const QByteArray realistic =
    R"({"type":"response.output_text.delta","sequence_number":12,"item_id":"msg_67c9fdcf37fc8190",)"
    R"("output_index":0,"content_index":0,"delta":" Concrètement, j’ai","logprobs":[]})";

} // namespace

TEST(ResponseStreamDecoder, EventTypes) {
    const std::pair<QByteArray, Outcome> table[] = {
        {"[DONE]", ResponseStreamUpdate{}},
        {realistic, delta(QStringLiteral(" Concrètement, j’ai"))},
        {R"({"type":"response.output_text.delta","delta":""})", delta({})},
        {R"({"type":"response.completed","response":{}})",
         ResponseStreamUpdate{Kind::completed, {}}},
        {R"({"type":"response.created"})", ResponseStreamUpdate{}},
        {R"({"type":"response.incomplete"})", Case::incompleteAnswer},
        {R"({"type":"response.refusal.delta","delta":"no"})", Case::refused},
        {R"({"type":"response.refusal.done"})", Case::refused},
        {R"({"type":"response.failed","response":{"error":{"code":"rate_limit_exceeded"}}})",
         Case::rateLimited},
        {R"({"type":"response.failed","response":{"error":{"code":7}}})", Case::serverUnavailable},
        {R"({"type":"response.failed"})", Case::serverUnavailable},
        {R"({"type":"error","code":"SESSION_CONFLICT"})", Case::sessionConflict},
        {R"({"type":"error"})", Case::serverUnavailable},
    };
    for (const auto& [data, expected] : table)
        EXPECT_EQ(decode(data), expected) << data.constData();
    for (const char* bad : {R"({"type":"response.output_text.delta","delta":5})",
                            R"({"type":"response.output_text.delta"})", R"({"type":1})", "[1]",
                            "{}", "not json", "", "[DONE] "})
        EXPECT_EQ(decode(bad), Outcome(Case::invalidStream)) << bad;
}

TEST(ResponseStreamDecoder, TextDeltaReaderAgreesWithTheJsonParser) {
    std::vector<QByteArray> samples = {
        realistic,
        R"( { "delta" : "a\"b\\c\/d\b\f\n\r\t\u00e9\ud83d\ude00" , "type" : "response.output_text.delta" } )",
        R"({"type":"response.output_text.delta","delta":"x","n":-0,"m":null,"t":true,"f":false,"o":{}})",
        R"({"type":"response.output_text.delta","delta":"lone \ud800"})",
        R"({"type":"response.output_text.delta","delta":"x","type":"response.completed"})",
        R"({"type":"response.output_text.delta","delta":"x","delta":"y"})",
        R"({"type":"response.output_text.delta","delta":"x","n":1.5,"a":[1]})",
        R"({"type":"response.output_text.delta","delta":"x","big":12345678901234567890})",
        R"({"type":"response.output_text.delta","delta":"x","n":01})",
        R"({"ty\u0070e":"response.output_text.delta","delta":"x"})",
        R"({"type":"response.output_text.delta","delta":"x"} trailing)",
        R"({"type":"response.output_text.delta","delta":"tab	raw"})",
        "{\"type\":\"response.output_text.delta\",\n\"delta\":\"x\"\n}",
    };
    // Random damage to realistic events finds the corners the list above misses.
    std::mt19937 random(20'240'601);
    const QByteArray alphabet = R"({}[]":,\ u0123456789abcdefnrt-.eE+)";
    for (int i = 0; i < 20'000; ++i) {
        QByteArray sample = samples[random() % 3];
        for (int edits = 1 + random() % 3; edits > 0; --edits) {
            const qsizetype at = random() % sample.size();
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
            case 0:
                sample[at] = c;
                break;
            case 1:
                sample.insert(at, c);
                break;
            default:
                sample.remove(at, 1);
            }
        }
        // Events reach the decoder as valid UTF-8 only.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        [[maybe_unused]] const QString text = utf8(sample);
        if (!utf8.hasError())
            samples.push_back(sample);
    }
    int fast = 0;
    for (const QByteArray& sample : samples) {
        const auto quick = ResponseStreamDecoder::decodeTextDelta(sample);
        if (!quick)
            continue;
        ++fast;
        EXPECT_EQ(Outcome(*quick), fullParse(sample)) << sample.constData();
    }
    EXPECT_GT(fast, 1000) << "the quick reader should take most well-formed deltas";
}
