#include "core/AppSection.h"

#include "core/RawValue.h"

namespace corvel {

namespace {
const std::array<std::pair<AppSection, QString>, 5>& rawTable() {
    static const std::array<std::pair<AppSection, QString>, 5> table{{
        {AppSection::overview, QStringLiteral("Overview")},
        {AppSection::profile, QStringLiteral("Prepare")},
        {AppSection::session, QStringLiteral("Session")},
        {AppSection::history, QStringLiteral("History")},
        {AppSection::settings, QStringLiteral("Settings")},
    }};
    return table;
}
} // namespace

QString rawValue(AppSection section) {
    return enumToRaw(rawTable(), section);
}

std::optional<AppSection> appSectionFromRaw(const QString& raw) {
    return enumFromRaw(rawTable(), raw);
}

const std::vector<AppSection>& allAppSections() {
    static const std::vector<AppSection> all{AppSection::overview, AppSection::profile,
                                             AppSection::session, AppSection::history,
                                             AppSection::settings};
    return all;
}

} // namespace corvel
