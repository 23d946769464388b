// corvel_gallery: renders any control of the interface kit, in any state and size, to PNG, and
// whole screens over real stores with scripted state.
//   corvel_gallery --screens
//   corvel_gallery --screen NAME [--set key=value]... [--size WxH] [--focus CONTROL] -o FILE.png
//   corvel_gallery --all-screens DIR   (every screen with no --set; fails when one does not build)
//   corvel_gallery --list
//   corvel_gallery NAME [--state S] [--set key=value]... [--scale N] -o FILE.png
//   corvel_gallery --all DIR [--scale N]   (one PNG per specimen and state, plus a sheet each)
//   corvel_gallery NAME [--state S] --live SECONDS   (shows it running, e.g. to measure its CPU)
// States combine with "+": "disabled+hover". Settings: size=WxH and any a specimen reads.

#include "Screen.h"
#include "Specimen.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/RoundedCard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace corvel::gallery {

bool SpecimenOptions::flag(const QString& key, bool fallback) const {
    if (!settings.contains(key))
        return fallback;
    const QString value = settings.value(key);
    return value == QLatin1String("1") || value == QLatin1String("true");
}

bool SpecimenOptions::hasState(const QString& word) const {
    return state.split(QLatin1Char('+')).contains(word);
}

namespace {

void settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Builds the specimen in `host`, shows it and applies the generic states.
void present(QWidget& host, const Specimen& specimen, const SpecimenOptions& options) {
    fillBackground(&host, specimen.background.isValid() ? specimen.background : Palette::canvas());
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(24, 24, 24, 24);
    QWidget* control = specimen.make(options);
    const QStringList size = options.settings.value(QStringLiteral("size")).split(QLatin1Char('x'));
    if (size.size() == 2)
        control->setFixedSize(size.at(0).toInt(), size.at(1).toInt());
    layout->addWidget(control);
    host.adjustSize();
    host.show();
    host.activateWindow();
    QApplication::setActiveWindow(&host);
    settle(20);
    // Showing the window focuses its first field; only the "focused" state wants that.
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();

    if (options.hasState(QStringLiteral("disabled")))
        control->setEnabled(false);
    const QPointF centre = QRectF(control->rect()).center();
    if (options.hasState(QStringLiteral("hover"))) {
        QEnterEvent enter(centre, control->mapTo(&host, centre), control->mapToGlobal(centre));
        QCoreApplication::sendEvent(control, &enter);
    }
    if (options.hasState(QStringLiteral("pressed"))) {
        QMouseEvent press(QEvent::MouseButtonPress, centre, control->mapToGlobal(centre),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(control, &press);
    }
    // Focus as the Tab key gives it, on the control or its first focusable part, so the
    // keyboard focus ring shows.
    if (options.hasState(QStringLiteral("focused"))) {
        QWidget* target = control;
        if (control->focusPolicy() == Qt::NoFocus) {
            for (QWidget* child : control->findChildren<QWidget*>()) {
                if (child->focusPolicy() & Qt::TabFocus) {
                    target = child;
                    break;
                }
            }
        }
        focusByKeyboard(target);
    }
    // Lets press animations run to their end.
    settle(250);
}

QImage render(const Specimen& specimen, const SpecimenOptions& options, qreal scale) {
    QWidget host;
    present(host, specimen, options);
    QImage image((QSizeF(host.size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    host.render(&image);
    return image;
}

QImage sheet(const QList<QPair<QString, QImage>>& renderings) {
    const int captionHeight = 22;
    int width = 0;
    int height = 0;
    for (const auto& [state, image] : renderings) {
        width = qMax(width, image.width());
        height += captionHeight + image.height();
    }
    QImage result(width, height, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::white);
    QPainter painter(&result);
    painter.setFont(appFont(12, QFont::Medium));
    painter.setPen(Palette::secondary());
    int y = 0;
    for (const auto& [state, image] : renderings) {
        painter.drawText(QRect(8, y, width - 16, captionHeight), Qt::AlignVCenter, state);
        y += captionHeight;
        QImage plain = image;
        plain.setDevicePixelRatio(1);
        painter.drawImage(0, y, plain);
        y += image.height();
    }
    return result;
}

QString keyName(const QString& declared) {
    return declared.section(QLatin1Char(':'), 0, 0).trimmed();
}

void listScreens(const ScreenList& screens) {
    for (const Screen& screen : screens) {
        std::printf("%s  %s\n", qPrintable(screen.name), qPrintable(screen.summary));
        for (const QString& key : screen.keys)
            std::printf("    --set %s\n", qPrintable(key));
    }
    std::printf("\nkeys every screen takes:\n");
    for (const auto& key : fixture::ScreenFixture::keys())
        std::printf("    --set %s: %s\n", qPrintable(key.name), qPrintable(key.help));
}

// Gives the keyboard focus, ring included, to the control of `root` named `name`.
bool focusNamed(QWidget& root, const QString& name) {
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        if (widget->isVisible() &&
            (widget->accessibleName() == name || (button && button->text() == name))) {
            QApplication::setActiveWindow(&root);
            focusByKeyboard(widget->focusProxy() ? widget->focusProxy() : widget);
            return true;
        }
    }
    std::fprintf(stderr, "--focus %s: no such control\n", qPrintable(name));
    return false;
}

// Builds the screen over a fixture with the scripted state and writes it to `output`.
int renderScreen(const Screen& screen, const QMap<QString, QString>& settings, QSize size,
                 const QString& output, const QString& focus = {}) {
    fixture::ScreenFixture::Settings common;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
        const auto& keys = fixture::ScreenFixture::keys();
        if (std::any_of(keys.cbegin(), keys.cend(),
                        [&](const auto& key) { return key.name == it.key(); })) {
            common.insert(it.key(), it.value());
        } else if (std::none_of(screen.keys.cbegin(), screen.keys.cend(),
                                [&](const QString& key) { return keyName(key) == it.key(); })) {
            std::fprintf(stderr, "--set %s: not a key of %s (see --screens)\n",
                         qPrintable(it.key()), qPrintable(screen.name));
            return 2;
        }
    }
    try {
        fixture::ScreenFixture fixture(common);
        std::unique_ptr<QWidget> widget(screen.make(fixture, ScreenOptions{settings}));
        widget->resize(size);
        widget->show();
        settle(300);
        if (!focus.isEmpty()) {
            if (!focusNamed(*widget, focus))
                return 2;
            settle(50);
        }
        const bool saved = widget->grab().save(output);
        widget.reset();
        QCoreApplication::processEvents();
        return saved ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(screen.name), error.what());
        return 2;
    }
}

int usage() {
    std::fputs("usage: corvel_gallery --screens | --all-screens DIR |\n"
               "       --screen NAME [--set key=value]... [--size WxH] [--focus CONTROL]\n"
               "                -o FILE.png |\n"
               "       --list | --all DIR [--scale N] |\n"
               "       NAME [--state S] [--set key=value]... [--scale N] -o FILE.png |\n"
               "       NAME [--state S] [--set key=value]... --live SECONDS\n",
               stderr);
    return 2;
}

} // namespace

} // namespace corvel::gallery

int main(int argc, char** argv) {
    using namespace corvel::gallery;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SpecimenList specimens;
    addFoundationSpecimens(specimens);
    addCloudSpecimens(specimens);
    addControlSpecimens(specimens);
    ScreenList screens;
    addFoundationScreens(screens);
    addShellScreens(screens);
    addSessionScreens(screens);
    addPreparationScreens(screens);
    addSettingsScreens(screens);

    const QStringList args = QCoreApplication::arguments().mid(1);
    QString name, output, allFolder;
    SpecimenOptions options;
    qreal scale = 1;
    double liveSeconds = 0;
    bool list = false;
    bool listScreenNames = false;
    QString screenName;
    QString focus;
    QString allScreensFolder;
    QSize screenSize(1280, 860);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--list")) {
            list = true;
        } else if (arg == QLatin1String("--screens")) {
            listScreenNames = true;
        } else if (arg == QLatin1String("--all-screens") && hasValue) {
            allScreensFolder = args.at(++i);
        } else if (arg == QLatin1String("--screen") && hasValue) {
            screenName = args.at(++i);
        } else if (arg == QLatin1String("--size") && hasValue) {
            const QStringList parts = args.at(++i).split(QLatin1Char('x'));
            if (parts.size() != 2 || parts.at(0).toInt() <= 0 || parts.at(1).toInt() <= 0)
                return usage();
            screenSize = QSize(qMin(parts.at(0).toInt(), 8000), qMin(parts.at(1).toInt(), 8000));
        } else if (arg == QLatin1String("--all") && hasValue) {
            allFolder = args.at(++i);
        } else if (arg == QLatin1String("--state") && hasValue) {
            options.state = args.at(++i);
        } else if (arg == QLatin1String("--scale") && hasValue) {
            scale = qBound(0.5, args.at(++i).toDouble(), 8.0);
        } else if (arg == QLatin1String("--set") && hasValue) {
            const QString pair = args.at(++i);
            const qsizetype equals = pair.indexOf(QLatin1Char('='));
            if (equals <= 0)
                return usage();
            options.settings.insert(pair.left(equals), pair.mid(equals + 1));
        } else if (arg == QLatin1String("--live") && hasValue) {
            liveSeconds = qBound(0.1, args.at(++i).toDouble(), 3600.0);
        } else if (arg == QLatin1String("-o") && hasValue) {
            output = args.at(++i);
        } else if (arg == QLatin1String("--focus") && hasValue) {
            focus = args.at(++i);
        } else if (!arg.startsWith(QLatin1Char('-')) && name.isEmpty()) {
            name = arg;
        } else {
            return usage();
        }
    }

    if (listScreenNames) {
        listScreens(screens);
        return 0;
    }
    if (!allScreensFolder.isEmpty()) {
        QDir folder(allScreensFolder);
        if (!folder.mkpath(QStringLiteral(".")))
            return 1;
        int failures = 0;
        for (const Screen& screen : screens)
            failures += renderScreen(screen, {}, screenSize,
                                     folder.filePath(screen.name + QStringLiteral(".png"))) != 0;
        return failures == 0 ? 0 : 1;
    }
    if (!screenName.isEmpty()) {
        if (output.isEmpty())
            return usage();
        for (const Screen& screen : screens)
            if (screen.name == screenName)
                return renderScreen(screen, options.settings, screenSize, output, focus);
        std::fprintf(stderr, "unknown screen: %s\n", qPrintable(screenName));
        return 1;
    }
    if (list) {
        for (const Specimen& specimen : specimens)
            std::printf("%s  [%s]\n", qPrintable(specimen.name),
                        qPrintable(specimen.states.join(QStringLiteral(", "))));
        return 0;
    }
    if (!allFolder.isEmpty()) {
        QDir folder(allFolder);
        if (!folder.mkpath(QStringLiteral(".")))
            return 1;
        for (const Specimen& specimen : specimens) {
            QList<QPair<QString, QImage>> renderings;
            for (const QString& state : specimen.states) {
                SpecimenOptions each = options;
                each.state = state;
                const QImage image = render(specimen, each, scale);
                QString stateName = state;
                stateName.replace(QLatin1Char('+'), QLatin1Char('-'));
                image.save(folder.filePath(specimen.name + QLatin1Char('-') + stateName +
                                           QStringLiteral(".png")));
                renderings.append({state, image});
            }
            sheet(renderings).save(folder.filePath(specimen.name + QStringLiteral(".png")));
        }
        return 0;
    }
    if (name.isEmpty() || (output.isEmpty() && liveSeconds == 0))
        return usage();
    for (const Specimen& specimen : specimens) {
        if (specimen.name != name)
            continue;
        if (liveSeconds == 0)
            return render(specimen, options, scale).save(output) ? 0 : 1;
        QWidget host;
        present(host, specimen, options);
        QTimer::singleShot(int(liveSeconds * 1000), &app, &QCoreApplication::quit);
        const int status = app.exec();
        // Stopped animations finish their cancelled sleeps on one more turn of the loop.
        host.hide();
        QCoreApplication::processEvents();
        return status;
    }
    std::fprintf(stderr, "unknown control: %s\n", qPrintable(name));
    return 1;
}
