#include "ui/session/CaptureHelpView.h"

#include "listening/AudioCapture.h"
#include "session/AppStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/session/CaptureText.h"
#include "ui/session/DeferredRefresh.h"
#include "ui/session/InterviewLanguageChoiceView.h"
#include "ui/session/SessionFacts.h"

#include <QVBoxLayout>

namespace corvel {

CaptureHelpView::CaptureHelpView(AppStore& store, AudioCapture& audio, bool compact,
                                 QWidget* parent, const AccessibilityPreferences* preferences)
    : QWidget(parent), m_store(store), m_audio(audio),
      m_hint(new SpacedLabel({}, appFont(compact ? 11 : 12, QFont::Normal), Palette::secondary(), 4,
                             this)),
      m_language(new InterviewLanguageChoiceView(store, true, false, this, preferences)),
      m_restart(new LinkButton(QStringLiteral("Restart listening"), {}, appFont(12, QFont::Medium),
                               Palette::ink(), this)),
      m_refresh(new DeferredRefresh([this] { refresh(); }, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(m_hint);
    layout->addWidget(m_language);
    layout->addWidget(m_restart, 0, Qt::AlignLeft);
    connect(m_restart, &QAbstractButton::clicked, &m_store, &AppStore::restartListening);

    for (auto changed : {&AppStore::isPausedChanged, &AppStore::isStartingChanged,
                         &AppStore::audioSourceChanged, &AppStore::isSessionActiveChanged})
        connect(&m_store, changed, m_refresh, &DeferredRefresh::request);
    connect(&m_audio, &AudioCapture::healthChanged, m_refresh, &DeferredRefresh::request);
    refresh();
}

bool CaptureHelpView::needed() const {
    return CaptureText::helpVisible(m_store.isPaused(), m_audio.health());
}

QString CaptureHelpView::hint() const {
    return CaptureText::helpHint(m_audio.health(), SessionFacts::of(m_store).source);
}

void CaptureHelpView::refresh() {
    setVisible(needed());
    m_hint->setText(hint());
    m_restart->setEnabled(!m_store.isStarting());
}

} // namespace corvel
