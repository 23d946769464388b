#include "ui/settings/SettingsView.h"

#include "session/AppStore.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/FieldLabel.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/OptionChoice.h"
#include "ui/foundation/PageHeading.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/ScrollArea.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/Surface.h"
#include "ui/foundation/SwitchToggle.h"
#include "ui/foundation/TextInput.h"
#include "ui/settings/AccountSettingsView.h"
#include "ui/settings/ComputerWording.h"
#include "ui/settings/MacAccessSettingsView.h"
#include "ui/settings/OpacityPreview.h"
#include "ui/settings/PageLayout.h"
#include "ui/settings/PrivateConnectionView.h"
#include "ui/settings/SectionHeading.h"
#include "ui/settings/SettingsText.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace corvel {

namespace {
constexpr int maximumColumnWidth = 1000;
constexpr int pagePadding = 40;
constexpr double sliderScale = 1000; // the slider works in thousandths

SpacedLabel* caption(const QString& text) {
    return new SpacedLabel(text, appFont(12, QFont::Normal), Palette::secondary(), 4);
}

// A collapsible group, collapsed at first, keeping its own expanded state.
DisclosureGroup* disclosure(const QString& title, QWidget* content, int spacing) {
    auto* group = new DisclosureGroup(title, content, appFont(13, QFont::Medium), Palette::ink());
    group->setContentSpacing(spacing);
    return group;
}

// Where `value` stands among `all`, in the order the choice shows them.
template <typename T> int positionOf(const std::vector<T>& all, T value) {
    return int(std::find(all.begin(), all.end(), value) - all.begin());
}
} // namespace

QUrl SettingsView::dataHandlingPage() {
    return QUrl(QStringLiteral("https://developers.openai.com/api/docs/guides/your-data"));
}

SettingsView::SettingsView(AppEnvironment environment, Seams seams, QWidget* parent)
    : QWidget(parent), m_environment(environment), m_seams(std::move(seams)) {
    const ScrollingPage page = scrollingColumn(this, maximumColumnWidth, pagePadding, 24);
    QVBoxLayout* column = page.column;
    auto* heading = new PageHeading(
        QStringLiteral("Preferences"), QStringLiteral("Settings"),
        QStringLiteral("Your account, call audio and floating window — set up your way."));
    column->addWidget(padded(heading, QMargins(0, 0, 0, 12)));
    column->addWidget(new AccountSettingsView(m_environment));
    column->addWidget(new MacAccessSettingsView(m_environment));
    auto* connection = new PrivateConnectionView(m_environment, m_seams.openUrl);
    auto* privateGroup = disclosure(QStringLiteral("Private developer connection"), connection, 16);
    m_privateGroup = privateGroup;
    column->addWidget(privateGroup);
    // The group sits below two cards: opened, its key field would often be under the fold. The
    // whole block is revealed, since a line edit alone would only bring its cursor into view.
    connect(privateGroup, &DisclosureGroup::expandedChanged, this,
            [scroll = page.scroll, connection](bool expanded) {
                if (expanded)
                    revealOnNextTurn(scroll, connection, pagePadding);
            });
    column->addWidget(buildListening());
    column->addWidget(buildAnswers());
    column->addWidget(buildFloatingWindow());
    column->addWidget(buildPrivacy());
    column->addWidget(padded(new PlainLabel(settings::versionLine(m_seams.bundle),
                                            appFont(11, QFont::Normal), Palette::secondary()),
                             QMargins(0, 8, 0, 0)));
    column->addStretch(1);

    AppStore& store = m_environment.store;
    for (auto changed : {&AppStore::audioSourceChanged, &AppStore::contextChanged,
                         &AppStore::automaticAnswersChanged, &AppStore::styleChanged,
                         &AppStore::modelChanged, &AppStore::overlayOpacityChanged,
                         &AppStore::isSessionActiveChanged, &AppStore::isCloudConfiguredChanged})
        connect(&store, changed, this, &SettingsView::refresh);
    refresh();
}

OptionChoice* SettingsView::addChoice(const QStringList& titles, std::function<void(int)> choose) {
    auto* choice = new OptionChoice(titles, OptionPill::Style::pill, m_environment.preferences);
    // Every click writes and saves, also on the option already chosen.
    connect(choice, &OptionChoice::optionClicked, this, [this, choose = std::move(choose)](int i) {
        choose(i);
        m_environment.store.save();
    });
    return choice;
}

QWidget* SettingsView::buildListening() {
    auto* card = new QWidget;
    auto* column = bareColumn(card, 24);
    column->addWidget(new SectionHeading(QStringLiteral("Listening"),
                                         QStringLiteral("Choose where interview questions are "
                                                        "captured."),
                                         Palette::cyan()));
    m_sessionNote =
        caption(QStringLiteral("End the session to change the audio source. To correct the "
                               "language now, use the language menu in Session or the floating "
                               "window."));
    column->addWidget(m_sessionNote);

    AppStore& store = m_environment.store;
    auto* source = new QVBoxLayout;
    source->setSpacing(12);
    source->addWidget(new FieldLabel(QStringLiteral("Audio source"), QString()));
    QStringList sources;
    for (const AudioSource choice : allAudioSources())
        sources.append(settings::audioSourceTitle(choice));
    m_sourceChoice = addChoice(
        sources, [&store](int i) { store.setAudioSource(allAudioSources().at(size_t(i))); });
    source->addWidget(m_sourceChoice);
    m_sourceCaption = caption(QString());
    source->addWidget(m_sourceCaption);
    column->addLayout(source);

    auto* language = new QVBoxLayout;
    language->setSpacing(12);
    language->addWidget(new FieldLabel(QStringLiteral("Interview language"), QString()));
    QStringList languages;
    for (const auto& option : settings::languageOptions())
        languages.append(option.title);
    m_languageChoice = addChoice(languages, [&store](int i) {
        InterviewContext context = store.context();
        context.language = settings::languageOptions().at(size_t(i)).stored;
        store.setContext(context);
    });
    language->addWidget(m_languageChoice);
    column->addLayout(language);

    auto* automatic = new QHBoxLayout;
    auto* labels = new QVBoxLayout;
    labels->setSpacing(6);
    m_automaticTitle = new PlainLabel(QStringLiteral("Suggest answers automatically"),
                                      appFont(14, QFont::Medium), Palette::ink());
    labels->addWidget(m_automaticTitle);
    m_automaticCaption =
        new PlainLabel(QString(), appFont(12, QFont::Normal), Palette::secondary());
    labels->addWidget(m_automaticCaption);
    automatic->addLayout(labels, 1);
    m_automatic = new SwitchToggle(Palette::ink());
    m_automatic->setAccessibleName(QStringLiteral("Suggest answers automatically"));
    automatic->addWidget(m_automatic);
    column->addLayout(automatic);
    connect(m_automatic, &QAbstractButton::clicked, this, [&store](bool on) {
        store.setAutomaticAnswers(on);
        store.save();
    });
    return new Surface(card, 28);
}

QWidget* SettingsView::buildAnswers() {
    auto* card = new QWidget;
    auto* column = bareColumn(card, 22);
    column->addWidget(new SectionHeading(QStringLiteral("Answers"),
                                         QStringLiteral("The default format for your talking "
                                                        "points."),
                                         Palette::green()));
    AppStore& store = m_environment.store;
    QStringList styles;
    for (const AnswerStyle style : allAnswerStyles())
        styles.append(displayName(style));
    m_styleChoice =
        addChoice(styles, [&store](int i) { store.setStyle(allAnswerStyles().at(size_t(i))); });
    column->addWidget(m_styleChoice);
    column->addWidget(caption(QStringLiteral("Adaptive chooses a short answer or a STAR structure "
                                             "to suit the question. Answers are phrased to be "
                                             "spoken aloud.")));

    auto* model = new QWidget;
    auto* modelColumn = bareColumn(model, 12);
    modelColumn->addWidget(new FieldLabel(QStringLiteral("OpenAI model"), QString()));
    m_model = new TextInput(QStringLiteral("Model ID"));
    modelColumn->addWidget(m_model);
    modelColumn->addWidget(caption(QStringLiteral(
        "Default: gpt-4.1-mini. The model must support the Responses API and be available on "
        "your account.")));
    modelColumn->addWidget(caption(QStringLiteral(
        "Answers appear as soon as the first words arrive. Speed depends on your connection, "
        "transcription and model.")));
    m_modelGroup = disclosure(QStringLiteral("Model and response speed"), model, 16);
    column->addWidget(m_modelGroup);
    m_streamCaption = caption(QStringLiteral("Answers stream as soon as the first words arrive."));
    column->addWidget(m_streamCaption);
    // textEdited fires for the user's edits only, never for the refresh's own setText.
    connect(m_model, &QLineEdit::textEdited, this, [&store](const QString& text) {
        store.setModel(text);
        store.save();
    });
    return new Surface(card, 28);
}

QWidget* SettingsView::buildFloatingWindow() {
    auto* card = new QWidget;
    auto* column = bareColumn(card, 22);
    column->addWidget(new SectionHeading(QStringLiteral("Floating window"),
                                         QStringLiteral("Keep your answer visible during the "
                                                        "call."),
                                         Palette::orange()));
    AppStore& store = m_environment.store;
    auto* row = new QHBoxLayout;
    row->setSpacing(32);
    auto* controls = new QVBoxLayout;
    controls->setSpacing(14);
    auto* label = new FieldLabel(QStringLiteral("Background opacity"),
                                 settings::opacityLabel(store.overlayOpacity()));
    m_opacityLabel = label->hintLabel();
    controls->addWidget(label);
    m_opacity = new QSlider(Qt::Horizontal);
    m_opacity->setRange(qRound(0.35 * sliderScale), qRound(0.98 * sliderScale));
    m_opacity->setAccessibleName(QStringLiteral("Floating window background opacity"));
    new FocusRing(m_opacity);
    QPalette tint = m_opacity->palette();
    tint.setColor(QPalette::Highlight, Palette::ink());
    m_opacity->setPalette(tint);
    controls->addWidget(m_opacity);
    controls->addWidget(caption(
        QStringLiteral("Text stays readable as the background becomes more or less transparent.")));
    auto* show = new ActionButton(QStringLiteral("Show window"), QStringLiteral("arrow.up.right"),
                                  false, true, std::nullopt, m_environment.preferences);
    controls->addWidget(show, 0, Qt::AlignLeft);
    row->addLayout(controls, 1);
    m_preview = new OpacityPreview(store.overlayOpacity());
    row->addWidget(m_preview, 0, Qt::AlignVCenter);
    column->addLayout(row);
    connect(m_opacity, &QSlider::valueChanged, this, [&store](int value) {
        store.setOverlayOpacity(value / sliderScale);
        store.save();
    });
    connect(show, &ActionButton::clicked, &store, &AppStore::openOverlay);
    return new Surface(card, 28);
}

QWidget* SettingsView::buildPrivacy() {
    auto* content = new QWidget;
    auto* column = bareColumn(content, 12);
    column->addWidget(caption(wording::dataStaysHere()));
    column->addWidget(caption(wording::speechPrivacy()));
    auto* link = new LinkButton(QStringLiteral("OpenAI data handling ↗"), {},
                                appFont(12, QFont::Normal), Palette::ink());
    column->addWidget(link, 0, Qt::AlignLeft);
    connect(link, &QAbstractButton::clicked, this, [this] { m_seams.openUrl(dataHandlingPage()); });
    auto* group = disclosure(QStringLiteral("Data and privacy"), content, 14);
    group->setContentsMargins(4, 0, 4, 0);
    return group;
}

void SettingsView::refresh() {
    const AppStore& store = m_environment.store;
    const bool inSession = store.isSessionActive();
    const bool privateRoute = settings::isPrivateRoute(
        settings::allowsPrivateConnection(m_seams.bundle), store.isCloudConfigured());
    m_privateGroup->setVisible(privateRoute);
    m_privateGroup->setEnabled(!inSession);

    m_sessionNote->setVisible(inSession);
    m_sourceChoice->setSelectedIndex(positionOf(allAudioSources(), store.audioSource()));
    m_sourceChoice->setEnabled(!inSession);
    m_sourceCaption->setText(settings::audioSourceCaption(store.audioSource()));
    const auto& languages = settings::languageOptions();
    for (size_t i = 0; i < languages.size(); ++i) {
        if (settings::isSelected(languages[i], store.context().language))
            m_languageChoice->setSelectedIndex(int(i));
    }
    m_languageChoice->setEnabled(!inSession);
    {
        const QSignalBlocker blocker(m_automatic);
        m_automatic->setChecked(store.automaticAnswers());
    }
    // A disabled switch dims its label and caption with it.
    const bool automaticAvailable = store.audioSource() != AudioSource::microphone;
    m_automatic->setEnabled(automaticAvailable);
    const qreal labelOpacity = automaticAvailable ? 1 : 0.45;
    m_automaticTitle->setEnabled(automaticAvailable);
    m_automaticTitle->setTextColor(Palette::withOpacity(Palette::ink(), labelOpacity));
    m_automaticCaption->setEnabled(automaticAvailable);
    m_automaticCaption->setTextColor(Palette::withOpacity(Palette::secondary(), labelOpacity));
    m_automaticCaption->setText(settings::automaticAnswersCaption(store.audioSource()));

    m_styleChoice->setSelectedIndex(positionOf(allAnswerStyles(), store.style()));
    m_modelGroup->setVisible(privateRoute);
    m_streamCaption->setVisible(!privateRoute);
    if (m_model->text() != store.model())
        m_model->setText(store.model());

    m_opacityLabel->setText(settings::opacityLabel(store.overlayOpacity()));
    {
        const QSignalBlocker blocker(m_opacity);
        m_opacity->setValue(qRound(store.overlayOpacity() * sliderScale));
    }
    m_preview->setOpacity(store.overlayOpacity());
}

} // namespace corvel
