#include "ui/preparation/CallPreparationSection.h"

#include "session/AppStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/TextArea.h"
#include "ui/preparation/ComputerTexts.h"
#include "ui/preparation/ContextBinding.h"
#include "ui/session/InterviewLanguageChoiceView.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QTextEdit>
#include <QVBoxLayout>

namespace corvel {

namespace {

// A rounded rectangle of one colour behind its children.
class Tile final : public QWidget {
public:
    Tile(const QColor& color, qreal radius, QWidget* parent)
        : QWidget(parent), m_color(color), m_radius(radius) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), m_radius, m_radius);
        painter.fillPath(shape, m_color);
    }

private:
    QColor m_color;
    qreal m_radius;
};

QColor washed(QColor color) {
    color.setAlphaF(0.65);
    return color;
}

} // namespace

CallPreparationSection::CallPreparationSection(AppStore& store,
                                               std::function<void(PreparationStep)> onEdit,
                                               bool compact,
                                               const AccessibilityPreferences* preferences,
                                               QWidget* parent)
    : QWidget(parent), m_store(store),
      m_language(new InterviewLanguageChoiceView(store, false, true, this, preferences)),
      m_notes(new TextArea({},
                           QStringLiteral("A project to highlight, results you’re proud of, or "
                                          "why you want this role…"),
                           120, this)) {
    auto* column = new QVBoxLayout(this);
    m_column = column;
    column->setContentsMargins(0, 0, 0, 0);
    setCompact(compact);
    m_language->setMaximumWidth(300);
    column->addWidget(m_language, 0, Qt::AlignLeft);
    m_sessionNote = new SpacedLabel(QStringLiteral("To change the language during your call, use "
                                                   "the menu in Session or the floating window."),
                                    appFont(11, QFont::Normal), Palette::secondary(), 4, this);
    column->addWidget(m_sessionNote);

    m_notes->editor()->setAccessibleName(QStringLiteral("Additional information, optional"));
    bindContextField(m_notes, store, &InterviewContext::notes);
    auto* notesBox = new QWidget(this);
    auto* notesColumn = new QVBoxLayout(notesBox);
    notesColumn->setContentsMargins(0, 12, 0, 0);
    notesColumn->addWidget(m_notes);
    m_notesGroup = new DisclosureGroup(QStringLiteral("Anything else I should know? · Optional"),
                                       notesBox, appFont(12, QFont::Normal), Palette::ink(), this);
    m_notesGroup->setExpanded(!store.context().notes.trimmed().isEmpty());
    column->addWidget(m_notesGroup);

    auto* summary = new Tile(Palette::surface(), 4, this);
    auto* rows = new QVBoxLayout(summary);
    rows->setContentsMargins(16, 16, 16, 16);
    rows->setSpacing(12);
    m_role = addSummaryRow(rows, PreparationStep::role, QStringLiteral("The role"));
    m_resume = addSummaryRow(rows, PreparationStep::resume, QStringLiteral("Your resume"));
    for (const auto& [row, step] :
         {std::pair{&m_role, PreparationStep::role}, std::pair{&m_resume, PreparationStep::resume}})
        connect(row->edit, &QAbstractButton::clicked, this,
                [onEdit, step = step] { onEdit(step); });
    column->addWidget(summary);

    m_hintRow = new QWidget(this);
    auto* hintRow = new QHBoxLayout(m_hintRow);
    hintRow->setContentsMargins(0, 0, 0, 0);
    hintRow->setSpacing(10);
    hintRow->addWidget(new PixelGlyph(PixelGlyph::Kind::wave, Palette::secondary(), 16, m_hintRow),
                       0, Qt::AlignTop);
    m_hint = new SpacedLabel({}, appFont(12, QFont::Normal), Palette::secondary(), 4, m_hintRow);
    hintRow->addWidget(m_hint, 1);
    column->addWidget(m_hintRow);
    m_sessionHint = new SpacedLabel(QStringLiteral("Your current call keeps its original dossier. "
                                                   "These edits prepare your next interview."),
                                    appFont(11, QFont::Normal), Palette::secondary(), 4, this);
    column->addWidget(m_sessionHint);
    column->addStretch(1);

    for (const auto changed : {&AppStore::contextChanged, &AppStore::isSessionActiveChanged,
                               &AppStore::audioSourceChanged})
        connect(&store, changed, this, &CallPreparationSection::refresh);
    refresh();
}

CallPreparationSection::SummaryRow CallPreparationSection::addSummaryRow(QVBoxLayout* rows,
                                                                         PreparationStep step,
                                                                         const QString& title) {
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    const QColor accent = step == PreparationStep::role ? Palette::pink() : Palette::cyan();
    auto* frame = new Tile(washed(accent), 0, this);
    frame->setFixedSize(24, 24);
    row->addWidget(frame);
    auto* name = new PlainLabel(title, appFont(11, QFont::Normal), Palette::secondary(), this);
    name->setFixedWidth(72);
    row->addWidget(name);
    // One line, cut with an ellipsis at whatever width the row leaves it.
    auto* value = new SpacedLabel({}, appFont(12, QFont::Medium), Palette::ink(), 0, this);
    value->setMaximumLines(1);
    row->addWidget(value, 1, Qt::AlignVCenter);
    row->addSpacing(8);
    auto* edit = new LinkButton({}, {}, appFont(11, QFont::Medium), Palette::ink(), this);
    row->addWidget(edit);
    rows->addLayout(row);
    return {frame, value, edit, title};
}

void CallPreparationSection::setCompact(bool compact) {
    m_column->setSpacing(compact ? 16 : 24);
}

bool CallPreparationSection::showNotes() const {
    return m_notesGroup->isExpanded();
}

QAbstractButton* CallPreparationSection::editButton(PreparationStep step) const {
    return step == PreparationStep::role ? m_role.edit : m_resume.edit;
}

QString CallPreparationSection::summaryValue(PreparationStep step) const {
    return (step == PreparationStep::role ? m_role.value : m_resume.value)->text();
}

QString CallPreparationSection::closingHint() const {
    return m_store.isSessionActive() ? m_sessionHint->text() : m_hint->text();
}

void CallPreparationSection::refresh() {
    const InterviewContext& context = m_store.context();
    const bool active = m_store.isSessionActive();
    m_sessionNote->setVisible(active);
    const auto show = [](SummaryRow& row, bool complete, const QString& value) {
        const auto kind = complete ? PixelGlyph::Kind::check : PixelGlyph::Kind::document;
        auto* glyph = row.glyphFrame->findChild<PixelGlyph*>();
        if (!glyph || glyph->kind() != kind) {
            delete glyph;
            glyph = new PixelGlyph(kind, Palette::ink(), 13, row.glyphFrame);
            glyph->move(5, 5);
            glyph->show();
        }
        row.value->setText(value);
        row.value->setToolTip(plainToolTip(value));
        const QString word = complete ? QStringLiteral("Edit") : QStringLiteral("Add");
        row.edit->setText(word);
        row.edit->setAccessibleName(word + QLatin1Char(' ') + row.title.toLower());
    };
    const bool hasJob = !context.jobDescription.trimmed().isEmpty();
    const bool hasResume = !context.resume.trimmed().isEmpty();
    show(m_role, hasJob, hasJob ? context.title() : QStringLiteral("Add a job description"));
    show(m_resume, hasResume,
         hasResume ? QStringLiteral("Added") : QStringLiteral("Add your resume"));
    m_hintRow->setVisible(!active);
    m_hint->setText(m_store.audioSource() == AudioSource::system
                        ? ComputerTexts::callAudioHint()
                        : QStringLiteral("Microphone mode: confirm each question before "
                                         "requesting an answer."));
    m_sessionHint->setVisible(active);
}

} // namespace corvel
