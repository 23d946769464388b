#pragma once

#include "ui/foundation/AppEnvironment.h"

#include <QWidget>

class QHBoxLayout;

namespace corvel {

class ActionButton;
class CloudCompanion;
class PlainLabel;
class SpacedLabel;
class SymbolMark;

// The permission panel of the settings page: what listening may use, side by side, the cloud
// companion looking ready once the call can be heard, and a way back into the guided setup.
// Reads the statuses again each time it comes on screen.
class MacAccessSettingsView final : public QWidget {
    Q_OBJECT

public:
    explicit MacAccessSettingsView(AppEnvironment environment, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Row {
        SymbolMark* symbol;
        PlainLabel* status;
    };
    Row addRow(QHBoxLayout* rows, const QString& title);
    void refresh();

    AppEnvironment m_environment;
    CloudCompanion* m_companion;
    SpacedLabel* m_subtitle;
    ActionButton* m_openGuide;
    Row m_speech;
    Row m_callAudio;
    Row m_microphone;
};

} // namespace corvel
