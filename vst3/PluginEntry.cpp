#include "PluginEntry.h"

#include <mutex>

#include "HostCall.h"
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
    return HostCall<FUnknown*>(nullptr, [] {
        return static_cast<Vst::IAudioProcessor*>(ProductClassRecord().create());
    });
}

// The class identifier is the FUID F2AEE70D-00DE-4F4E, then the maker code and the
// plug-in code. The SDK lays the four words out as every host on the platform reads
// them (Windows: COM's layout, 0D E7 AE F2 DE 00 4E 4F "Qlmh" "VRL1"), so the class
// is the same on every platform and presets and projects travel between them.
void MakeClassId(uint32 makerId, uint32 uniqueId, TUID out)
{
    FUID(0xF2AEE70D, 0x00DE4F4E, makerId, uniqueId).toTUID(out);
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

// A factory that cannot be made, or cannot hold its class, is no factory: the host
// gets none.
extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
{
    return HostCall<IPluginFactory*>(nullptr, [] {
        if (gPluginFactory) {
            gPluginFactory->addRef();
            return gPluginFactory;
        }
        const PluginClassRecord& record = ProductClassRecord();
        auto* factory = new CPluginFactory(MakeFactoryInfo(record));
        if (!factory->registerClass(MakeClassInfo(record), CreateProductInstance)) {
            factory->release();
            return static_cast<CPluginFactory*>(nullptr);
        }
        gPluginFactory = factory;
        return factory;
    });
}
