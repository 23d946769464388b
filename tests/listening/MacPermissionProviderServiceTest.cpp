#include "listening/SystemMacPermissionProvider.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace corvel;

// Against the sound server scripts/test starts: an output with a monitor and a virtual microphone.
TEST(SystemMacPermissionProviderService, TheSoundServerDecidesCallAudioAndMicrophone) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER"));
    SystemMacPermissionProvider provider;
    EXPECT_EQ(provider.status(MacPermissionKind::speech), MacPermissionStatus::allowed);
    EXPECT_EQ(provider.status(MacPermissionKind::callAudio), MacPermissionStatus::allowed);
    EXPECT_EQ(provider.status(MacPermissionKind::microphone), MacPermissionStatus::allowed);

    const QByteArray server = qgetenv("PULSE_SERVER");
    QTemporaryDir directory;
    qputenv("PULSE_SERVER", "unix:" + directory.filePath(QStringLiteral("none")).toUtf8());
    const auto callAudio = provider.status(MacPermissionKind::callAudio);
    const auto microphone = provider.status(MacPermissionKind::microphone);
    qputenv("PULSE_SERVER", server);
    EXPECT_EQ(callAudio, MacPermissionStatus::needsAccess);
    EXPECT_EQ(microphone, MacPermissionStatus::denied);
}
