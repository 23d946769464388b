#include "core/AnswerStyle.h"

#include "core/RawValue.h"

namespace corvel {

namespace {
const std::array<std::pair<AnswerStyle, QString>, 4>& rawTable() {
    static const std::array<std::pair<AnswerStyle, QString>, 4> table{{
        {AnswerStyle::adaptive, QStringLiteral("Adaptative")},
        {AnswerStyle::concise, QStringLiteral("Essentielle")},
        {AnswerStyle::star, QStringLiteral("Méthode STAR")},
        {AnswerStyle::detailed, QStringLiteral("Approfondie")},
    }};
    return table;
}
} // namespace

QString rawValue(AnswerStyle style) {
    return enumToRaw(rawTable(), style);
}

std::optional<AnswerStyle> answerStyleFromRaw(const QString& raw) {
    return enumFromRaw(rawTable(), raw);
}

const std::vector<AnswerStyle>& allAnswerStyles() {
    static const std::vector<AnswerStyle> all{AnswerStyle::adaptive, AnswerStyle::concise,
                                              AnswerStyle::star, AnswerStyle::detailed};
    return all;
}

QString displayName(AnswerStyle style) {
    switch (style) {
    case AnswerStyle::adaptive:
        return QStringLiteral("Adaptive");
    case AnswerStyle::concise:
        return QStringLiteral("Concise");
    case AnswerStyle::star:
        return QStringLiteral("STAR method");
    case AnswerStyle::detailed:
        return QStringLiteral("Detailed");
    }
    return {};
}

QString caseName(AnswerStyle style) {
    switch (style) {
    case AnswerStyle::adaptive:
        return QStringLiteral("adaptive");
    case AnswerStyle::concise:
        return QStringLiteral("concise");
    case AnswerStyle::star:
        return QStringLiteral("star");
    case AnswerStyle::detailed:
        return QStringLiteral("detailed");
    }
    return {};
}

} // namespace corvel
