#pragma once

#include "core/InterviewContext.h"

namespace corvel {

class AppStore;
class TextArea;
class TextInput;

// Binds a field of the prepared interview both ways. A user edit writes the store; a change from
// the store reaches the field only when it differs from what the field shows, so typing never
// moves the cursor and the two never echo each other. The store's autosave does the saving.
void bindContextField(TextInput* input, AppStore& store, QString InterviewContext::*field);
void bindContextField(TextArea* area, AppStore& store, QString InterviewContext::*field);

} // namespace corvel
