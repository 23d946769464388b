#include "Specimen.h"

#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/BrandMark.h"
#include "ui/foundation/CloudColors.h"
#include "ui/foundation/Eyebrow.h"
#include "ui/foundation/FieldLabel.h"
#include "ui/foundation/NativeAppBackdrop.h"
#include "ui/foundation/PageHeading.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/StatusTag.h"
#include "ui/foundation/Surface.h"
#include "ui/foundation/TextArea.h"
#include "ui/foundation/TextInput.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvel::gallery {

namespace {

const QStringList buttonStates = {QStringLiteral("idle"),           QStringLiteral("hover"),
                                  QStringLiteral("pressed"),        QStringLiteral("disabled"),
                                  QStringLiteral("disabled+hover"), QStringLiteral("focused")};

struct NamedColor {
    const char* name;
    QColor color;
};

QWidget* swatches(const QList<NamedColor>& colors) {
    auto* sheet = new QWidget;
    auto* grid = new QGridLayout(sheet);
    grid->setSpacing(8);
    for (int i = 0; i < colors.size(); ++i) {
        auto* chip = new QWidget;
        chip->setFixedSize(48, 28);
        fillBackground(chip, colors.at(i).color);
        grid->addWidget(chip, i, 0);
        grid->addWidget(
            new PlainLabel(QStringLiteral("%1  %2").arg(QLatin1String(colors.at(i).name),
                                                        colors.at(i).color.name(QColor::HexRgb)),
                           appFont(12, QFont::Normal), Palette::ink()),
            i, 1);
    }
    return sheet;
}

QWidget* palette(const SpecimenOptions&) {
    return swatches({{"ink", Palette::ink()},
                     {"secondary", Palette::secondary()},
                     {"muted", Palette::muted()},
                     {"canvas", Palette::canvas()},
                     {"surface", Palette::surface()},
                     {"pink", Palette::pink()},
                     {"cyan", Palette::cyan()},
                     {"green", Palette::green()},
                     {"orange", Palette::orange()},
                     {"skyLight", Palette::skyLight()}});
}

QWidget* cloudColors(const SpecimenOptions&) {
    return swatches({{"white", CloudColors::white()},
                     {"shadow", CloudColors::shadow()},
                     {"deepShadow", CloudColors::deepShadow()},
                     {"highlight", CloudColors::highlight()},
                     {"navy", CloudColors::navy()},
                     {"pink", CloudColors::pink()},
                     {"cyan", CloudColors::cyan()},
                     {"green", CloudColors::green()},
                     {"orange", CloudColors::orange()},
                     {"skyTop", CloudColors::skyTop()},
                     {"skyMiddle", CloudColors::skyMiddle()},
                     {"skyBottom", CloudColors::skyBottom()},
                     {"bankBack", CloudColors::bankBack()},
                     {"bankFrontShade", CloudColors::bankFrontShade()}});
}

// Every size the controls use, at the three weights; "fallback" shows the system font instead.
QWidget* fonts(const SpecimenOptions& options) {
    const bool fallback = options.hasState(QStringLiteral("fallback"));
    const std::optional<RegisteredFont> font =
        fallback ? std::nullopt : FontRegistry::registeredFont();
    auto* sheet = new QWidget;
    auto* column = new QVBoxLayout(sheet);
    const QString sample = options.setting(
        QStringLiteral("text"), QStringLiteral("Hamburgefonstiv – You’re ready 12:34 3/5 0123 😀"));
    for (int size : {9, 11, 12, 13, 14, 21, 38}) {
        for (auto weight : {QFont::Normal, QFont::Medium, QFont::DemiBold}) {
            column->addWidget(
                new PlainLabel(QStringLiteral("%1/%2 %3").arg(size).arg(weight).arg(sample),
                               appFont(size, weight, font), Palette::ink()));
        }
    }
    return sheet;
}

Specimen actionButton(const QString& name, bool primary, bool compact, std::optional<QColor> tint,
                      const QString& icon) {
    return {name,
            buttonStates,
            [=](const SpecimenOptions& options) -> QWidget* {
                std::optional<QColor> chosenTint = tint;
                if (options.settings.contains(QStringLiteral("tint")))
                    chosenTint = QColor(options.settings.value(QStringLiteral("tint")));
                return new ActionButton(
                    options.setting(QStringLiteral("title"), QStringLiteral("Continue")),
                    options.setting(QStringLiteral("icon"), icon),
                    options.flag(QStringLiteral("primary"), primary),
                    options.flag(QStringLiteral("compact"), compact), chosenTint);
            },
            {}};
}

QWidget* statusTag(const SpecimenOptions& options) {
    return new StatusTag(options.setting(QStringLiteral("text"), QStringLiteral("Ready")),
                         !options.hasState(QStringLiteral("negative")));
}

QWidget* textInput(const SpecimenOptions& options) {
    auto* input = new TextInput(
        options.setting(QStringLiteral("placeholder"), QStringLiteral("Senior product designer")));
    input->setFixedWidth(360);
    if (options.hasState(QStringLiteral("filled")))
        input->setText(options.setting(QStringLiteral("text"), QStringLiteral("Staff engineer")));
    return input;
}

QWidget* textArea(const SpecimenOptions& options) {
    const QString text =
        options.hasState(QStringLiteral("filled"))
            ? options.setting(QStringLiteral("text"),
                              QStringLiteral("Lead the design system.\nShip the onboarding.\n"
                                             "Mentor two designers on interaction craft."))
            : QString();
    auto* area = new TextArea(
        text,
        options.setting(QStringLiteral("placeholder"), QStringLiteral("Paste the job description")),
        options.setting(QStringLiteral("height"), QStringLiteral("140")).toInt());
    area->setFixedWidth(420);
    return area;
}

QWidget* surface(const SpecimenOptions& options) {
    auto* content = new QWidget;
    content->setFixedWidth(320);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new FieldLabel(QStringLiteral("Role"), QStringLiteral("Required")));
    column->addWidget(new TextInput(QStringLiteral("Senior product designer")));
    return new Surface(content,
                       options.setting(QStringLiteral("padding"), QStringLiteral("24")).toInt());
}

QWidget* pixelGlyphs(const SpecimenOptions& options) {
    const int size = options.setting(QStringLiteral("size"), QStringLiteral("18")).toInt();
    const QList<QColor> colors = {Palette::pink(),   Palette::cyan(), Palette::green(),
                                  Palette::orange(), Palette::ink(),  Palette::secondary()};
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setSpacing(12);
    const PixelGlyph::Kind kinds[] = {PixelGlyph::Kind::spark,    PixelGlyph::Kind::wave,
                                      PixelGlyph::Kind::document, PixelGlyph::Kind::check,
                                      PixelGlyph::Kind::arrow,    PixelGlyph::Kind::person};
    for (int i = 0; i < 6; ++i)
        layout->addWidget(new PixelGlyph(kinds[i], colors.at(i), size));
    return row;
}

QWidget* brandMarks(const SpecimenOptions& options) {
    const bool inverse = options.hasState(QStringLiteral("inverse"));
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    for (int size : {28, 64, 176})
        layout->addWidget(new BrandMark(size, inverse), 0, Qt::AlignBottom);
    return row;
}

QWidget* backdrop(const SpecimenOptions& options) {
    auto* view = new NativeAppBackdrop(
        options.setting(QStringLiteral("tint"), QStringLiteral("0.82")).toDouble());
    view->setFixedSize(240, 120);
    return view;
}

} // namespace

void addFoundationSpecimens(SpecimenList& specimens) {
    const QColor white(Qt::white);
    specimens.append({QStringLiteral("palette"), {QStringLiteral("idle")}, palette, white});
    specimens.append(
        {QStringLiteral("cloud-colors"), {QStringLiteral("idle")}, cloudColors, white});
    specimens.append({QStringLiteral("fonts"),
                      {QStringLiteral("idle"), QStringLiteral("fallback")},
                      fonts,
                      white});
    specimens.append(actionButton(QStringLiteral("action-button-primary"), true, false,
                                  std::nullopt, QStringLiteral("arrow.right")));
    specimens.append(actionButton(QStringLiteral("action-button-primary-compact"), true, true,
                                  std::nullopt, QString()));
    specimens.append(actionButton(QStringLiteral("action-button-secondary"), false, true,
                                  std::nullopt, QStringLiteral("pause.fill")));
    specimens.append(actionButton(QStringLiteral("action-button-tinted"), true, false,
                                  Palette::orange(), QStringLiteral("arrow.right")));
    specimens.append(actionButton(QStringLiteral("action-button-tinted-compact"), true, true,
                                  Palette::cyan(), QStringLiteral("arrow.up")));
    specimens.append({QStringLiteral("eyebrow"),
                      {QStringLiteral("idle")},
                      [](const SpecimenOptions& options) -> QWidget* {
                          return new Eyebrow(options.setting(QStringLiteral("text"),
                                                             QStringLiteral("Step 1 of 3")));
                      },
                      {}});
    specimens.append(
        {QStringLiteral("page-heading"),
         {QStringLiteral("idle"), QStringLiteral("no-subtitle")},
         [](const SpecimenOptions& options) -> QWidget* {
             auto* heading = new PageHeading(
                 QStringLiteral("Preparation"),
                 options.setting(QStringLiteral("title"), QStringLiteral("Prepare your interview")),
                 options.hasState(QStringLiteral("no-subtitle"))
                     ? QString()
                     : options.setting(QStringLiteral("subtitle"),
                                       QStringLiteral("Add the job, your resume and the call "
                                                      "details. Everything stays on this "
                                                      "computer, and you can change it at any "
                                                      "time before the session starts.")));
             heading->setFixedWidth(520);
             return heading;
         },
         {}});
    specimens.append({QStringLiteral("field-label"),
                      {QStringLiteral("idle"), QStringLiteral("no-hint")},
                      [](const SpecimenOptions& options) -> QWidget* {
                          auto* label = new FieldLabel(
                              QStringLiteral("Job description"),
                              options.hasState(QStringLiteral("no-hint"))
                                  ? QString()
                                  : options.setting(QStringLiteral("hint"),
                                                    QStringLiteral("Paste the whole posting")));
                          label->setFixedWidth(360);
                          return label;
                      },
                      {}});
    specimens.append({QStringLiteral("status-tag"),
                      {QStringLiteral("idle"), QStringLiteral("negative")},
                      statusTag,
                      {}});
    specimens.append({QStringLiteral("text-input"),
                      {QStringLiteral("idle"), QStringLiteral("filled"), QStringLiteral("focused"),
                       QStringLiteral("filled+focused"), QStringLiteral("disabled")},
                      textInput,
                      {}});
    specimens.append({QStringLiteral("text-area"),
                      {QStringLiteral("idle"), QStringLiteral("filled"), QStringLiteral("focused"),
                       QStringLiteral("disabled")},
                      textArea,
                      {}});
    specimens.append({QStringLiteral("surface"), {QStringLiteral("idle")}, surface, {}});
    specimens.append(
        {QStringLiteral("pixel-glyphs"), {QStringLiteral("idle")}, pixelGlyphs, white});
    specimens.append({QStringLiteral("brand-mark"), {QStringLiteral("idle")}, brandMarks, {}});
    specimens.append({QStringLiteral("brand-mark-inverse"),
                      {QStringLiteral("inverse")},
                      brandMarks,
                      Palette::ink()});
    specimens.append({QStringLiteral("backdrop"), {QStringLiteral("idle")}, backdrop, white});
}

} // namespace corvel::gallery
