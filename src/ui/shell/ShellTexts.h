#pragma once

#include <QString>

namespace corvel::shell {

// The shell's texts that name the computer (said the Linux way), kept together for review.
inline QString differentAccountNotice() {
    return QStringLiteral("You’re using a different account. Review the interview details saved "
                          "on this computer before starting your next session.");
}
inline QString setupGuideHelp() {
    return QStringLiteral("Reopen the setup and permissions guide");
}

} // namespace corvel::shell
