#pragma once

#include "ui/foundation/AppEnvironment.h"

#include <QAbstractButton>
#include <QPixmap>

namespace corvel {

class ActivitySpinner;

// The one "Sign in with Google" control: the sign-in artwork when the app carries it, else the
// text on the surface colour, 188 x 44; a small spinner beside it while the sign-in store is busy.
// A click starts the store's sign-in.
class GoogleSignInButton final : public QAbstractButton {
    Q_OBJECT

public:
    // What the button shows and allows for the stores' state.
    struct Look {
        bool enabled;
        bool spinner;
        QString accessibleName;
        QString accessibleDescription;
        bool operator==(const Look&) const = default;
    };
    static Look lookFor(bool configured, bool busy, bool sessionActive);

    // The artwork "GoogleSignIn-Neutral.png" in the folder "SignIn" of the app's resources, or a
    // null pixmap.
    static QPixmap artwork();

    explicit GoogleSignInButton(AppEnvironment environment, QWidget* parent = nullptr);

    bool showsArtwork() const { return !m_artwork.isNull(); }
    ActivitySpinner* spinner() const { return m_spinner; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    void refresh();

    AppEnvironment m_environment;
    QPixmap m_artwork;
    ActivitySpinner* m_spinner;
};

} // namespace corvel
