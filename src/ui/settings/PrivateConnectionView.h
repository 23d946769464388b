#pragma once

#include "ui/foundation/AppEnvironment.h"
#include "ui/settings/UrlOpener.h"

#include <QWidget>

namespace corvel {

class ActionButton;
class LinkButton;
class SpacedLabel;
class StatusTag;
class TextInput;

// The private developer connection: the user's own OpenAI key is pasted, saved to the keyring,
// checked and deleted here. The typed key lives only in the masked field, as long as the settings
// page does (collapsing the group or minimising the window keeps it): it is handed to the store
// as typed, and cleared after a successful save.
class PrivateConnectionView final : public QWidget {
    Q_OBJECT

public:
    explicit PrivateConnectionView(AppEnvironment environment, UrlOpener openUrl,
                                   QWidget* parent = nullptr);

    static QUrl createKeyPage();

private:
    void refresh();
    void saveKey();
    void confirmRemoveKey();

    AppEnvironment m_environment;
    UrlOpener m_openUrl;
    StatusTag* m_tag;
    TextInput* m_field;
    ActionButton* m_save;
    LinkButton* m_delete;
    SpacedLabel* m_caption;
    ActionButton* m_check;
};

} // namespace corvel
