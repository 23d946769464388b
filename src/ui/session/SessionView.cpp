#include "ui/session/SessionView.h"

#include "session/AppStore.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/session/SessionContentView.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace corvel {

SessionView::SessionView(const AppEnvironment& environment, QWidget* parent)
    : SessionView(environment, systemUptimeClock(), {}, parent) {}

SessionView::SessionView(const AppEnvironment& environment, UptimeClock& clock,
                         SessionClock::Now now, QWidget* parent)
    : QWidget(parent), m_environment(environment), m_clock(clock), m_now(std::move(now)),
      m_empty(new QWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_empty);

    auto* centring = new QGridLayout(m_empty);
    centring->setContentsMargins(40, 40, 40, 40);
    auto* stack = new QVBoxLayout;
    stack->setSpacing(20);
    stack->addWidget(new PixelGlyph(PixelGlyph::Kind::spark, Palette::cyan(), 54, m_empty));
    stack->addWidget(
        new PlainLabel(QStringLiteral("Prepare for your interview to start a session."),
                       tracked(appFont(28, QFont::Medium), -0.7), Palette::ink(), m_empty));
    auto* prepare =
        new ActionButton(QStringLiteral("Prepare for my interview"), QStringLiteral("arrow.right"),
                         true, false, Palette::orange(), environment.preferences, m_empty);
    AppStore& store = environment.store;
    connect(prepare, &ActionButton::clicked, &store,
            [&store] { store.setSection(AppSection::profile); });
    stack->addWidget(prepare, 0, Qt::AlignLeft);
    centring->addLayout(stack, 0, 0, Qt::AlignCenter);

    connect(&store, &AppStore::isSessionActiveChanged, this, &SessionView::refresh);
    refresh();
}

void SessionView::refresh() {
    const bool active = m_environment.store.isSessionActive();
    m_empty->setVisible(!active);
    if (active && !m_content) {
        m_content = new SessionContentView(m_environment, m_environment.store.audio(), m_clock,
                                           m_now, this);
        layout()->addWidget(m_content);
    } else if (!active && m_content) {
        // The session may have ended from a button inside the live screen.
        const bool keyboard = hideWithoutPassingFocus(m_content);
        m_content->deleteLater();
        m_content = nullptr;
        if (keyboard)
            focusFirstControl(m_empty);
    }
}

SessionContentView* SessionView::content() const {
    return m_content;
}

} // namespace corvel
