#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <vector>

namespace Steinberg {

// The module's class factory: a fixed factory record and a table of classes, each
// registered once in its extended form with a creation function. The packaged SDK
// lacks this class; this is our own with the behaviour hosts expect of it.
class CPluginFactory : public IPluginFactory3 {
public:
    using CreateFunction = FUnknown* (*)(void* context);

    explicit CPluginFactory(const PFactoryInfo& info);
    virtual ~CPluginFactory();

    // The plain and the UTF-16 class records are derived from the extended one.
    // False when the class table cannot grow.
    bool registerClass(const PClassInfo2& info, CreateFunction create, void* context = nullptr);

    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) SMTG_OVERRIDE;
    int32 PLUGIN_API countClasses() SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) SMTG_OVERRIDE;
    tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) SMTG_OVERRIDE;
    tresult PLUGIN_API setHostContext(FUnknown* context) SMTG_OVERRIDE;

    DECLARE_FUNKNOWN_METHODS

private:
    struct ClassEntry {
        PClassInfo2 info;
        PClassInfoW wideInfo;
        CreateFunction create;
        void* context;
    };

    const ClassEntry* entryAt(int32 index) const;

    PFactoryInfo factoryInfo;
    std::vector<ClassEntry> classes;
};

// The process-wide factory, null until the module's first GetPluginFactory and
// again once the host has released the factory.
extern CPluginFactory* gPluginFactory;

} // namespace Steinberg
