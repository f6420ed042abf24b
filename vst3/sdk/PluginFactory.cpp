#include "PluginFactory.h"

#include <cstring>

#include "HostCall.h"

namespace Steinberg {

CPluginFactory* gPluginFactory = nullptr;

namespace {

template <size_t N>
void widen(char16 (&out)[N], const char8* in) {
    size_t i = 0;
    for (; i + 1 < N && in[i] != 0; ++i)
        out[i] = static_cast<char16>(static_cast<unsigned char>(in[i]));
    out[i] = 0;
}

PClassInfoW wideFrom(const PClassInfo2& in) {
    PClassInfoW out{};
    std::memcpy(out.cid, in.cid, sizeof(TUID));
    out.cardinality = in.cardinality;
    std::memcpy(out.category, in.category, sizeof(out.category));
    widen(out.name, in.name);
    out.classFlags = in.classFlags;
    std::memcpy(out.subCategories, in.subCategories, sizeof(out.subCategories));
    widen(out.vendor, in.vendor);
    widen(out.version, in.version);
    widen(out.sdkVersion, in.sdkVersion);
    return out;
}

} // namespace

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(info) { FUNKNOWN_CTOR }

CPluginFactory::~CPluginFactory() {
    if (gPluginFactory == this)
        gPluginFactory = nullptr;
}

IMPLEMENT_REFCOUNT(CPluginFactory)

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID iid, void** obj) {
    QUERY_INTERFACE(iid, obj, IPluginFactory::iid, IPluginFactory)
    QUERY_INTERFACE(iid, obj, IPluginFactory2::iid, IPluginFactory2)
    QUERY_INTERFACE(iid, obj, IPluginFactory3::iid, IPluginFactory3)
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IPluginFactory)
    *obj = nullptr;
    return kNoInterface;
}

bool CPluginFactory::registerClass(const PClassInfo2& info, CreateFunction create, void* context) {
    return HostCall(false, [&] {
        classes.push_back({info, wideFrom(info), create, context});
        return true;
    });
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt(int32 index) const {
    if (index < 0 || static_cast<size_t>(index) >= classes.size())
        return nullptr;
    return &classes[static_cast<size_t>(index)];
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
    if (!info)
        return kInvalidArgument;
    *info = factoryInfo;
    return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses() { return static_cast<int32>(classes.size()); }

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
    const ClassEntry* entry = entryAt(index);
    if (!entry || !info)
        return kInvalidArgument;
    std::memcpy(info->cid, entry->info.cid, sizeof(TUID));
    info->cardinality = entry->info.cardinality;
    std::memcpy(info->category, entry->info.category, sizeof(info->category));
    std::memcpy(info->name, entry->info.name, sizeof(info->name));
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
    const ClassEntry* entry = entryAt(index);
    if (!entry || !info)
        return kInvalidArgument;
    *info = entry->info;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
    const ClassEntry* entry = entryAt(index);
    if (!entry || !info)
        return kInvalidArgument;
    *info = entry->wideInfo;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj) {
    if (!obj)
        return kInvalidArgument;
    *obj = nullptr;
    if (!cid || !iid)
        return kInvalidArgument;
    for (const ClassEntry& entry : classes) {
        if (!FUnknownPrivate::iidEqual(entry.info.cid, cid))
            continue;
        // A creation function that throws made nothing; the host must not see the
        // exception.
        FUnknown* instance = HostCall<FUnknown*>(nullptr, [&] { return entry.create(entry.context); });
        if (!instance)
            return kNoInterface;
        tresult result = instance->queryInterface(iid, obj);
        instance->release();
        if (result != kResultOk) {
            *obj = nullptr;
            return kNoInterface;
        }
        return kResultOk;
    }
    return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown*) { return kNotImplemented; }

} // namespace Steinberg
