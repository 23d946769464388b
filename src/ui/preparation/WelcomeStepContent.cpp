#include "ui/preparation/WelcomeStepContent.h"

#include "account/GoogleAuthStore.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/GoogleSignInButton.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/preparation/ComputerTexts.h"
#include "ui/preparation/GuideText.h"
#include "ui/preparation/OnboardingView.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvel {

namespace {
QWidget* setupBenefit(const QString& label, PixelGlyph::Kind kind, const QColor& color,
                      QWidget* parent) {
    auto* item = new QWidget(parent);
    auto* row = new QHBoxLayout(item);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(new PixelGlyph(kind, color, 18, item));
    row->addWidget(new PlainLabel(label, appFont(12, QFont::Medium), Palette::ink(), item));
    return item;
}
} // namespace

WelcomeStepContent::WelcomeStepContent(OnboardingView& guide, QWidget* parent)
    : GuideStepContent(parent), m_guide(guide),
      m_start(new ActionButton(ComputerTexts::setUpButton(), QStringLiteral("arrow.right"), true,
                               false, std::nullopt, guide.preferences(), this)),
      m_signInCard(new QWidget(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeGuideTitle(ComputerTexts::welcomeTitle(), this));
    column->addSpacing(22);
    column->addWidget(makeGuideDescription(
        QStringLiteral("Two permissions to listen to your call. I’ll guide you through each, then "
                       "help you prepare your first interview."),
        this));

    auto* benefits = new QHBoxLayout;
    benefits->setContentsMargins(0, 28, 0, 28);
    benefits->setSpacing(24);
    benefits->addWidget(
        setupBenefit(QStringLiteral("Questions"), PixelGlyph::Kind::wave, Palette::cyan(), this));
    benefits->addWidget(
        setupBenefit(QStringLiteral("Clear cues"), PixelGlyph::Kind::spark, Palette::pink(), this));
    benefits->addWidget(setupBenefit(QStringLiteral("Your words"), PixelGlyph::Kind::person,
                                     Palette::green(), this));
    benefits->addStretch(1);
    column->addLayout(benefits);

    column->addWidget(m_start, 0, Qt::AlignLeft);
    connect(m_start, &ActionButton::clicked, this, &WelcomeStepContent::start);
    column->addSpacing(16);
    column->addWidget(new PlainLabel(QStringLiteral("You choose when to start listening."),
                                     appFont(12, QFont::Normal), Palette::secondary(), this));

    GoogleAuthStore& auth = guide.environment().auth;
    auto* card = new QVBoxLayout(m_signInCard);
    card->setContentsMargins(0, 24, 0, 0);
    card->setSpacing(12);
    card->addWidget(new GoogleSignInButton(guide.environment(), m_signInCard), 0, Qt::AlignLeft);
    auto* cancel = new LinkButton(QStringLiteral("Cancel sign-in"), {}, appFont(12, QFont::Normal),
                                  Palette::secondary(), m_signInCard);
    connect(cancel, &QAbstractButton::clicked, &auth, &GoogleAuthStore::cancel);
    m_cancel = cancel;
    card->addWidget(cancel, 0, Qt::AlignLeft);
    m_message =
        new SpacedLabel({}, appFont(12, QFont::Normal), Palette::secondary(), 4, m_signInCard);
    card->addWidget(m_message);
    column->addWidget(m_signInCard);
    column->addStretch(1);

    for (const auto changed : {&GoogleAuthStore::accountChanged, &GoogleAuthStore::isBusyChanged,
                               &GoogleAuthStore::messageChanged})
        connect(&auth, changed, this, &WelcomeStepContent::refresh);
    refresh();
}

void WelcomeStepContent::start() {
    GoogleAuthStore& auth = m_guide.environment().auth;
    if (auth.isBusy())
        auth.cancel();
    m_guide.goTo(GuidedSetupStep::speech);
}

void WelcomeStepContent::refresh() {
    const GoogleAuthStore& auth = m_guide.environment().auth;
    m_signInCard->setVisible(auth.isConfigured() && !auth.account());
    m_cancel->setVisible(auth.isBusy());
    m_message->setVisible(auth.message().has_value());
    m_message->setText(auth.message().value_or(QString()));
}

} // namespace corvel
