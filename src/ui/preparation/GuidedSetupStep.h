#pragma once

#include <optional>
#include <vector>

namespace corvel {

// The four steps of the guided setup; the number shown is the raw value + 1, out of 4.
enum class GuidedSetupStep { welcome = 0, speech = 1, callAudio = 2, ready = 3 };

inline int rawValue(GuidedSetupStep step) {
    return static_cast<int>(step);
}

inline std::optional<GuidedSetupStep> guidedSetupStepFromRaw(int raw) {
    if (raw < 0 || raw > 3)
        return std::nullopt;
    return static_cast<GuidedSetupStep>(raw);
}

inline const std::vector<GuidedSetupStep>& allGuidedSetupSteps() {
    static const std::vector<GuidedSetupStep> all{GuidedSetupStep::welcome, GuidedSetupStep::speech,
                                                  GuidedSetupStep::callAudio,
                                                  GuidedSetupStep::ready};
    return all;
}

} // namespace corvel
