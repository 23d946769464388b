#include "ui/session/InterviewLanguageChoiceView.h"

#include "session/AppStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/session/CaptureText.h"
#include "ui/session/DeferredRefresh.h"
#include "ui/session/SessionFacts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvel {

InterviewLanguageChoiceView::InterviewLanguageChoiceView(AppStore& store, bool live, bool compact,
                                                         QWidget* parent)
    : QWidget(parent), m_store(store), m_live(live),
      m_refresh(new DeferredRefresh([this] { refresh(); }, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(9);
    layout->addWidget(new PlainLabel(QStringLiteral("Interview language"),
                                     appFont(12, QFont::Medium), Palette::ink(), this));
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    for (const QString& language : CaptureText::languages()) {
        auto* button = new QPushButton(language, this);
        button->setCheckable(true);
        button->setFont(appFont(12, QFont::Medium));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        // Every click asks the store, also on the language already chosen; the checked look
        // follows the store, not the click.
        connect(button, &QPushButton::clicked, this, [this, button, language] {
            button->setChecked(selected() == language);
            m_store.changeInterviewLanguage(language);
        });
        row->addWidget(button);
        m_options.append(button);
    }
    layout->addLayout(row);
    if (!compact)
        layout->addWidget(new PlainLabel(CaptureText::languageCaption(live),
                                         appFont(10, QFont::Normal), Palette::secondary(), this));

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

QAbstractButton* InterviewLanguageChoiceView::option(const QString& language) const {
    const qsizetype index = CaptureText::languages().indexOf(language);
    return index < 0 ? nullptr : m_options.at(index);
}

void InterviewLanguageChoiceView::refresh() {
    const QString chosen = selected();
    const bool enabled =
        CaptureText::languageChoiceEnabled(m_live, m_store.isStarting(), m_store.isSessionActive());
    for (QAbstractButton* button : m_options) {
        button->setChecked(button->text() == chosen);
        button->setEnabled(enabled);
    }
}

} // namespace corvel
