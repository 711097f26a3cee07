#include "flow/shutdown.h"

namespace velmora {

void 終了処理(Game& g) {
    SoundHandles& s = g.sounds;
    SoundPort& port = g.sound();
    for (std::int32_t* buffer : {&s.otherSound, &s.forbiddenSound, &s.pieceSound, &s.bgmSound}) {
        port.dsFree(*buffer);
        *buffer = 0;
    }
    if (s.device != 0) {
        port.dsTerminate(s.device);
        s.device = 0;
    }
}

}  // namespace velmora
