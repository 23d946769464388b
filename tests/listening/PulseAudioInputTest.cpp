#include "listening/PulseAudioInput.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace Qt::StringLiterals;
using Failure = PulseRecordStream::Failure;

TEST(PulseAudioInput, OnlyFindingNothingToRecordGetsTheCallAudioAdvice) {
    const QString advice = u"Could not capture call audio. Check that the sound server is running "
                           "and your speakers or headphones are selected. "_s;
    const QString noServer = u"The sound server is not available (Connection refused)."_s;
    const QString streamFailed = u"The sound server stopped the recording (Access denied)."_s;
    const struct {
        AudioSource source;
        Failure failure;
        QString reason;
        CaptureError::Kind kind;
        QString message;
    } cases[] = {
        {AudioSource::system, Failure::serverUnavailable, u"Connection refused"_s,
         CaptureError::Kind::systemAudioUnavailable, advice + noServer},
        {AudioSource::system, Failure::noDevice, u"No audio output device is available."_s,
         CaptureError::Kind::systemAudioUnavailable,
         advice + u"No audio output device is available."_s},
        {AudioSource::system, Failure::streamFailed, u"Access denied"_s,
         CaptureError::Kind::platform, streamFailed},
        {AudioSource::microphone, Failure::serverUnavailable, u"Connection refused"_s,
         CaptureError::Kind::platform, noServer},
        {AudioSource::microphone, Failure::noDevice, u"No audio input device is available."_s,
         CaptureError::Kind::noMicrophone, CaptureError::noMicrophone().message()},
        {AudioSource::microphone, Failure::streamFailed, u"Access denied"_s,
         CaptureError::Kind::platform, streamFailed},
    };
    for (const auto& row : cases) {
        const CaptureError error = PulseAudioInput::startError(row.source, row.failure, row.reason);
        EXPECT_EQ(error.kind(), row.kind) << row.message.toStdString();
        EXPECT_EQ(error.message(), row.message);
    }
}
