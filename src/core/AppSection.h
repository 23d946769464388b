#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace corvel {

// The screen shown in the main window; never stored.
enum class AppSection { overview, profile, session, history, settings };

// "Overview", "Prepare", "Session", "History", "Settings".
QString rawValue(AppSection section);
std::optional<AppSection> appSectionFromRaw(const QString& raw);
const std::vector<AppSection>& allAppSections();

} // namespace corvel
