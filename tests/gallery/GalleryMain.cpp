// corvel_gallery: renders any control of the interface kit, in any state and size, to PNG.
//   corvel_gallery --list
//   corvel_gallery NAME [--state S] [--set key=value]... [--scale N] -o FILE.png
//   corvel_gallery --all DIR [--scale N]   (one PNG per specimen and state, plus a sheet each)
// States combine with "+": "disabled+hover". Settings: size=WxH and any a specimen reads.

#include "Specimen.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <cstdio>

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

QImage render(const Specimen& specimen, const SpecimenOptions& options, qreal scale) {
    QWidget host;
    host.setAutoFillBackground(true);
    QPalette colors = host.palette();
    colors.setColor(QPalette::Window,
                    specimen.background.isValid() ? specimen.background : Palette::canvas());
    host.setPalette(colors);
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(24, 24, 24, 24);
    QWidget* control = specimen.make(options);
    const QStringList size = options.settings.value(QStringLiteral("size")).split(QLatin1Char('x'));
    if (size.size() == 2)
        control->setFixedSize(size.at(0).toInt(), size.at(1).toInt());
    layout->addWidget(control);
    host.adjustSize();
    host.show();
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
    if (options.hasState(QStringLiteral("focused")))
        control->setFocus(Qt::OtherFocusReason);
    // Lets press animations run to their end.
    settle(250);

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

int usage() {
    std::fputs("usage: corvel_gallery --list | --all DIR [--scale N] |\n"
               "       NAME [--state S] [--set key=value]... [--scale N] -o FILE.png\n",
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

    const QStringList args = QCoreApplication::arguments().mid(1);
    QString name, output, allFolder;
    SpecimenOptions options;
    qreal scale = 1;
    bool list = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--list")) {
            list = true;
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
        } else if (arg == QLatin1String("-o") && hasValue) {
            output = args.at(++i);
        } else if (!arg.startsWith(QLatin1Char('-')) && name.isEmpty()) {
            name = arg;
        } else {
            return usage();
        }
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
    if (name.isEmpty() || output.isEmpty())
        return usage();
    for (const Specimen& specimen : specimens) {
        if (specimen.name == name)
            return render(specimen, options, scale).save(output) ? 0 : 1;
    }
    std::fprintf(stderr, "unknown control: %s\n", qPrintable(name));
    return 1;
}
