#pragma once
// The sound library on Qt Multimedia: one QSoundEffect per buffer, so the
// effects overlap each other and the looping music, and every call returns
// at once.
#include <QAudioDevice>
#include <QString>
#include <map>
#include <memory>

#include "ports/sound_port.h"

class QSoundEffect;
class QTemporaryDir;

namespace velmora::ui {

class QtSound : public SoundPort {
public:
    QtSound();
    ~QtSound() override;
    QtSound(const QtSound&) = delete;
    QtSound& operator=(const QtSound&) = delete;

    // 0 when the system has no audio output.
    std::int32_t dsInitialize() override;
    // The image is kept in a file of its own until the buffer is freed; 0 for
    // anything that is not a RIFF WAVE image.
    std::int32_t dsCreateDSB(std::int32_t device, const std::string& waveImage, std::int32_t flags) override;
    void dsPlay(std::int32_t buffer) override;
    void dsPlayLooping(std::int32_t buffer) override;
    void dsStop(std::int32_t buffer) override;
    void dsFree(std::int32_t buffer) override;
    void dsTerminate(std::int32_t device) override;

    // For tests: the effect behind a buffer handle, or null.
    QSoundEffect* effect(std::int32_t buffer) const;

private:
    struct Buffer {
        std::unique_ptr<QSoundEffect> effect;
        QString file;
    };
    void start(std::int32_t buffer, int loops);

    static constexpr std::int32_t DEVICE = 1;
    bool started_ = false;
    QAudioDevice output_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::map<std::int32_t, Buffer> buffers_;
    std::int32_t nextBuffer_ = 1;
};

}  // namespace velmora::ui
