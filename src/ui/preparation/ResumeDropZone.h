#pragma once

#include <QAbstractButton>

#include <optional>

class QMimeData;

namespace corvel {

class AccessibilityPreferences;
class PixelGlyph;
class PlainLabel;
class PressButtonStyle;
class SpacedLabel;

// The résumé drop zone: a large button that opens the file panel when clicked and takes a
// dropped file. Only the first local file of a drop counts; a drop without one is refused while
// it is still being dragged, so it never highlights.
class ResumeDropZone final : public QAbstractButton {
    Q_OBJECT

public:
    explicit ResumeDropZone(const AccessibilityPreferences* preferences, QWidget* parent = nullptr);

    void setResume(bool hasResume, const QString& fileName);
    bool isDropping() const { return m_dropping; }
    QString statusLine() const;

    // The first local regular file among the dragged URLs.
    static std::optional<QString> droppedFile(const QMimeData* data);

Q_SIGNALS:
    // Emitted after the drop has returned, so a slow import never holds the dragging program.
    void fileDropped(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QSize sizeHint() const override;

private:
    void setDropping(bool dropping);

    PressButtonStyle* m_press;
    PixelGlyph* m_glyph = nullptr;
    QWidget* m_glyphFrame;
    SpacedLabel* m_status;
    PlainLabel* m_hint;
    PlainLabel* m_replace;
    bool m_dropping = false;
};

} // namespace corvel
