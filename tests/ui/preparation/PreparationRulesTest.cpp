#include "ui/preparation/PreparationRules.h"

#include <gtest/gtest.h>

// Readable failures: the texts rather than their bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace corvel;

namespace {
using Step = PreparationStep;

PreparationFacts callStep() {
    PreparationFacts facts;
    facts.step = Step::call;
    facts.hasJob = facts.hasResume = facts.prepared = true;
    return facts;
}
// The call step, prepared, with `change` applied.
template <typename Change> PreparationFacts with(Change change) {
    PreparationFacts facts = callStep();
    change(facts);
    return facts;
}
} // namespace

TEST(PreparationRulesTest, CompactThresholds) {
    EXPECT_TRUE(isCompactPreparation(699));
    EXPECT_FALSE(isCompactPreparation(700));
    EXPECT_TRUE(isCompactCopilot(579));
    EXPECT_FALSE(isCompactCopilot(580));
}

TEST(PreparationRulesTest, StepMarkers) {
    PreparationFacts facts;
    facts.step = Step::resume;
    facts.hasJob = true;
    const StepMarkerLook role = stepMarkerLook(Step::role, facts);
    EXPECT_TRUE(role.check);
    EXPECT_EQ(role.accessibleValue, QStringLiteral("Completed"));
    EXPECT_EQ(role.accessibleLabel, QStringLiteral("Step 1 of 3: The role"));
    const StepMarkerLook resume = stepMarkerLook(Step::resume, facts);
    EXPECT_FALSE(resume.check);
    EXPECT_TRUE(resume.filled);
    EXPECT_EQ(resume.number, QStringLiteral("02"));
    EXPECT_EQ(resume.accessibleValue, QStringLiteral("Current step"));
    const StepMarkerLook call = stepMarkerLook(Step::call, facts);
    EXPECT_FALSE(call.filled);
    EXPECT_EQ(call.accessibleValue, QStringLiteral("Not completed"));
    facts.sessionActive = true;
    EXPECT_TRUE(stepMarkerLook(Step::call, facts).check);
    // The current step shows its number even when complete.
    facts.step = Step::role;
    EXPECT_FALSE(stepMarkerLook(Step::role, facts).check);
}

TEST(PreparationRulesTest, FooterByStepSessionAndRoute) {
    using R = PreparationFooterLook::Right;
    using A = PreparationFooterLook::Action;
    struct Row {
        const char* name;
        PreparationFacts facts;
        R right;
        const char* title;
        bool enabled;
        A action;
    };
    const Row rows[] = {
        {"role, blank job", with([](auto& f) { f.step = Step::role, f.hasJob = false; }),
         R::primary, "Continue", false, A::select},
        {"role, job", with([](auto& f) { f.step = Step::role; }), R::primary, "Continue", true,
         A::select},
        {"role, starting", with([](auto& f) { f.step = Step::role, f.starting = true; }),
         R::primary, "Continue", false, A::select},
        {"resume", with([](auto& f) { f.step = Step::resume; }), R::primary, "Continue", true,
         A::select},
        {"in session", with([](auto& f) { f.sessionActive = true; }), R::primary,
         "Return to session", true, A::returnToSession},
        {"in session, starting", with([](auto& f) { f.sessionActive = f.starting = true; }),
         R::primary, "Return to session", false, A::returnToSession},
        {"starting", with([](auto& f) { f.starting = true; }), R::primary, "Starting…", false,
         A::none},
        {"not prepared", with([](auto& f) { f.prepared = false; }), R::primary, "Start session",
         false, A::launch},
        {"key ready", with([](auto& f) { f.routeReady = true; }), R::primary, "Start session", true,
         A::launch},
        {"cloud, signed out", with([](auto& f) { f.cloudConfigured = f.signInConfigured = true; }),
         R::signIn, "", false, A::none},
        {"cloud, refreshing", with([](auto& f) {
             f.cloudConfigured = f.signInConfigured = f.signedIn = f.refreshing = true;
         }),
         R::loading, "Loading your account…", false, A::none},
        {"cloud, signed in, not loaded",
         with([](auto& f) { f.cloudConfigured = f.signInConfigured = f.signedIn = true; }),
         R::accountButton, "Refresh account", true, A::refreshAccount},
        {"no cloud, no key, no sign-in", callStep(), R::accountButton, "Open settings", true,
         A::openSettings},
        // Signed in without a cloud route: a refresh would load nothing, the key is in settings.
        {"no cloud, signed in", with([](auto& f) { f.signedIn = true; }), R::accountButton,
         "Open settings", true, A::openSettings},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PreparationFooterLook look = preparationFooterLook(row.facts);
        EXPECT_EQ(look.right, row.right);
        EXPECT_EQ(look.title, QString::fromUtf8(row.title));
        EXPECT_EQ(look.enabled, row.enabled);
        EXPECT_EQ(look.action, row.action);
    }
    PreparationFacts role = callStep();
    role.step = Step::role;
    EXPECT_EQ(preparationFooterLook(role).hint, QStringLiteral("The role is in."));
    EXPECT_FALSE(preparationFooterLook(role).back);
    EXPECT_EQ(preparationFooterLook(callStep()).back, Step::resume);
}

TEST(PreparationRulesTest, CopilotWordsFollowTheFirstMatchingRow) {
    using Sq = CopilotLook::Square;
    using A = CopilotLook::Action;
    struct Row {
        const char* name;
        PreparationFacts facts;
        const char* heading;
        CloudMood mood;
        Sq square;
        const char* summary;
        A action;
    };
    const Row rows[] = {
        {"session",
         with([](auto& f) { f.sessionActive = true, f.step = Step::role, f.hasJob = false; }),
         "Your session is open.", CloudMood::ready, Sq::missing, "Google sign-in needed",
         A::connect},
        {"role, spaces", with([](auto& f) { f.step = Step::role, f.hasJob = false; }),
         "Let’s find your next role.", CloudMood::welcome, Sq::missing, "Google sign-in needed",
         A::connect},
        {"role, job", with([](auto& f) { f.step = Step::role; }), "That’s the role.",
         CloudMood::ready, Sq::missing, "Google sign-in needed", A::connect},
        {"resume, none", with([](auto& f) { f.step = Step::resume, f.hasResume = false; }),
         "Now, your story.", CloudMood::welcome, Sq::missing, "Google sign-in needed", A::connect},
        {"resume, in", with([](auto& f) { f.step = Step::resume; }), "Your experience is in.",
         CloudMood::ready, Sq::missing, "Google sign-in needed", A::connect},
        {"call, not prepared", with([](auto& f) { f.prepared = false, f.routeReady = true; }),
         "A little more to add.", CloudMood::welcome, Sq::ready, "Account ready", A::none},
        {"call, key", with([](auto& f) { f.routeReady = true; }), "Ready when you are.",
         CloudMood::ready, Sq::ready, "Account ready", A::none},
        {"call, refreshing",
         with([](auto& f) { f.cloudConfigured = f.signedIn = f.refreshing = true; }), "",
         CloudMood::welcome, Sq::refreshing, "", A::none},
        {"call, cloud, signed out", with([](auto& f) { f.cloudConfigured = true; }),
         "One sign-in away.", CloudMood::welcome, Sq::missing, "Google sign-in needed", A::connect},
        {"call, cloud, not loaded", with([](auto& f) { f.cloudConfigured = f.signedIn = true; }),
         "Let’s reconnect.", CloudMood::welcome, Sq::missing, "Account connection needed",
         A::refresh},
        // An account that is not loaded keeps the card's own words, whatever the error says.
        {"call, refresh failed", with([](auto& f) {
             f.cloudConfigured = f.signedIn = true,
             f.accountError = QStringLiteral("Sign in with Google again.");
         }),
         "Let’s reconnect.", CloudMood::welcome, Sq::missing, "Account connection needed",
         A::refresh},
        {"call, signed out after an error", with([](auto& f) {
             f.cloudConfigured = true, f.accountError = QStringLiteral("Session expired.");
         }),
         "One sign-in away.", CloudMood::welcome, Sq::missing, "Google sign-in needed", A::connect},
        {"call, cloud ready", with([](auto& f) {
             f.cloudConfigured = f.signedIn = f.accountLoaded = f.routeReady = true;
         }),
         "Ready when you are.", CloudMood::ready, Sq::ready, "", A::none},
        {"call, loaded with error", with([](auto& f) {
             f.cloudConfigured = f.signedIn = f.accountLoaded = true,
             f.accountError = QStringLiteral("No credit left.");
         }),
         "", CloudMood::welcome, Sq::missing, "No credit left.", A::none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CopilotLook look = copilotLook(row.facts);
        EXPECT_EQ(look.heading, QString::fromUtf8(row.heading));
        EXPECT_EQ(look.mood, row.mood);
        EXPECT_EQ(look.square, row.square);
        EXPECT_EQ(look.summary, QString::fromUtf8(row.summary));
        EXPECT_EQ(look.action, row.action);
    }
    PreparationFacts resume = callStep();
    resume.step = Step::resume;
    EXPECT_EQ(copilotLook(resume).caption, QStringLiteral("Step 2 of 3 · Your resume"));
}
