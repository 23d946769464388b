#pragma once

#include "session/AppStore.h"
#include "ui/foundation/ActionButton.h"

#include <QHBoxLayout>
#include <QWidget>

namespace corvel {

// Stands in for the session screens' language choice until it is built: English or French.
class InterviewLanguageChoiceView final : public QWidget {
public:
    InterviewLanguageChoiceView(AppStore& store, bool live, bool compact, QWidget* parent = nullptr)
        : QWidget(parent) {
        Q_UNUSED(live);
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        for (const QString& language : {QStringLiteral("English"), QStringLiteral("French")}) {
            auto* button =
                new ActionButton(language, {}, false, compact, std::nullopt, nullptr, this);
            connect(button, &ActionButton::clicked, this,
                    [&store, language] { store.changeInterviewLanguage(language); });
            row->addWidget(button);
        }
        row->addStretch(1);
    }
};

} // namespace corvel
