#include "ui/preparation/ResumePreparationSection.h"

#include "session/AppStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/TextArea.h"
#include "ui/preparation/ContextBinding.h"
#include "ui/preparation/ResumeDropZone.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QTextEdit>
#include <QVBoxLayout>

namespace corvel {

ResumePreparationSection::ResumePreparationSection(AppStore& store,
                                                   const AccessibilityPreferences* preferences,
                                                   QWidget* parent)
    : QWidget(parent), m_store(store), m_dropZone(new ResumeDropZone(preferences, this)),
      m_editor(new TextArea({}, QStringLiteral("Paste your experience, skills and achievements…"),
                            200, this)),
      m_fileName(store.context().resumeFilename) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(24);
    column->addWidget(m_dropZone);
    connect(m_dropZone, &QAbstractButton::clicked, &store, qOverload<>(&AppStore::importResume));
    connect(m_dropZone, &ResumeDropZone::fileDropped, &store,
            qOverload<const QString&>(&AppStore::importResume));

    auto* choose =
        new LinkButton(QStringLiteral("Choose a file instead"), QStringLiteral("arrow.up.doc"),
                       appFont(12, QFont::Medium), Palette::ink(), this);
    connect(choose, &QAbstractButton::clicked, &store, qOverload<>(&AppStore::importResume));
    m_choose = choose;
    column->addWidget(choose, 0, Qt::AlignLeft);

    m_editor->editor()->setAccessibleName(QStringLiteral("Resume text, required"));
    m_editor->editor()->viewport()->installEventFilter(this);
    bindContextField(m_editor, store, &InterviewContext::resume);
    auto* editorBox = new QWidget(this);
    auto* editorColumn = new QVBoxLayout(editorBox);
    editorColumn->setContentsMargins(0, 12, 0, 0);
    editorColumn->addWidget(m_editor);
    m_disclosure =
        new DisclosureGroup({}, editorBox, appFont(12, QFont::Normal), Palette::ink(), this);
    connect(m_disclosure, &DisclosureGroup::expandedChanged, this,
            &ResumePreparationSection::refresh);
    column->addWidget(m_disclosure);
    column->addStretch(1);

    // A pasted résumé opens in the editor; an imported one shows its file.
    const InterviewContext& context = store.context();
    m_disclosure->setExpanded(!context.resume.trimmed().isEmpty() &&
                              context.resumeFilename.isEmpty());
    connect(&store, &AppStore::contextChanged, this, [this] {
        const QString& fileName = m_store.context().resumeFilename;
        if (fileName != m_fileName && !fileName.isEmpty())
            setShowEditor(false);
        m_fileName = fileName;
        refresh();
    });
    refresh();
}

bool ResumePreparationSection::showEditor() const {
    return m_disclosure->isExpanded();
}

void ResumePreparationSection::setShowEditor(bool shown) {
    m_disclosure->setExpanded(shown);
    refresh();
}

// Dropping a file on the editor would paste its path into the résumé.
bool ResumePreparationSection::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData()->hasUrls()) {
            drop->ignore();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ResumePreparationSection::refresh() {
    const InterviewContext& context = m_store.context();
    const bool hasResume = !context.resume.trimmed().isEmpty();
    const bool editing = showEditor();
    m_dropZone->setVisible(!editing);
    m_dropZone->setResume(hasResume, context.resumeFilename);
    m_choose->setVisible(editing);
    m_disclosure->setTitle(hasResume ? QStringLiteral("View and edit resume text")
                                     : QStringLiteral("Prefer to paste your resume?"));
}

} // namespace corvel
