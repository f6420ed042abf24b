#include "PluginEntry.h"

#include "IPlugVST3.h"
#include "sdk/PluginFactory.h"

#include <cstring>
#include <mutex>
#include <new>

using namespace Steinberg;

namespace {

// Hosts may create instances from several threads; construction runs one at a time.
std::mutex& creationLock() {
    static std::mutex lock;
    return lock;
}

FUnknown* createProductInstance(void*) {
    std::lock_guard<std::mutex> guard(creationLock());
    try {
        return static_cast<Vst::IAudioProcessor*>(ProductClassRecord().create());
    } catch (const std::bad_alloc&) {
        return nullptr; // an exception must not cross into the host
    }
}

template <size_t N>
void copyText(char8 (&out)[N], const char* text) {
    std::strncpy(out, text, N - 1);
    out[N - 1] = 0;
}

void putCode(uint32 code, unsigned char* out) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<unsigned char>(code >> (24 - 8 * i));
}

// The class identifier: eight fixed bytes, then the maker code and the plug-in
// code, each as its four characters in order.
void makeClassId(uint32 makerId, uint32 uniqueId, TUID out) {
    static const unsigned char prefix[8] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F};
    auto* bytes = reinterpret_cast<unsigned char*>(out);
    std::memcpy(bytes, prefix, sizeof prefix);
    putCode(makerId, bytes + 8);
    putCode(uniqueId, bytes + 12);
}

PFactoryInfo factoryInfo(const PluginClassRecord& record) {
    PFactoryInfo info{};
    copyText(info.vendor, record.vendor);
    copyText(info.url, record.url);
    copyText(info.email, record.email);
    info.flags = PFactoryInfo::kUnicode;
    return info;
}

PClassInfo2 classInfo(const PluginClassRecord& record) {
    PClassInfo2 info{};
    makeClassId(record.makerId, record.uniqueId, info.cid);
    info.cardinality = PClassInfo::kManyInstances;
    copyText(info.category, kVstAudioEffectClass);
    copyText(info.name, record.name);
    info.classFlags = 2; // simple mode supported; not distributable
    copyText(info.subCategories, record.subCategories);
    copyText(info.version, record.version);
    copyText(info.sdkVersion, "VST 3.6.12");
    return info;
}

} // namespace

extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory() {
    if (gPluginFactory) {
        gPluginFactory->addRef();
        return gPluginFactory;
    }
    const PluginClassRecord& record = ProductClassRecord();
    gPluginFactory = new CPluginFactory(factoryInfo(record));
    gPluginFactory->registerClass(classInfo(record), createProductInstance);
    return gPluginFactory;
}
