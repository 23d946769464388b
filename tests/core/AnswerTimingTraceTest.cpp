#include "core/AnswerTimingTrace.h"

#include <gtest/gtest.h>

using namespace corvel;

TEST(AnswerTimingTrace, QuestionStabilityIsMeasuredToTheStartAndNeverNegative) {
    EXPECT_EQ(AnswerTimingTrace(5000.0, 4999.2).metrics.questionStabilityMilliseconds, 800);
    EXPECT_EQ(AnswerTimingTrace(123456.789, 123455.989).metrics.questionStabilityMilliseconds, 800);
    EXPECT_FALSE(AnswerTimingTrace(5000.0, std::nullopt).metrics.questionStabilityMilliseconds);
    EXPECT_EQ(AnswerTimingTrace(5000.0, 5001.0).metrics.questionStabilityMilliseconds, 0);
}

TEST(AnswerTimingTrace, EachFigureIsSetOnceByTheFirstQualifyingDelta) {
    AnswerTimingTrace trace(100.0, std::nullopt);
    trace.receivedText(100.4567, false);
    EXPECT_EQ(trace.metrics.firstTokenMilliseconds, 456);
    EXPECT_FALSE(trace.metrics.firstCueMilliseconds);
    trace.receivedText(100.9, false);
    EXPECT_EQ(trace.metrics.firstTokenMilliseconds, 456);
    trace.receivedText(101.25, true);
    EXPECT_EQ(trace.metrics.firstCueMilliseconds, 1250);
    trace.receivedText(102.0, true);
    EXPECT_EQ(trace.metrics.firstCueMilliseconds, 1250);
    EXPECT_FALSE(trace.metrics.totalMilliseconds);

    AnswerTimingTrace early(100.0, std::nullopt);
    early.receivedText(99.0, true);
    EXPECT_EQ(early.metrics.firstTokenMilliseconds, 0);
    EXPECT_EQ(early.metrics.firstCueMilliseconds, 0);
}
