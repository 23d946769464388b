#include "ui/foundation/AccessibilityPreferences.h"

#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace corvel {

namespace {

std::optional<bool> environmentOverride(const char* name) {
    const QByteArray value = qgetenv(name).trimmed();
    if (value == "1" || value == "true")
        return true;
    if (value == "0" || value == "false")
        return false;
    return std::nullopt;
}

} // namespace

AccessibilityPreferences::AccessibilityPreferences(QObject* parent) : QObject(parent) {}

void AccessibilityPreferences::load() {
    if (const auto motion = environmentOverride("CORVEL_REDUCE_MOTION"))
        setReduceMotion(*motion);
    else
        readDesktopSetting(QStringLiteral("org.gnome.desktop.interface"),
                           QStringLiteral("enable-animations"), true,
                           &AccessibilityPreferences::setReduceMotion);
    if (const auto transparency = environmentOverride("CORVEL_REDUCE_TRANSPARENCY"))
        setReduceTransparency(*transparency);
    else
        readDesktopSetting(QStringLiteral("org.gnome.desktop.a11y.interface"),
                           QStringLiteral("high-contrast"), false,
                           &AccessibilityPreferences::setReduceTransparency);
}

void AccessibilityPreferences::setReduceMotion(bool on) {
    if (m_reduceMotion == on)
        return;
    m_reduceMotion = on;
    Q_EMIT reduceMotionChanged(on);
}

void AccessibilityPreferences::setReduceTransparency(bool on) {
    if (m_reduceTransparency == on)
        return;
    m_reduceTransparency = on;
    Q_EMIT reduceTransparencyChanged(on);
}

// Runs `gsettings get` without waiting; a desktop without it, or without the schema, leaves the
// setting off and says nothing.
void AccessibilityPreferences::readDesktopSetting(const QString& schema, const QString& key,
                                                  bool invert,
                                                  void (AccessibilityPreferences::*apply)(bool)) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty())
        return;
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this,
            [this, process, invert, apply](int exitCode, QProcess::ExitStatus status) {
                const QByteArray answer = process->read(64).trimmed();
                process->deleteLater();
                if (status != QProcess::NormalExit || exitCode != 0)
                    return;
                if (answer == "true" || answer == "false")
                    (this->*apply)((answer == "true") != invert);
            });
    connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            process->deleteLater();
    });
    process->start(program, {QStringLiteral("get"), schema, key});
}

} // namespace corvel
