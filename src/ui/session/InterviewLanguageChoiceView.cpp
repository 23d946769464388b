#include "ui/session/InterviewLanguageChoiceView.h"

#include "session/AppStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/OptionChoice.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/session/CaptureText.h"
#include "ui/session/DeferredRefresh.h"
#include "ui/session/SessionFacts.h"

#include <QVBoxLayout>

namespace corvel {

InterviewLanguageChoiceView::InterviewLanguageChoiceView(
    AppStore& store, bool live, bool compact, QWidget* parent,
    const AccessibilityPreferences* preferences)
    : QWidget(parent), m_store(store), m_live(live),
      m_choice(new OptionChoice(CaptureText::languages(), OptionPill::Style::segment, preferences,
                                this)),
      m_refresh(new DeferredRefresh([this] { refresh(); }, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(9);
    layout->addWidget(new PlainLabel(QStringLiteral("Interview language"),
                                     appFont(12, QFont::Medium), Palette::ink(), this));
    layout->addWidget(m_choice);
    if (!compact)
        layout->addWidget(new PlainLabel(CaptureText::languageCaption(live),
                                         appFont(10, QFont::Normal), Palette::secondary(), this));

    // Every click asks the store, also on the language already chosen.
    connect(m_choice, &OptionChoice::optionClicked, this, [this](int index) {
        m_store.changeInterviewLanguage(CaptureText::languages().at(index));
    });
    for (auto changed : {&AppStore::contextChanged, &AppStore::isStartingChanged,
                         &AppStore::isSessionActiveChanged})
        connect(&m_store, changed, m_refresh, &DeferredRefresh::request);
    refresh();
}

QString InterviewLanguageChoiceView::selected() const {
    const InterviewContext& context = m_live && m_store.activeSessionContext()
                                          ? *m_store.activeSessionContext()
                                          : m_store.context();
    return SessionFacts::languageLabel(context.language);
}

OptionPill* InterviewLanguageChoiceView::option(const QString& language) const {
    return m_choice->option(int(CaptureText::languages().indexOf(language)));
}

void InterviewLanguageChoiceView::refresh() {
    m_choice->setSelectedIndex(int(CaptureText::languages().indexOf(selected())));
    m_choice->setEnabled(CaptureText::languageChoiceEnabled(m_live, m_store.isStarting(),
                                                            m_store.isSessionActive()));
}

} // namespace corvel
