#include "listening/MacPermissionStore.h"
#include "listening/SystemMacPermissionProvider.h"

#include "FakeCaptureStack.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <map>

using namespace corvel;
using corvel::test::settle;

namespace {

class FakePermissionProvider final : public MacPermissionProvider {
public:
    MacPermissionStatus status(MacPermissionKind kind) override { return statuses[kind]; }
    QCoro::Task<> request(MacPermissionKind kind, CancelToken token) override {
        requests.push_back(kind);
        Wakeup wakeup = answer;
        const auto registration = token.onCancel([wakeup]() mutable { wakeup.fireSoon(); });
        co_await wakeup;
        token.throwIfCancelled();
    }
    bool openSettings(MacPermissionKind) override { return false; }

    std::map<MacPermissionKind, MacPermissionStatus> statuses{
        {MacPermissionKind::speech, MacPermissionStatus::needsAccess},
        {MacPermissionKind::callAudio, MacPermissionStatus::needsAccess},
        {MacPermissionKind::microphone, MacPermissionStatus::allowed}};
    std::vector<MacPermissionKind> requests;
    Wakeup answer;
};

} // namespace

TEST(MacPermissionStore, OneRequestAtATimeEndingWithARefresh) {
    auto provider = std::make_shared<FakePermissionProvider>();
    MacPermissionStore store(provider, true, true);
    EXPECT_EQ(store.microphone(), MacPermissionStatus::allowed);
    EXPECT_FALSE(store.callReady());

    store.request(MacPermissionKind::microphone);
    EXPECT_FALSE(store.requesting()) << "only a kind that needs access is requested";

    store.request(MacPermissionKind::speech);
    store.request(MacPermissionKind::speech);
    store.request(MacPermissionKind::callAudio);
    settle();
    EXPECT_EQ(provider->requests, std::vector{MacPermissionKind::speech});
    EXPECT_EQ(store.requesting(), MacPermissionKind::speech);

    provider->statuses[MacPermissionKind::speech] = MacPermissionStatus::allowed;
    provider->statuses[MacPermissionKind::callAudio] = MacPermissionStatus::allowed;
    provider->answer.fire();
    settle();
    EXPECT_FALSE(store.requesting());
    EXPECT_EQ(store.speech(), MacPermissionStatus::allowed);
    EXPECT_TRUE(store.callReady());
}

TEST(MacPermissionStore, AnAbandonedRequestTouchesNothingWhenItEnds) {
    auto provider = std::make_shared<FakePermissionProvider>();
    MacPermissionStore store(provider, false, false);
    EXPECT_EQ(store.microphone(), MacPermissionStatus::needsAccess) << "not read yet";
    store.request(MacPermissionKind::callAudio);
    settle();
    ASSERT_EQ(store.requesting(), MacPermissionKind::callAudio);

    QSignalSpy requesting(&store, &MacPermissionStore::requestingChanged);
    store.cancelRequest();
    EXPECT_FALSE(store.requesting());
    EXPECT_EQ(requesting.count(), 1);
    store.request(MacPermissionKind::speech);
    EXPECT_FALSE(store.requesting()) << "refused until the abandoned task has ended";

    provider->statuses[MacPermissionKind::callAudio] = MacPermissionStatus::allowed;
    settle();
    EXPECT_EQ(store.callAudio(), MacPermissionStatus::needsAccess);
    EXPECT_EQ(requesting.count(), 1);

    store.request(MacPermissionKind::speech);
    EXPECT_EQ(store.requesting(), MacPermissionKind::speech);
    EXPECT_EQ(store.callAudio(), MacPermissionStatus::allowed) << "each request refreshes first";
    provider->answer.fire();
    settle();
}

TEST(SystemMacPermissionProvider, StatusesTellWhatTheSystemHas) {
    PulseServerState server;
    QStringList locales;
    QStringList launched;
    bool launchWorks = true;
    QStringList programs;
    QStringList handledSchemes;
    SystemMacPermissionProvider provider({
        [&] { return server; },
        [&] { return locales; },
        [&](const QString& program) {
            return programs.contains(program) ? QStringLiteral("/usr/bin/") + program : QString();
        },
        [&](const QString& program, const QStringList& arguments) {
            launched.append(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
            return launchWorks;
        },
        [&](const QString& url) { return handledSchemes.contains(url.section(u':', 0, 0)); },
    });
    EXPECT_EQ(provider.status(MacPermissionKind::speech), MacPermissionStatus::restricted);
    EXPECT_EQ(provider.status(MacPermissionKind::callAudio), MacPermissionStatus::needsAccess);
    EXPECT_EQ(provider.status(MacPermissionKind::microphone), MacPermissionStatus::denied);

    locales = {QStringLiteral("en-US")};
    server = {true, {}, true, false};
    EXPECT_EQ(provider.status(MacPermissionKind::speech), MacPermissionStatus::allowed);
    EXPECT_EQ(provider.status(MacPermissionKind::callAudio), MacPermissionStatus::allowed);
    EXPECT_EQ(provider.status(MacPermissionKind::microphone), MacPermissionStatus::denied);
    server = {true, {}, false, true};
    EXPECT_EQ(provider.status(MacPermissionKind::callAudio), MacPermissionStatus::needsAccess);
    EXPECT_EQ(provider.status(MacPermissionKind::microphone), MacPermissionStatus::allowed);

    programs = {QStringLiteral("xdg-open")};
    EXPECT_FALSE(provider.openSettings(MacPermissionKind::microphone))
        << "nothing to open: no mixer, no desktop settings, no handler of the settings link";
    EXPECT_TRUE(launched.isEmpty());
    handledSchemes = {QStringLiteral("settings")};
    EXPECT_TRUE(provider.openSettings(MacPermissionKind::microphone));
    programs = {QStringLiteral("pavucontrol"), QStringLiteral("gnome-control-center"),
                QStringLiteral("xdg-open")};
    EXPECT_TRUE(provider.openSettings(MacPermissionKind::microphone));
    EXPECT_TRUE(provider.openSettings(MacPermissionKind::callAudio));
    launchWorks = false;
    EXPECT_FALSE(provider.openSettings(MacPermissionKind::callAudio));
    EXPECT_EQ(launched, (QStringList{
                            QStringLiteral("/usr/bin/xdg-open settings://sound"),
                            QStringLiteral("/usr/bin/pavucontrol --tab=4"),
                            QStringLiteral("/usr/bin/pavucontrol --tab=3"),
                            QStringLiteral("/usr/bin/pavucontrol --tab=3"),
                            QStringLiteral("/usr/bin/gnome-control-center sound"),
                            QStringLiteral("/usr/bin/xdg-open settings://sound"),
                        }));
}
