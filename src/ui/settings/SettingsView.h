#pragma once

#include "platform/BundleInfo.h"
#include "ui/foundation/AppEnvironment.h"
#include "ui/settings/UrlOpener.h"

#include <QWidget>

#include <functional>

class QAbstractButton;
class QSlider;

namespace corvel {

class OpacityPreview;
class OptionChoice;
class PlainLabel;
class SpacedLabel;
class TextInput;

// What the settings page takes from the build and the desktop; tests replace both.
struct SettingsSeams {
    BundleInfo bundle = BundleInfo::fromBuild();
    UrlOpener openUrl = systemUrlOpener();
};

// The settings page: account card, permission panel, the private developer connection where the
// build allows it, the listening, answer and floating-window preferences, the privacy note and
// the version line. Every control writes one store value and saves, and only on the user's own
// edit: showing the page never writes the workspace.
class SettingsView final : public QWidget {
    Q_OBJECT

public:
    using Seams = SettingsSeams;

    explicit SettingsView(AppEnvironment environment, Seams seams = {}, QWidget* parent = nullptr);

    static QUrl dataHandlingPage();

private:
    QWidget* buildListening();
    QWidget* buildAnswers();
    QWidget* buildFloatingWindow();
    QWidget* buildPrivacy();
    OptionChoice* addChoice(const QStringList& titles, std::function<void(int)> choose);
    void refresh();

    AppEnvironment m_environment;
    Seams m_seams;

    QWidget* m_privateGroup = nullptr;
    SpacedLabel* m_sessionNote = nullptr;
    OptionChoice* m_sourceChoice = nullptr;
    SpacedLabel* m_sourceCaption = nullptr;
    OptionChoice* m_languageChoice = nullptr;
    QAbstractButton* m_automatic = nullptr;
    PlainLabel* m_automaticTitle = nullptr;
    PlainLabel* m_automaticCaption = nullptr;
    OptionChoice* m_styleChoice = nullptr;
    QWidget* m_modelGroup = nullptr;
    TextInput* m_model = nullptr;
    SpacedLabel* m_streamCaption = nullptr;
    PlainLabel* m_opacityLabel = nullptr;
    QSlider* m_opacity = nullptr;
    OpacityPreview* m_preview = nullptr;
};

} // namespace corvel
