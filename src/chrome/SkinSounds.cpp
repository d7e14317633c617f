#include "chrome/SkinSounds.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>
#include <QtEndian>

#include <cmath>
#include <algorithm>

namespace moquan {

namespace {

constexpr int kRate = 22050;

void putLe32(QByteArray &b, quint32 v)
{
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

void putLe16(QByteArray &b, quint16 v)
{
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

QByteArray wavFile(const QList<qint16> &samples)
{
    const quint32 dataBytes = quint32(samples.size()) * 2;
    QByteArray b;
    b.reserve(int(44 + dataBytes));
    b.append("RIFF", 4);
    putLe32(b, 36 + dataBytes);
    b.append("WAVE", 4);
    b.append("fmt ", 4);
    putLe32(b, 16);          // chunk size
    putLe16(b, 1);           // PCM
    putLe16(b, 1);           // mono
    putLe32(b, kRate);       // sample rate
    putLe32(b, kRate * 2);   // byte rate
    putLe16(b, 2);           // block align
    putLe16(b, 16);          // bits per sample
    b.append("data", 4);
    putLe32(b, dataBytes);
    for (qint16 s : samples)
        putLe16(b, quint16(s));
    return b;
}

QList<qint16> enterSamples()
{
    // A soft two-tone blip rising from 880 to 1320 Hz, quick attack, gentle decay.
    const int n = kRate * 96 / 1000;
    QList<qint16> out(n);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / n;
        const double freq = 880.0 + 440.0 * std::min(1.0, t * 3.0);
        phase += 2 * M_PI * freq / kRate;
        const double attack = std::min(1.0, i / (kRate * 0.004));
        const double env = attack * std::exp(-4.5 * t) * (1.0 - t);
        const double v = 0.22 * env * (std::sin(phase) + 0.25 * std::sin(2 * phase));
        out[i] = qint16(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
    }
    return out;
}

QList<qint16> clickSamples()
{
    // A 4 ms tick: a short decaying burst at 2.2 kHz.
    const int n = kRate * 4 / 1000;
    QList<qint16> out(n);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / n;
        const double v = 0.35 * std::exp(-5.0 * t) * std::sin(2 * M_PI * 2200.0 * i / kRate);
        out[i] = qint16(std::lround(v * 32767));
    }
    return out;
}

// Lives as a child of the application object, so its sound effects go away
// before the application does.
class Player : public QObject {
public:
    static Player *instance()
    {
        static QPointer<Player> p;
        if (!p && QCoreApplication::instance())
            p = new Player(QCoreApplication::instance());
        return p;
    }
    void play(SkinSound which)
    {
        QSoundEffect *e = which == SkinSound::Enter ? enter_ : click_;
        if (e)
            e->play();
    }

private:
    explicit Player(QObject *parent) : QObject(parent)
    {
        if (QMediaDevices::audioOutputs().isEmpty())
            return;
        enter_ = make(SkinSound::Enter);
        click_ = make(SkinSound::Click);
    }
    QSoundEffect *make(SkinSound which)
    {
        auto *file = new QTemporaryFile(QDir::tempPath() + QStringLiteral("/moquan-XXXXXX.wav"), this);
        if (!file->open())
            return nullptr;
        file->write(skinSoundWav(which));
        file->flush();
        auto *effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(file->fileName()));
        effect->setVolume(0.6f);
        return effect;
    }

    QSoundEffect *enter_ = nullptr;
    QSoundEffect *click_ = nullptr;
};

} // namespace

QByteArray skinSoundWav(SkinSound which)
{
    return wavFile(which == SkinSound::Enter ? enterSamples() : clickSamples());
}

bool skinSoundsMuted()
{
    return qEnvironmentVariable("MOQUAN_MUTE") == QLatin1String("1");
}

void playSkinSound(SkinSound which)
{
    if (skinSoundsMuted())
        return;
    if (Player *p = Player::instance())
        p->play(which);
}

} // namespace moquan
