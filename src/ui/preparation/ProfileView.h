#pragma once

#include "core/PreparationStep.h"
#include "ui/foundation/AppEnvironment.h"
#include "ui/preparation/PreparationRules.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QAbstractButton;
class QScrollArea;
class QVBoxLayout;

namespace corvel {

class ActionButton;
class PlainLabel;
class PreparationCopilotView;
class SpacedLabel;

// The preparation: the role, the résumé and the call in three steps beside the copilot card,
// then "Start session". Every step change goes through select(), which saves first. Ctrl+1, 2, 3
// pick a step, Ctrl+Left goes back and Ctrl+Right presses the step's button (in a text field
// those keys keep moving by word).
class ProfileView final : public QWidget {
    Q_OBJECT

public:
    explicit ProfileView(AppEnvironment environment,
                         std::optional<PreparationStep> initialStep = std::nullopt,
                         QWidget* parent = nullptr);

    void select(PreparationStep step);
    int reactionID() const { return m_reactionID; }
    bool isCompact() const { return m_compact; }
    QWidget* section() const { return m_section; }
    PreparationCopilotView* copilot() const { return m_copilot; }
    ActionButton* primaryButton() const { return m_primary; }
    QAbstractButton* backButton() const { return m_back; }
    // The account area's widgets; at most one is shown.
    QWidget* signInButton() const { return m_signIn; }
    ActionButton* loadingButton() const { return m_loading; }
    ActionButton* accountButton() const { return m_account; }
    QAbstractButton* stepItem(PreparationStep step) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildStepCard();
    QWidget* buildFooter(QWidget* parent);
    void rebuildSection();
    void applyCompact();
    void pressPrimary();
    void pressAccount();
    void refresh();

    AppEnvironment m_environment;
    int m_reactionID = 0;
    bool m_compact = false;
    std::optional<bool> m_hadJob;
    std::optional<bool> m_hadResume;

    PlainLabel* m_title = nullptr;
    QList<QAbstractButton*> m_items;
    PlainLabel* m_heading = nullptr;
    SpacedLabel* m_subtitle = nullptr;
    QVBoxLayout* m_sectionLayout = nullptr;
    QWidget* m_section = nullptr;
    std::optional<PreparationStep> m_sectionStep;
    PlainLabel* m_hint = nullptr;
    QAbstractButton* m_back = nullptr;
    ActionButton* m_primary = nullptr;
    QWidget* m_signIn = nullptr;
    ActionButton* m_loading = nullptr;
    ActionButton* m_account = nullptr;
    PreparationCopilotView* m_copilot = nullptr;
};

} // namespace corvel
