#include "Screen.h"

#include "session/AppStore.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/NativeAppBackdrop.h"
#include "ui/settings/HistoryView.h"
#include "ui/settings/MacAccessSettingsView.h"
#include "ui/settings/SettingsView.h"

#include <QVBoxLayout>

namespace corvel::gallery {

namespace {

void expand(QWidget& root, const QString& title) {
    for (auto* group : root.findChildren<DisclosureGroup*>()) {
        if (group->header()->text() == title)
            group->setExpanded(true);
    }
}

// A screen on the window's canvas, as the root view shows it; a card keeps its own height.
QWidget* onCanvas(QWidget* screen, int margin = 0) {
    auto* backdrop = new NativeAppBackdrop(1.0);
    auto* layout = new QVBoxLayout(backdrop);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(screen);
    if (margin > 0)
        layout->addStretch(1);
    return backdrop;
}

} // namespace

void addSettingsScreens(ScreenList& screens) {
    screens.append(
        {QStringLiteral("settings"),
         QStringLiteral("the settings page"),
         {QStringLiteral("cloud: 1 shows the cloud route (no private developer connection)"),
          QStringLiteral("developerOpen: 1 expands the private developer connection"),
          QStringLiteral("modelOpen: 1 expands the model group"),
          QStringLiteral("privacyOpen: 1 expands the data and privacy note")},
         [](fixture::ScreenFixture& fixture, const ScreenOptions& options) -> QWidget* {
             SettingsSeams seams;
             seams.bundle.allowsPrivateAPIKeyFallback = !options.flag(QStringLiteral("cloud"));
             seams.openUrl = [](const QUrl&) {};
             auto* view = new SettingsView(fixture.environment(), seams);
             if (options.flag(QStringLiteral("developerOpen")))
                 expand(*view, QStringLiteral("Private developer connection"));
             if (options.flag(QStringLiteral("modelOpen")))
                 expand(*view, QStringLiteral("Model and response speed"));
             if (options.flag(QStringLiteral("privacyOpen")))
                 expand(*view, QStringLiteral("Data and privacy"));
             return onCanvas(view);
         }});
    screens.append({QStringLiteral("permissions"),
                    QStringLiteral("the permission panel of the settings page"),
                    {},
                    [](fixture::ScreenFixture& fixture, const ScreenOptions&) -> QWidget* {
                        return onCanvas(new MacAccessSettingsView(fixture.environment()), 40);
                    }});
    screens.append(
        {QStringLiteral("history"),
         QStringLiteral("the interview history: list, detail (selectedRecord) or empty state"),
         {QStringLiteral("answers: the number of answers the selected record keeps")},
         [](fixture::ScreenFixture& fixture, const ScreenOptions& options) -> QWidget* {
             AppStore& store = fixture.store();
             bool ok = false;
             const int answers = options.value(QStringLiteral("answers")).toInt(&ok);
             if (ok && store.selectedRecord()) {
                 InterviewRecord record = *store.selectedRecord();
                 record.entries.resize(size_t(qBound(0, answers, int(record.entries.size()))));
                 store.setSelectedRecord(record);
             }
             return onCanvas(new HistoryView(fixture.environment()));
         }});
}

} // namespace corvel::gallery
