#pragma once

#include "core/AnswerStyle.h"
#include "core/InterviewContext.h"

#include <QString>

namespace corvel {

// The texts of one OpenAI answer request: the instructions of a style and the user message.
namespace AnswerPrompt {

QString instructions(AnswerStyle style);
// A one-line JSON object {"candidate_context": {...}, "question": ...} with sorted keys; each
// field trimmed and, past its limit, cut with a marker.
QString input(const QString& question, const InterviewContext& context);
// The "max_output_tokens" of a style.
int maxOutputTokens(AnswerStyle style);

// The first `limit` user-perceived characters of `text` trimmed, with the truncation marker when
// it was longer; shared with the cloud request, which cuts without the marker.
QString limitedText(const QString& text, qsizetype limit, bool withMarker);

} // namespace AnswerPrompt

} // namespace corvel
