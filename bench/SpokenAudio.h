// Speech for the recognition benchmarks: the sentences to speak and a synthetic voice saying one.
#pragma once

#include "platform/SpeechRecognitionTask.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <cstring>
#include <vector>

namespace corvel::bench {

// The lines of the file named by CORVEL_SPEECH_SENTENCES, or `fallback` without one.
inline QStringList benchSentences(const QStringList& fallback) {
    QFile file(qEnvironmentVariable("CORVEL_SPEECH_SENTENCES"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fallback;
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    }
    return lines;
}

// `text` spoken by espeak-ng ("espeak") or a Festival voice ("kal", "slt"), as 16 kHz mono
// samples; empty when nothing could be spoken.
inline std::vector<qint16> spokenSamples(const QString& voice, const QString& text) {
    QTemporaryDir directory;
    const QString wave = directory.filePath(QStringLiteral("s.wav"));
    const QString raw = directory.filePath(QStringLiteral("s.raw"));
    QProcess speaker;
    if (voice == QStringLiteral("espeak")) {
        speaker.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("en-us"),
                                                    QStringLiteral("-w"), wave, text});
    } else {
        const QString name = voice == QStringLiteral("kal")
                                 ? QStringLiteral("voice_kal_diphone")
                                 : QStringLiteral("voice_cmu_us_slt_arctic_hts");
        speaker.start(QStringLiteral("text2wave"),
                      {QStringLiteral("-eval"), QStringLiteral("(%1)").arg(name),
                       QStringLiteral("-o"), wave});
        speaker.write(text.toUtf8() + '\n');
        speaker.closeWriteChannel();
    }
    speaker.waitForFinished(60'000);
    QProcess::execute(QStringLiteral("sox"),
                      {QStringLiteral("-q"), wave, QStringLiteral("-r"),
                       QString::number(SpeechRecognitionTask::sampleRate), QStringLiteral("-c"),
                       QStringLiteral("1"), QStringLiteral("-b"), QStringLiteral("16"),
                       QStringLiteral("-e"), QStringLiteral("signed-integer"), raw});
    QFile file(raw);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<qint16> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
}

} // namespace corvel::bench
