#include "core/SSEByteParser.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

using namespace corvel;
using Case = AnswerServiceError::Case;

namespace {

// Feeds `body` in pieces of `chunk` bytes and collects every event, the end flush included.
std::vector<SSEEvent> parseAll(const QByteArray& body, qsizetype chunk) {
    SSEByteParser parser;
    std::vector<SSEEvent> events;
    const auto collect = [&](SSEEvent&& event) {
        events.push_back(std::move(event));
        return true;
    };
    for (qsizetype at = 0; at < body.size(); at += chunk)
        parser.consume(QByteArrayView(body).sliced(at, std::min(chunk, body.size() - at)), collect);
    std::optional<SSEEvent> last;
    if (parser.hasPendingLine())
        last = parser.flushLine();
    if (!last)
        last = parser.eventParser().finish();
    if (last)
        events.push_back(std::move(*last));
    return events;
}

std::vector<SSEEvent> parseEveryWay(const QByteArray& body) {
    const auto whole = parseAll(body, std::max<qsizetype>(body.size(), 1));
    for (const qsizetype chunk : {1, 2, 3, 7})
        EXPECT_EQ(parseAll(body, chunk), whole) << "chunks of " << chunk;
    return whole;
}

Case failureOf(const QByteArray& body) {
    try {
        parseAll(body, 4096);
    } catch (const AnswerServiceError& error) {
        return error.errorCase();
    }
    return Case::rejectedRequest;
}

SSEEvent event(QByteArray data, std::optional<QByteArray> name = std::nullopt) {
    return SSEEvent{std::move(name), std::move(data)};
}

} // namespace

TEST(SseParser, LineEndsAndChunkingNeverChangeTheEvents) {
    const std::vector<SSEEvent> expected = {event("a", "one"), event("b\nc")};
    for (const QByteArray& end : {QByteArray("\n"), QByteArray("\r"), QByteArray("\r\n")}) {
        QByteArray body =
            "event: one" + end + "data: a" + end + end + "data:b" + end + "data: c" + end + end;
        EXPECT_EQ(parseEveryWay(body), expected) << end.toHex().constData();
    }
    // A CR LF pair is one line end: no extra empty line, so no event from the pair alone.
    EXPECT_EQ(parseEveryWay("data: x\r\n\r\n\r\n"), std::vector<SSEEvent>{event("x")});
    // An accented character split between chunks comes out whole.
    EXPECT_EQ(parseEveryWay("data: \xC3\xA9t\xC3\xA9 \xE2\x80\x99\n\n"),
              std::vector<SSEEvent>{event("\xC3\xA9t\xC3\xA9 \xE2\x80\x99")});
}

TEST(SseParser, FieldsCommentsAndDispatch) {
    EXPECT_EQ(parseEveryWay(": comment\n\ndata:x\ndata: y\ndata:  z\nid: 7\nretry: 1\n"
                            "field\n\n"),
              std::vector<SSEEvent>{event("x\ny\n z")});
    // A blank line without data dispatches nothing and forgets the event name.
    EXPECT_EQ(parseEveryWay("event: lost\n\ndata: kept\n\n"), std::vector<SSEEvent>{event("kept")});
    EXPECT_EQ(parseEveryWay("data\n\n"), std::vector<SSEEvent>{event("")});
    // The last line needs no line end; an open event is dispatched at the end.
    EXPECT_EQ(parseEveryWay("data: a\n\ndata: b"), (std::vector<SSEEvent>{event("a"), event("b")}));
}

TEST(SseParser, AByteOrderMarkIsDroppedFromTheFirstLineOnly) {
    EXPECT_EQ(parseEveryWay("\xEF\xBB\xBF"
                            "data: a\n\n"),
              std::vector<SSEEvent>{event("a")});
    // On a later line the mark is part of the field name, so the line is an unknown field.
    EXPECT_EQ(parseEveryWay("data: a\n\xEF\xBB\xBF"
                            "data: b\n\n"),
              std::vector<SSEEvent>{event("a")});
    EXPECT_EQ(parseEveryWay(": hi\ndata: \xEF\xBB\xBF"
                            "b\n\n"),
              std::vector<SSEEvent>{event("\xEF\xBB\xBF"
                                          "b")});
}

TEST(SseParser, LimitsAndInvalidText) {
    const qsizetype limit = 262'144;
    // A line of exactly the limit is read; one byte more fails.
    const QByteArray atLimit = "data:" + QByteArray(limit - 5, 'x');
    EXPECT_EQ(parseAll(atLimit + "\n\n", 65'536).at(0).data.size(), limit - 5);
    EXPECT_EQ(failureOf(atLimit + "x\n\n"), Case::invalidStream);

    // Each data value counts its size plus one.
    const QByteArray half = "data: " + QByteArray(131'071, 'a') + "\n";
    EXPECT_EQ(parseAll(half + half + "\n", 65'536).at(0).data.size(), 2 * 131'071 + 1);
    const QByteArray over = "data: " + QByteArray(131'072, 'a') + "\n";
    EXPECT_EQ(failureOf(over + over + "\n"), Case::invalidStream);

    // A name can only reach its limit through the line parser itself.
    SSEParser lines;
    EXPECT_NO_THROW(lines.consume("event: " + QByteArray(limit - 1, 'e')));
    EXPECT_THROW(lines.consume("event: " + QByteArray(limit, 'e')), AnswerServiceError);

    for (const QByteArray& bad : {QByteArray("data: \xC3\n"), QByteArray("data: \xC0\xAF\n"),
                                  QByteArray("data: \xED\xA0\x80\n"), QByteArray("\xFF\n")})
        EXPECT_EQ(failureOf(bad), Case::invalidStream) << bad.toHex().constData();
}

TEST(SseParser, Utf8CheckMatchesQt) {
    // Every one- and two-byte sequence after an ASCII run, judged as Qt's strict decoder does.
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; b += 3) {
            const QByteArray bytes =
                "abcdefgh" + QByteArray(1, char(a)) + QByteArray(1, char(b)) + "\xE2\x82\xAC";
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString text = decoder(bytes);
            EXPECT_EQ(SSEByteParser::isValidUtf8(bytes), !decoder.hasError())
                << bytes.toHex().constData();
        }
    }
}
