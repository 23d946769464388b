#pragma once

#include <optional>
#include <vector>

namespace corvel {

// The steps of the preparation screen; raw values 0, 1, 2; never stored.
enum class PreparationStep { role = 0, resume = 1, call = 2 };

inline int rawValue(PreparationStep step) {
    return static_cast<int>(step);
}

inline std::optional<PreparationStep> preparationStepFromRaw(int raw) {
    if (raw < 0 || raw > 2)
        return std::nullopt;
    return static_cast<PreparationStep>(raw);
}

inline const std::vector<PreparationStep>& allPreparationSteps() {
    static const std::vector<PreparationStep> all{PreparationStep::role, PreparationStep::resume,
                                                  PreparationStep::call};
    return all;
}

} // namespace corvel
