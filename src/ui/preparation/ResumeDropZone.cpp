#include "ui/preparation/ResumeDropZone.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/PressButtonStyle.h"
#include "ui/foundation/SpacedLabel.h"

#include <QDragEnterEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QVBoxLayout>

namespace corvel {

namespace {
QColor cyanWash() {
    QColor color = Palette::cyan();
    color.setAlphaF(0.22);
    return color;
}
} // namespace

ResumeDropZone::ResumeDropZone(const AccessibilityPreferences* preferences, QWidget* parent)
    : QAbstractButton(parent), m_press(new PressButtonStyle(this, preferences)),
      m_glyphFrame(new QWidget(this)),
      m_status(new SpacedLabel({}, appFont(16, QFont::Medium), Palette::ink(), 0, this)),
      m_hint(new PlainLabel({}, appFont(12, QFont::Normal), Palette::secondary(), this)),
      m_replace(new PlainLabel(
          QStringLiteral("Replace file"),
          [] {
              QFont font = appFont(11, QFont::Medium);
              font.setUnderline(true);
              return font;
          }(),
          Palette::ink(), this)) {
    setAcceptDrops(true);
    setFocusPolicy(Qt::TabFocus);
    (new FocusRing(this))->setOutline({}, 6);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    setMinimumHeight(200);
    m_glyphFrame->setFixedSize(56, 56);
    m_glyphFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    // Two lines at most, so a long file name, even one without spaces, never widens the zone.
    m_status->setAlignment(Qt::AlignHCenter);
    m_status->setMaximumLines(2);
    m_status->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (QLabel* label : {m_hint, m_replace}) {
        label->setAlignment(Qt::AlignHCenter);
        label->setWordWrap(true);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_glyph = new PixelGlyph(PixelGlyph::Kind::document, Palette::ink(), 32, m_glyphFrame);
    m_glyph->move(12, 12);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(28, 28, 28, 28);
    column->setSpacing(16);
    column->addStretch(1);
    column->addWidget(m_glyphFrame, 0, Qt::AlignHCenter);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(7);
    texts->addWidget(m_status);
    texts->addWidget(m_hint);
    column->addLayout(texts);
    column->addWidget(m_replace, 0, Qt::AlignHCenter);
    column->addStretch(1);
}

void ResumeDropZone::setResume(bool hasResume, const QString& fileName) {
    const auto kind = hasResume ? PixelGlyph::Kind::check : PixelGlyph::Kind::document;
    if (m_glyph->kind() != kind) {
        delete m_glyph;
        m_glyph = new PixelGlyph(kind, Palette::ink(), 32, m_glyphFrame);
        m_glyph->move(12, 12);
        m_glyph->show();
    }
    if (!hasResume) {
        m_status->setText(QStringLiteral("Drop your resume here."));
        m_hint->setText(QStringLiteral("Or click to choose a file · PDF, TXT, RTF"));
    } else {
        m_status->setText(fileName.isEmpty() ? QStringLiteral("Your resume is in.") : fileName);
        m_hint->setText(QStringLiteral("Your experience will shape your answer cues."));
    }
    m_replace->setVisible(hasResume);
    setAccessibleName(hasResume ? QStringLiteral("Replace your resume file")
                                : QStringLiteral("Choose a resume file, PDF, TXT or RTF"));
}

QString ResumeDropZone::statusLine() const {
    return m_status->text();
}

std::optional<QString> ResumeDropZone::droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isFile())
            return path;
    }
    return std::nullopt;
}

void ResumeDropZone::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()))
        return event->ignore();
    event->acceptProposedAction();
    setDropping(true);
}

void ResumeDropZone::dragLeaveEvent(QDragLeaveEvent* event) {
    setDropping(false);
    QAbstractButton::dragLeaveEvent(event);
}

void ResumeDropZone::dropEvent(QDropEvent* event) {
    setDropping(false);
    const auto path = droppedFile(event->mimeData());
    if (!path)
        return event->ignore();
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, file = *path] { Q_EMIT fileDropped(file); });
}

void ResumeDropZone::setDropping(bool dropping) {
    if (m_dropping == dropping)
        return;
    m_dropping = dropping;
    update();
}

QSize ResumeDropZone::sizeHint() const {
    return {QAbstractButton::sizeHint().width(), qMax(200, layout()->sizeHint().height())};
}

void ResumeDropZone::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_press->apply(painter, QRectF(rect()));
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 4, 4);
    painter.fillPath(shape, m_dropping ? cyanWash() : Palette::surface());
    QPainterPath glyphBack;
    glyphBack.addRoundedRect(QRectF(m_glyphFrame->geometry()), 3, 3);
    painter.fillPath(glyphBack, cyanWash());
}

} // namespace corvel
