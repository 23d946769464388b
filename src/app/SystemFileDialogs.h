#pragma once

#include "session/FileDialogs.h"

namespace corvel {

// The store's file panels as Qt's file dialogs.
class SystemFileDialogs final : public FileDialogs {
public:
    std::optional<QString> chooseResume() override;
    std::optional<QString> chooseExportFile(const QString& suggestedName) override;
};

} // namespace corvel
