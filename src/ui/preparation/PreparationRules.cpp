#include "ui/preparation/PreparationRules.h"

#include "account/GoogleAuthStore.h"
#include "session/AppStore.h"
#include "ui/preparation/GuidedSetupRules.h"

namespace corvel {

namespace {
bool present(const QString& text) {
    return !text.trimmed().isEmpty();
}
} // namespace

PreparationFacts PreparationFacts::read(const AppStore& store, const GoogleAuthStore& auth) {
    PreparationFacts facts;
    const InterviewContext& context = store.context();
    facts.step = store.preparationStep();
    facts.hasJob = present(context.jobDescription);
    facts.hasResume = present(context.resume);
    facts.prepared = context.ready();
    facts.sessionActive = store.isSessionActive();
    facts.starting = store.isStarting();
    facts.cloudConfigured = store.isCloudConfigured();
    facts.routeReady = interviewAccountReady(store.isCloudConfigured(),
                                             store.canStartCloudSession(), store.hasAPIKey());
    facts.signedIn = auth.account().has_value();
    facts.signInConfigured = auth.isConfigured();
    facts.refreshing = store.isRefreshingCloudAccount();
    facts.accountLoaded = store.cloudAccount().has_value();
    facts.accountError = store.cloudAccountError();
    return facts;
}

QString preparationStepTitle(PreparationStep step) {
    switch (step) {
    case PreparationStep::role:
        return QStringLiteral("The role");
    case PreparationStep::resume:
        return QStringLiteral("Your resume");
    case PreparationStep::call:
        break;
    }
    return QStringLiteral("Your call");
}

QString preparationStepHeading(PreparationStep step) {
    switch (step) {
    case PreparationStep::role:
        return QStringLiteral("What’s the opportunity?");
    case PreparationStep::resume:
        return QStringLiteral("Bring your experience.");
    case PreparationStep::call:
        break;
    }
    return QStringLiteral("Make it your interview.");
}

QString preparationStepSubtitle(PreparationStep step) {
    switch (step) {
    case PreparationStep::role:
        return QStringLiteral("Add the job you’re going for.");
    case PreparationStep::resume:
        return QStringLiteral("Upload your resume or paste its text.");
    case PreparationStep::call:
        break;
    }
    return QStringLiteral("Choose the spoken language. Add anything else that matters.");
}

int preparationStepNumber(PreparationStep step) {
    return rawValue(step) + 1;
}

StepMarkerLook stepMarkerLook(PreparationStep step, const PreparationFacts& facts) {
    StepMarkerLook look;
    look.current = step == facts.step;
    look.complete = step == PreparationStep::role     ? facts.hasJob
                    : step == PreparationStep::resume ? facts.hasResume
                                                      : facts.sessionActive;
    look.filled = look.current || look.complete;
    look.check = look.complete && !look.current;
    const int number = preparationStepNumber(step);
    look.number = QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
    look.accessibleLabel =
        QStringLiteral("Step %1 of 3: ").arg(number) + preparationStepTitle(step);
    look.accessibleValue = look.current    ? QStringLiteral("Current step")
                           : look.complete ? QStringLiteral("Completed")
                                           : QStringLiteral("Not completed");
    return look;
}

PreparationFooterLook preparationFooterLook(const PreparationFacts& facts) {
    using Look = PreparationFooterLook;
    Look look;
    switch (facts.step) {
    case PreparationStep::role:
        look.hint = facts.hasJob ? QStringLiteral("The role is in.")
                                 : QStringLiteral("A job description is all you need here.");
        look.title = QStringLiteral("Continue");
        look.enabled = facts.hasJob && !facts.starting;
        look.action = Look::Action::select;
        look.target = PreparationStep::resume;
        return look;
    case PreparationStep::resume:
        look.back = PreparationStep::role;
        look.title = QStringLiteral("Continue");
        look.enabled = facts.hasResume && !facts.starting;
        look.action = Look::Action::select;
        look.target = PreparationStep::call;
        return look;
    case PreparationStep::call:
        break;
    }
    look.back = PreparationStep::resume;
    if (facts.sessionActive) {
        look.title = QStringLiteral("Return to session");
        look.enabled = !facts.starting;
        look.action = Look::Action::returnToSession;
        return look;
    }
    if (facts.starting) {
        look.title = QStringLiteral("Starting…");
        return look;
    }
    if (!facts.prepared || facts.routeReady) {
        look.title = QStringLiteral("Start session");
        look.enabled = facts.prepared && facts.routeReady;
        look.action = Look::Action::launch;
        return look;
    }
    if (!facts.signedIn && facts.signInConfigured) {
        look.right = Look::Right::signIn;
        return look;
    }
    if (facts.refreshing) {
        look.right = Look::Right::loading;
        look.title = QStringLiteral("Loading your account…");
        return look;
    }
    look.right = Look::Right::accountButton;
    look.enabled = true;
    // Without the cloud route a refresh has nothing to load: the key is added in the settings.
    if (facts.signedIn && facts.cloudConfigured) {
        look.title = QStringLiteral("Refresh account");
        look.action = Look::Action::refreshAccount;
    } else {
        look.title = QStringLiteral("Open settings");
        look.action = Look::Action::openSettings;
    }
    return look;
}

namespace {

struct Words {
    QString heading;
    QString guidance;
};

Words copilotWords(const PreparationFacts& facts) {
    if (facts.sessionActive)
        return {QStringLiteral("Your session is open."),
                QStringLiteral("Your call keeps its original dossier. These edits prepare your "
                               "next interview. Return to Session whenever you’re ready.")};
    switch (facts.step) {
    case PreparationStep::role:
        if (facts.hasJob)
            return {QStringLiteral("That’s the role."),
                    QStringLiteral("Next, add your story. I’ll connect your experience to what "
                                   "they’re looking for.")};
        return {QStringLiteral("Let’s find your next role."),
                QStringLiteral("Paste the job description. I’ll use it to keep your answers "
                               "relevant.")};
    case PreparationStep::resume:
        if (facts.hasResume)
            return {QStringLiteral("Your experience is in."),
                    QStringLiteral("One last thing: choose the language you’ll speak during the "
                                   "call.")};
        return {QStringLiteral("Now, your story."),
                QStringLiteral("Bring your resume. Your answer cues should start with what "
                               "you’ve actually done.")};
    case PreparationStep::call:
        break;
    }
    if (!facts.prepared)
        return {QStringLiteral("A little more to add."),
                QStringLiteral("Add the job and your resume, then we can get started.")};
    if (facts.routeReady)
        return {QStringLiteral("Ready when you are."),
                QStringLiteral("You bring the experience. I’ll help you find a clear way to tell "
                               "it. Start when your call is about to begin.")};
    if (facts.refreshing)
        return {{}, QStringLiteral("Your preparation is ready.")};
    if (!facts.signedIn)
        return {QStringLiteral("One sign-in away."),
                QStringLiteral("Your preparation is saved. Sign in with Google for live answer "
                               "cues.")};
    if (!facts.accountLoaded)
        return {QStringLiteral("Let’s reconnect."), QStringLiteral("Your preparation is saved.")};
    return {};
}

bool stepDone(const PreparationFacts& facts) {
    switch (facts.step) {
    case PreparationStep::role:
        return facts.hasJob;
    case PreparationStep::resume:
        return facts.hasResume;
    case PreparationStep::call:
        break;
    }
    return facts.prepared && facts.routeReady;
}

} // namespace

CopilotLook copilotLook(const PreparationFacts& facts) {
    using Look = CopilotLook;
    Look look;
    const Words words = copilotWords(facts);
    look.heading = words.heading;
    look.guidance = words.guidance;
    look.caption = QStringLiteral("Step %1 of 3 · ").arg(preparationStepNumber(facts.step)) +
                   preparationStepTitle(facts.step);
    look.mood = stepDone(facts) || facts.sessionActive ? CloudMood::ready : CloudMood::welcome;
    look.routeBlock = facts.step == PreparationStep::call && !facts.sessionActive;
    look.square = facts.routeReady   ? Look::Square::ready
                  : facts.refreshing ? Look::Square::refreshing
                                     : Look::Square::missing;
    // A loaded account with an error has no words of its own: it says what the error is.
    if (facts.refreshing)
        look.summary.clear();
    else if (facts.accountLoaded)
        look.summary = facts.routeReady ? QString() : facts.accountError.value_or(QString());
    else if (facts.routeReady)
        look.summary = QStringLiteral("Account ready");
    else if (!facts.signedIn)
        look.summary = QStringLiteral("Google sign-in needed");
    else
        look.summary = QStringLiteral("Account connection needed");
    if (facts.routeReady || facts.refreshing)
        return look;
    if (!facts.signedIn || !facts.cloudConfigured) {
        look.action = Look::Action::connect;
        look.actionTitle = QStringLiteral("Connect your account");
    } else if (!facts.accountLoaded) {
        look.action = Look::Action::refresh;
        look.actionTitle = QStringLiteral("Refresh account");
    }
    return look;
}

} // namespace corvel
