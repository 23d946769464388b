#include "Specimen.h"

#include "ui/foundation/ActivitySpinner.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/ConfirmationDialog.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/OptionChoice.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/SwitchToggle.h"
#include "ui/foundation/SymbolImage.h"
#include "ui/settings/ComputerWording.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace corvel::gallery {

namespace {

const QString longText = QStringLiteral(
    "Captures the other person’s audio from your call app without your microphone. Use "
    "headphones and stop any other audio playback. <b>Markup</b> stays as typed.");

QWidget* textBlock(const SpecimenOptions& options) {
    auto* label = new SpacedLabel(
        options.setting(QStringLiteral("text"), longText),
        appFont(options.setting(QStringLiteral("font"), QStringLiteral("14")).toInt(),
                QFont::Normal),
        Palette::secondary(),
        options.setting(QStringLiteral("spacing"), QStringLiteral("6")).toDouble());
    label->setTracking(options.setting(QStringLiteral("tracking"), QStringLiteral("0")).toDouble());
    label->setMaximumLines(options.setting(QStringLiteral("lines"), QStringLiteral("0")).toInt());
    if (options.hasState(QStringLiteral("centred")))
        label->setAlignment(Qt::AlignHCenter);
    if (options.hasState(QStringLiteral("selected"))) {
        label->setSelectable(true);
        label->selectAll();
    }
    label->setFixedWidth(options.setting(QStringLiteral("width"), QStringLiteral("360")).toInt());
    return label;
}

QWidget* disclosure(const SpecimenOptions& options) {
    auto* content = new SpacedLabel(longText, appFont(12, QFont::Normal), Palette::secondary(), 4);
    auto* group = new DisclosureGroup(
        options.setting(QStringLiteral("title"), QStringLiteral("What the app heard")), content,
        appFont(12, QFont::Normal), Palette::ink());
    group->setContentSpacing(12);
    group->setExpanded(options.hasState(QStringLiteral("expanded")));
    group->setFixedWidth(380);
    return group;
}

QWidget* switchToggle(const SpecimenOptions& options) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new PlainLabel(QStringLiteral("Suggest answers automatically"),
                                     appFont(14, QFont::Medium), Palette::ink()));
    auto* toggle = new SwitchToggle(Palette::ink());
    toggle->setChecked(options.hasState(QStringLiteral("on")));
    layout->addWidget(toggle);
    return row;
}

QWidget* links(const SpecimenOptions&) {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setSpacing(12);
    layout->addWidget(new LinkButton(QStringLiteral("Create a key ↗"), {},
                                     appFont(12, QFont::Medium), Palette::ink()));
    layout->addWidget(new LinkButton(QStringLiteral("Back"), QStringLiteral("arrow.left"),
                                     appFont(12, QFont::Normal), Palette::ink()));
    layout->addWidget(new LinkButton(QStringLiteral("History"),
                                     QStringLiteral("clock.arrow.circlepath"),
                                     appFont(12, QFont::Normal), Palette::secondary()));
    auto* close =
        new LinkButton({}, QStringLiteral("xmark"), appFont(12, QFont::Normal), Palette::ink());
    close->setPadding(QMargins(4, 4, 4, 4));
    layout->addWidget(close);
    return column;
}

QWidget* options(const SpecimenOptions& options, OptionPill::Style style,
                 const QStringList& titles) {
    auto* choice = new OptionChoice(titles, style);
    choice->setSelectedIndex(
        options.setting(QStringLiteral("selected"), QStringLiteral("1")).toInt());
    choice->setFixedWidth(style == OptionPill::Style::segment ? 300 : 480);
    return choice;
}

// Every symbol at 12 and 24 px with its name.
QWidget* symbols(const SpecimenOptions&) {
    auto* sheet = new QWidget;
    auto* grid = new QGridLayout(sheet);
    grid->setHorizontalSpacing(16);
    const QStringList names = SymbolImage::names();
    for (int i = 0; i < names.size(); ++i) {
        for (int size : {12, 24}) {
            auto* cell =
                new LinkButton({}, names.at(i), appFont(12, QFont::Normal), Palette::ink());
            cell->setSymbolSize(size);
            grid->addWidget(cell, i / 2, (i % 2) * 3 + (size == 12 ? 0 : 1));
        }
        grid->addWidget(
            new PlainLabel(names.at(i), appFont(11, QFont::Normal), Palette::secondary()), i / 2,
            (i % 2) * 3 + 2);
    }
    return sheet;
}

// The delete confirmations, as the history (--set which=history) and the key show them.
QWidget* confirmation(const SpecimenOptions& options) {
    const bool history = options.setting(QStringLiteral("which"), QStringLiteral("history")) ==
                         QLatin1String("history");
    QMessageBox* box = history ? openConfirmation(nullptr, QStringLiteral("Delete this interview?"),
                                                  wording::deleteInterviewMessage(),
                                                  QStringLiteral("Delete"), [] {})
                               : openConfirmation(nullptr, wording::deleteKeyTitle(), QString(),
                                                  QStringLiteral("Delete key"), [] {});
    // The box sizes itself as a window when shown: its picture is what the user sees.
    QCoreApplication::processEvents();
    auto* picture = new QLabel;
    picture->setPixmap(box->grab());
    box->close();
    return picture;
}

} // namespace

void addControlSpecimens(SpecimenList& specimens) {
    const QColor white(Qt::white);
    specimens.append(
        {QStringLiteral("text-block"),
         {QStringLiteral("idle"), QStringLiteral("centred"), QStringLiteral("selected")},
         textBlock,
         white});
    specimens.append(
        {QStringLiteral("disclosure"),
         {QStringLiteral("idle"), QStringLiteral("expanded"), QStringLiteral("disabled")},
         disclosure,
         {}});
    specimens.append({QStringLiteral("switch"),
                      {QStringLiteral("idle"), QStringLiteral("on"), QStringLiteral("disabled"),
                       QStringLiteral("on+disabled"), QStringLiteral("focused")},
                      switchToggle,
                      white});
    specimens.append({QStringLiteral("spinner"),
                      {QStringLiteral("idle")},
                      [](const SpecimenOptions&) -> QWidget* { return new ActivitySpinner; },
                      {}});
    specimens.append(
        {QStringLiteral("links"),
         {QStringLiteral("idle"), QStringLiteral("disabled"), QStringLiteral("focused")},
         links,
         {}});
    specimens.append(
        {QStringLiteral("option-pills"),
         {QStringLiteral("idle"), QStringLiteral("disabled"), QStringLiteral("focused")},
         [](const SpecimenOptions& o) {
             return options(o, OptionPill::Style::pill,
                            {QStringLiteral("Adaptive"), QStringLiteral("Concise"),
                             QStringLiteral("STAR method"), QStringLiteral("Detailed")});
         },
         white});
    specimens.append({QStringLiteral("option-segments"),
                      {QStringLiteral("idle"), QStringLiteral("disabled")},
                      [](const SpecimenOptions& o) {
                          return options(o, OptionPill::Style::segment,
                                         {QStringLiteral("English"), QStringLiteral("French")});
                      },
                      white});
    specimens.append({QStringLiteral("symbols"), {QStringLiteral("idle")}, symbols, white});
    specimens.append({QStringLiteral("confirmation"), {QStringLiteral("idle")}, confirmation, {}});
}

} // namespace corvel::gallery
