#include "PluginEntry.h"

#include <cstring>
#include <mutex>
#include <new>

#include "IPlugVST3.h"
#include "TextCopy.h"
#include "sdk/PluginFactory.h"

using namespace Steinberg;

namespace {

// Hosts may create instances from several threads; construction runs one at a time.
std::mutex& CreationLock()
{
    static std::mutex lock;
    return lock;
}

FUnknown* CreateProductInstance(void*)
{
    std::lock_guard<std::mutex> guard(CreationLock());
    try {
        return static_cast<Vst::IAudioProcessor*>(ProductClassRecord().create());
    } catch (const std::bad_alloc&) {
        return nullptr;  // an exception must not cross into the host
    }
}

void PutCode(uint32 code, unsigned char* out)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<unsigned char>(code >> (24 - 8 * i));
}

// The class identifier: eight fixed bytes, then the maker code and the plug-in
// code, each as its four characters in order.
void MakeClassId(uint32 makerId, uint32 uniqueId, TUID out)
{
    static const unsigned char prefix[8] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F};
    auto* bytes = reinterpret_cast<unsigned char*>(out);
    std::memcpy(bytes, prefix, sizeof prefix);
    PutCode(makerId, bytes + 8);
    PutCode(uniqueId, bytes + 12);
}

PFactoryInfo MakeFactoryInfo(const PluginClassRecord& record)
{
    PFactoryInfo info{};
    CopyText(info.vendor, record.vendor);
    CopyText(info.url, record.url);
    CopyText(info.email, record.email);
    info.flags = PFactoryInfo::kUnicode;
    return info;
}

PClassInfo2 MakeClassInfo(const PluginClassRecord& record)
{
    PClassInfo2 info{};
    MakeClassId(record.makerId, record.uniqueId, info.cid);
    info.cardinality = PClassInfo::kManyInstances;
    CopyText(info.category, kVstAudioEffectClass);
    CopyText(info.name, record.name);
    info.classFlags = 2;  // simple mode supported; not distributable
    CopyText(info.subCategories, record.subCategories);
    CopyText(info.version, record.version);
    CopyText(info.sdkVersion, "VST 3.6.12");
    return info;
}

}  // namespace

extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
{
    if (gPluginFactory) {
        gPluginFactory->addRef();
        return gPluginFactory;
    }
    const PluginClassRecord& record = ProductClassRecord();
    gPluginFactory = new CPluginFactory(MakeFactoryInfo(record));
    gPluginFactory->registerClass(MakeClassInfo(record), CreateProductInstance);
    return gPluginFactory;
}
