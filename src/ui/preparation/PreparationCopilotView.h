#pragma once

#include "core/PreparationStep.h"
#include "ui/foundation/AppEnvironment.h"
#include "ui/preparation/PreparationRules.h"

#include <QPointer>
#include <QWidget>

class QAbstractButton;
class QVBoxLayout;

namespace corvel {

class CloudCompanion;
class PlainLabel;
class SpacedLabel;

// The coach beside the preparation steps: the companion on a band of sky, a heading and a
// sentence that follow what is filled in, the three-step strip and, on the call step, whether
// the answer route is ready with the one button that fixes what is missing.
class PreparationCopilotView final : public QWidget {
    Q_OBJECT

public:
    PreparationCopilotView(AppEnvironment environment, PreparationStep step, int reactionID,
                           QWidget* parent = nullptr);

    void setStep(PreparationStep step);
    void setReactionID(int reactionID);
    CopilotLook look() const;
    bool isCompact() const { return m_compact; }
    CloudCompanion* companion() const { return m_companion; }
    QAbstractButton* actionButton() const { return m_action; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeCompanion();
    void refresh();

    AppEnvironment m_environment;
    PreparationStep m_step;
    int m_reactionID;
    bool m_compact = false;
    QVBoxLayout* m_band;
    CloudCompanion* m_companion = nullptr;
    QVBoxLayout* m_text;
    SpacedLabel* m_heading;
    SpacedLabel* m_guidance;
    QWidget* m_strip;
    PlainLabel* m_caption;
    QWidget* m_route;
    QWidget* m_square;
    PlainLabel* m_summary;
    QAbstractButton* m_action;
};

} // namespace corvel
