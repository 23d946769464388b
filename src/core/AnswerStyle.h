#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace corvel {

enum class AnswerStyle { adaptive, concise, star, detailed };

// Stored raw value ("Adaptative", "Essentielle", "Méthode STAR", "Approfondie").
QString rawValue(AnswerStyle style);
std::optional<AnswerStyle> answerStyleFromRaw(const QString& raw);
const std::vector<AnswerStyle>& allAnswerStyles();
// Shown to the user: "Adaptive", "Concise", "STAR method", "Detailed".
QString displayName(AnswerStyle style);
// Sent to the cloud service: the case name.
QString caseName(AnswerStyle style);

} // namespace corvel
