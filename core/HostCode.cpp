#include "HostCode.h"

#include <cctype>
#include <cstring>

namespace {

struct HostEntry {
    const char* text;
    HostCode code;
};

// Searched in this order: a name may contain several of these texts (a "live" inside
// a longer word, say), and the first entry found wins.
constexpr HostEntry kHostTable[] = {
    {"cubase", kHostCubase},
    {"reaper", kHostReaper},
    {"nuendo", kHostNuendo},
    {"cakewalk", kHostCakewalk},
    {"samplitude", kHostSamplitude},
    {"fruity", kHostFruity},
    {"live", kHostLive},
    {"melodyne", kHostMelodyne},
    {"vstmanlib", kHostVstManLib},
    {"aulab", kHostAuLab},
    {"garageband", kHostGarageBand},
    {"forte", kHostForte},
    {"chainer", kHostChainer},
    {"audition", kHostAudition},
    {"orion", kHostOrion},
    {"sawstudio", kHostSawStudio},
    {"logic", kHostLogic},
    {"digital", kHostDigital},
    {"audiomulch", kHostAudioMulch},
    {"presonus", kHostPresonus},
    {"vst3plugintesthost", kHostVst3TestHost},
    {"protools", kHostProTools},
    {"ardour", kHostArdour},
    {"openmpt", kHostOpenMpt},
    {"renoise", kHostRenoise},
    {"standalone", kHostStandalone},
};

}  // namespace

HostCode IdentifyHost(const char* hostName)
{
    char lowered[256];
    size_t n = 0;
    for (; hostName && hostName[n] != '\0' && n + 1 < sizeof lowered; ++n)
        lowered[n] = char(std::tolower(static_cast<unsigned char>(hostName[n])));
    lowered[n] = '\0';

    for (const HostEntry& entry : kHostTable)
        if (std::strstr(lowered, entry.text)) return entry.code;
    return kHostUnknown;
}
