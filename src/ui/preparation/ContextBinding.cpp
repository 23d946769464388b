#include "ui/preparation/ContextBinding.h"

#include "session/AppStore.h"
#include "ui/foundation/TextArea.h"
#include "ui/foundation/TextInput.h"

namespace corvel {

namespace {
void write(AppStore& store, QString InterviewContext::*field, const QString& text) {
    InterviewContext context = store.context();
    if (context.*field == text)
        return;
    context.*field = text;
    store.setContext(context);
}
} // namespace

void bindContextField(TextInput* input, AppStore& store, QString InterviewContext::*field) {
    input->setText(store.context().*field);
    QObject::connect(input, &QLineEdit::textEdited, &store,
                     [&store, field](const QString& text) { write(store, field, text); });
    QObject::connect(&store, &AppStore::contextChanged, input, [input, &store, field] {
        const QString& value = store.context().*field;
        if (input->text() != value)
            input->setText(value);
    });
}

void bindContextField(TextArea* area, AppStore& store, QString InterviewContext::*field) {
    area->setText(store.context().*field);
    QObject::connect(area, &TextArea::textChanged, &store,
                     [&store, field](const QString& text) { write(store, field, text); });
    QObject::connect(&store, &AppStore::contextChanged, area, [area, &store, field] {
        area->setText(store.context().*field); // no change, no signal
    });
}

} // namespace corvel
