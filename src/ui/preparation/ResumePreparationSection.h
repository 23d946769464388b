#pragma once

#include <QWidget>

class QAbstractButton;

namespace corvel {

class AccessibilityPreferences;
class AppStore;
class ResumeDropZone;
class TextArea;

class DisclosureGroup;

// The résumé step: a drop zone that imports a file, or the pasted text in an editor. The open
// editor takes no file drops, so a dropped file can never land in the résumé as its path.
class ResumePreparationSection final : public QWidget {
    Q_OBJECT

public:
    ResumePreparationSection(AppStore& store, const AccessibilityPreferences* preferences,
                             QWidget* parent = nullptr);

    bool showEditor() const;
    void setShowEditor(bool shown);
    ResumeDropZone* dropZone() const { return m_dropZone; }
    TextArea* editor() const { return m_editor; }
    QAbstractButton* chooseInstead() const { return m_choose; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();

    AppStore& m_store;
    ResumeDropZone* m_dropZone;
    QAbstractButton* m_choose;
    TextArea* m_editor;
    DisclosureGroup* m_disclosure;
    QString m_fileName;
};

} // namespace corvel
