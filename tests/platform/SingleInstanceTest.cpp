#include "platform/SingleInstance.h"

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace corvel;

namespace {

const QString callback = QStringLiteral("corvelinterview://auth/google?state=S&code=K");

// Every test gets a runtime folder of its own, as the user's session would provide.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        name = SingleInstance::serverName(QStringLiteral("corvel-interview"));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", saved); }

    // Runs a later launch of the app (the forwarding helper) while this instance keeps serving.
    static int launch(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(SINGLE_INSTANCE_FORWARD), arguments);
        QSignalSpy finished(&process, &QProcess::finished);
        if (!finished.wait(20'000))
            return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir runtime;
    QByteArray saved;
    QString name;
};

} // namespace

// The running instance replaces the socket a crashed one left behind.
TEST_F(SingleInstanceTest, ALaterLaunchHandsItsArgumentsToTheRunningInstance) {
    EXPECT_EQ(name,
              runtime.path() + QStringLiteral("/corvel-interview-") + QString::number(::getuid()));
    // A bound socket file that nobody listens on, as a killed instance leaves it.
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(descriptor, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = name.toLocal8Bit();
    ASSERT_LT(size_t(path.size()), sizeof(address.sun_path));
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(descriptor);
    EXPECT_EQ(launch({callback}), 1); // nobody to hand over to: this launch becomes the instance

    SingleInstance running(name);
    ASSERT_TRUE(running.listen());
    QSignalSpy received(&running, &SingleInstance::messageReceived);
    EXPECT_EQ(launch({callback}), 0);
    EXPECT_EQ(launch({}), 0); // a plain launch asks for the window
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[0][0].toStringList(), QStringList{callback});
    EXPECT_EQ(received[1][0].toStringList(), QStringList());

    SingleInstance second(name);
    EXPECT_FALSE(second.listen());
}

TEST_F(SingleInstanceTest, MalformedOrOversizedMessagesAreDroppedUnread) {
    SingleInstance running(name);
    ASSERT_TRUE(running.listen());
    QSignalSpy received(&running, &SingleInstance::messageReceived);

    auto send = [this](const QByteArray& header, const QByteArray& payload) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(5'000))
            return false;
        socket.write(header + payload);
        // The instance hangs up without answering.
        QSignalSpy closed(&socket, &QLocalSocket::disconnected);
        const bool hungUp = closed.wait(5'000);
        return hungUp && socket.bytesAvailable() == 0;
    };
    auto header = [](quint32 length) {
        QByteArray bytes(4, '\0');
        qToBigEndian(length, bytes.data());
        return bytes;
    };
    EXPECT_TRUE(send(header(SingleInstance::kMaximumMessageBytes + 1), QByteArray(1024, '[')));
    EXPECT_TRUE(send(header(8), "not json"));
    EXPECT_TRUE(send(header(5), "[1,2]"));
    EXPECT_TRUE(received.isEmpty());
    EXPECT_EQ(launch({callback}), 0);
    EXPECT_EQ(received.size(), 1);
}
