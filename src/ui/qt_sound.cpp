#include "ui/qt_sound.h"

#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QUrl>

namespace velmora::ui {
namespace {

bool isWaveImage(const std::string& image) {
    return image.size() >= 12 && image.compare(0, 4, "RIFF") == 0 && image.compare(8, 4, "WAVE") == 0;
}

}  // namespace

QtSound::QtSound() = default;

QtSound::~QtSound() { dsTerminate(DEVICE); }

std::int32_t QtSound::dsInitialize() {
    // Without a sound server Qt Multimedia logs its failed connection; the
    // game reports that case in its own warning box, so the line is dropped.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.startsWith("PulseAudioService:") && previous) previous(type, context, text);
    });
    const bool noOutput = QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(previous);
    if (noOutput) return 0;
    output_ = QMediaDevices::defaultAudioOutput();
    started_ = true;
    return DEVICE;
}

std::int32_t QtSound::dsCreateDSB(std::int32_t device, const std::string& waveImage, std::int32_t /*flags*/) {
    // The flags (3 for effects, 1 for the music) ask for nothing that this
    // library needs to do differently: looping is chosen when playing.
    if (!started_ || device != DEVICE || !isWaveImage(waveImage)) return 0;
    if (!folder_) {
        folder_ = std::make_unique<QTemporaryDir>();
        if (!folder_->isValid()) {
            folder_.reset();
            return 0;
        }
    }
    const std::int32_t handle = nextBuffer_++;
    const QString path = folder_->filePath(QStringLiteral("%1.wav").arg(handle));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(waveImage.data(), static_cast<qint64>(waveImage.size())) != static_cast<qint64>(waveImage.size())) {
        file.close();
        QFile::remove(path);
        return 0;
    }
    file.close();
    auto effect = std::make_unique<QSoundEffect>(output_);
    effect->setSource(QUrl::fromLocalFile(path));
    buffers_[handle] = Buffer{std::move(effect), path};
    return handle;
}

QSoundEffect* QtSound::effect(std::int32_t buffer) const {
    const auto it = buffers_.find(buffer);
    return it == buffers_.end() ? nullptr : it->second.effect.get();
}

// Starts a buffer from its beginning, also when it is still sounding.
void QtSound::start(std::int32_t buffer, int loops) {
    QSoundEffect* e = effect(buffer);
    if (!e) return;
    e->stop();
    e->setLoopCount(loops);
    e->play();
}

void QtSound::dsPlay(std::int32_t buffer) { start(buffer, 1); }

void QtSound::dsPlayLooping(std::int32_t buffer) { start(buffer, QSoundEffect::Infinite); }

void QtSound::dsStop(std::int32_t buffer) {
    if (QSoundEffect* e = effect(buffer)) e->stop();
}

void QtSound::dsFree(std::int32_t buffer) {
    const auto it = buffers_.find(buffer);
    if (it == buffers_.end()) return;
    it->second.effect->stop();
    it->second.effect.reset();
    QFile::remove(it->second.file);
    buffers_.erase(it);
}

void QtSound::dsTerminate(std::int32_t device) {
    if (device != DEVICE) return;
    while (!buffers_.empty()) dsFree(buffers_.begin()->first);
    folder_.reset();
    started_ = false;
}

}  // namespace velmora::ui
