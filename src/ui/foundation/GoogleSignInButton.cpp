#include "ui/foundation/GoogleSignInButton.h"

#include "account/GoogleAuthStore.h"
#include "session/AppStore.h"
#include "ui/foundation/ActivitySpinner.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace corvel {

namespace {

constexpr QSize labelSize(188, 44);
constexpr int spinnerSpacing = 12;
constexpr qreal disabledOpacity = 0.5;

// Bundle images: $CORVEL_RESOURCE_DIR, else "resources" beside the program, else the installed
// share folder. A missing or undecodable file gives a null pixmap.
QPixmap resourceImage(const QString& name, const QString& folder) {
    const QString program = QCoreApplication::applicationDirPath();
    QStringList roots;
    if (const QString overridden = qEnvironmentVariable("CORVEL_RESOURCE_DIR");
        !overridden.isEmpty())
        roots.append(overridden);
    roots.append(program + QStringLiteral("/resources"));
    roots.append(program + QStringLiteral("/../share/corvel-interview"));
    for (const QString& root : roots) {
        const QString file =
            QDir(root).filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (QFileInfo::exists(file))
            return QPixmap(file);
    }
    return {};
}

} // namespace

GoogleSignInButton::Look GoogleSignInButton::lookFor(bool configured, bool busy,
                                                     bool sessionActive) {
    QString description;
    if (sessionActive)
        description = QStringLiteral("End the session before changing accounts.");
    else if (configured)
        description = QStringLiteral("Opens Google's secure sign-in window.");
    else
        description = QStringLiteral("Google sign-in is not available in this build yet.");
    return {configured && !busy && !sessionActive, busy,
            busy ? QStringLiteral("Signing in with Google") : QStringLiteral("Sign in with Google"),
            description};
}

QPixmap GoogleSignInButton::artwork() {
    return resourceImage(QStringLiteral("GoogleSignIn-Neutral"), QStringLiteral("SignIn"));
}

GoogleSignInButton::GoogleSignInButton(AppEnvironment environment, QWidget* parent)
    : QAbstractButton(parent), m_environment(environment), m_artwork(artwork()),
      m_spinner(new ActivitySpinner(environment.preferences, 16, this)) {
    setText(QStringLiteral("Sign in with Google"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    (new FocusRing(this))->setOutline([] { return QRectF(QPointF(0, 0), QSizeF(labelSize)); }, 4);
    m_spinner->move(labelSize.width() + spinnerSpacing,
                    (labelSize.height() - m_spinner->height()) / 2);
    // The sign-in store runs the sign-in as its own task and refuses a second one while busy.
    connect(this, &QAbstractButton::clicked, &m_environment.auth, &GoogleAuthStore::signIn);
    connect(&m_environment.auth, &GoogleAuthStore::isBusyChanged, this,
            &GoogleSignInButton::refresh);
    connect(&m_environment.store, &AppStore::isSessionActiveChanged, this,
            &GoogleSignInButton::refresh);
    refresh();
}

void GoogleSignInButton::refresh() {
    const Look look = lookFor(m_environment.auth.isConfigured(), m_environment.auth.isBusy(),
                              m_environment.store.isSessionActive());
    setEnabled(look.enabled);
    setAccessibleName(look.accessibleName);
    setAccessibleDescription(look.accessibleDescription);
    if (m_spinner->isVisibleTo(this) != look.spinner) {
        m_spinner->setVisible(look.spinner);
        updateGeometry();
    }
}

QSize GoogleSignInButton::sizeHint() const {
    if (!m_spinner->isVisibleTo(this))
        return labelSize;
    return {labelSize.width() + spinnerSpacing + m_spinner->width(), labelSize.height()};
}

void GoogleSignInButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        painter.setOpacity(disabledOpacity);
    else if (isDown())
        painter.setOpacity(0.82);
    const QRectF label(QPointF(0, 0), QSizeF(labelSize));
    if (showsArtwork()) {
        painter.drawPixmap(label, m_artwork, QRectF(m_artwork.rect()));
        return;
    }
    painter.fillRect(label, Palette::surface());
    painter.setFont(appFont(14, QFont::Medium));
    painter.setPen(Palette::ink());
    painter.drawText(label, Qt::AlignCenter | Qt::TextSingleLine, text());
}

bool GoogleSignInButton::hitButton(const QPoint& pos) const {
    return QRect(QPoint(0, 0), labelSize).contains(pos);
}

} // namespace corvel
