#pragma once

#include <QString>

#include <array>
#include <optional>
#include <utility>

namespace corvel {

// Raw values match by text under canonical equivalence (a decomposed "é" equals the composed
// one), case-sensitively.
template <typename Enum, std::size_t N>
std::optional<Enum> enumFromRaw(const std::array<std::pair<Enum, QString>, N>& table,
                                const QString& raw) {
    const QString normalized = raw.normalized(QString::NormalizationForm_C);
    for (const auto& [value, text] : table) {
        if (text == normalized)
            return value;
    }
    return std::nullopt;
}

template <typename Enum, std::size_t N>
QString enumToRaw(const std::array<std::pair<Enum, QString>, N>& table, Enum value) {
    for (const auto& [candidate, text] : table) {
        if (candidate == value)
            return text;
    }
    return {};
}

} // namespace corvel
