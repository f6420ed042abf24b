// The module's entry points and class factory as a host sees them.
#include <gtest/gtest.h>

#include <cstring>

#include "PluginFixture.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstunits.h"

using namespace Steinberg;
using namespace vorla;

namespace {

// The class is the FUID F2AEE70D-00DE-4F4E-516C-6D6856524C31 on every platform; the
// SDK lays its bytes out as the platform's hosts read them.
const FUID kClassId(0xF2AEE70D, 0x00DE4F4E, 0x516C6D68, 0x56524C31);

void ExpectTheClass(const TUID cid)
{
    uint32 words[4] = {};
    FUID::fromTUID(cid).to4Int(words[0], words[1], words[2], words[3]);
    EXPECT_EQ(words[0], 0xF2AEE70Du);
    EXPECT_EQ(words[1], 0x00DE4F4Eu);
    EXPECT_EQ(std::memcmp(cid + 8, "QlmhVRL1", 8), 0);  // maker and plug-in codes, in this order
}

std::string Narrow(const char16* text) { return host::narrow(text); }

}  // namespace

TEST(Factory, DescribesTheMakerAndOneClass)
{
    IPluginFactory* factory = test::Module().factory();
    PFactoryInfo info {};
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "Quillmarsh");
    EXPECT_EQ(info.flags, 16);
    EXPECT_EQ(factory->countClasses(), 1);
}

TEST(Factory, ClassRecordInAllThreeForms)
{
    FUnknownPtr<IPluginFactory3> factory(test::Module().factory());
    ASSERT_TRUE(factory);

    PClassInfo plain {};
    ASSERT_EQ(factory->getClassInfo(0, &plain), kResultOk);
    ExpectTheClass(plain.cid);
    EXPECT_EQ(plain.cardinality, 0x7FFFFFFF);
    EXPECT_STREQ(plain.category, "Audio Module Class");
    EXPECT_STREQ(plain.name, "VORLA");

    PClassInfo2 extended {};
    ASSERT_EQ(factory->getClassInfo2(0, &extended), kResultOk);
    ExpectTheClass(extended.cid);
    EXPECT_EQ(extended.classFlags, 2u);
    EXPECT_STREQ(extended.subCategories, "Fx|EQ");
    EXPECT_STREQ(extended.vendor, "");
    EXPECT_STREQ(extended.version, "1.0.0");
    EXPECT_STREQ(extended.sdkVersion, "VST 3.6.12");

    PClassInfoW wide {};
    ASSERT_EQ(factory->getClassInfoUnicode(0, &wide), kResultOk);
    ExpectTheClass(wide.cid);
    EXPECT_EQ(Narrow(wide.name), "VORLA");
    EXPECT_EQ(Narrow(wide.version), "1.0.0");
    EXPECT_EQ(Narrow(wide.sdkVersion), "VST 3.6.12");
    EXPECT_STREQ(wide.subCategories, "Fx|EQ");
}

TEST(Factory, RefusesBadClassIndexesAndNullOutputs)
{
    FUnknownPtr<IPluginFactory3> factory(test::Module().factory());
    PClassInfo plain {};
    PClassInfo2 extended {};
    PClassInfoW wide {};
    EXPECT_EQ(factory->getClassInfo(1, &plain), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfo(-1, &plain), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfo2(1, &extended), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfoUnicode(1, &wide), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfo(0, nullptr), kInvalidArgument);
    EXPECT_EQ(factory->setHostContext(nullptr), kNotImplemented);
}

TEST(Factory, RepeatedGetPluginFactoryAddsAReference)
{
    using GetFactory = IPluginFactory* (*)();
    auto get = reinterpret_cast<GetFactory>(test::Module().symbol("GetPluginFactory"));
    ASSERT_NE(get, nullptr);
    IPluginFactory* again = get();
    EXPECT_EQ(again, test::Module().factory());
    // The module holds one reference, this call another: adding and dropping one
    // more reports the count.
    EXPECT_EQ(again->addRef(), 3u);
    again->release();
    again->release();
}

TEST(Factory, AnswersItsInterfacesOnly)
{
    IPluginFactory* factory = test::Module().factory();
    for (const FUID& iid : {IPluginFactory::iid, IPluginFactory2::iid, IPluginFactory3::iid, FUnknown::iid}) {
        void* face = nullptr;
        EXPECT_EQ(factory->queryInterface(iid, &face), kResultOk);
        ASSERT_NE(face, nullptr);
        static_cast<FUnknown*>(face)->release();
    }
    void* face = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->queryInterface(Vst::IComponent::iid, &face), kNoInterface);
    EXPECT_EQ(face, nullptr);
}

TEST(Factory, CreatesInstancesOnlyForItsClass)
{
    IPluginFactory* factory = test::Module().factory();
    TUID classId;
    kClassId.toTUID(classId);
    for (const FUID& iid : {Vst::IComponent::iid, Vst::IAudioProcessor::iid}) {
        FUnknown* instance = nullptr;
        ASSERT_EQ(factory->createInstance(classId, iid, reinterpret_cast<void**>(&instance)), kResultOk);
        ASSERT_NE(instance, nullptr);
        // The host holds the only reference.
        EXPECT_EQ(instance->release(), 0u);
    }

    TUID otherId;
    kClassId.toTUID(otherId);
    otherId[15] ^= 1;
    void* instance = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->createInstance(otherId, Vst::IComponent::iid, &instance), kNoInterface);
    EXPECT_EQ(instance, nullptr);
    instance = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->createInstance(classId, IPluginFactory::iid, &instance), kNoInterface);
    EXPECT_EQ(instance, nullptr);
}

TEST(Factory, InstanceIsProcessorControllerAndUnitsButNoConnectionPoint)
{
    auto plugin = test::NewInstance(false);
    Vst::IComponent* component = plugin->component();
    for (const FUID& iid : {FUnknown::iid, IPluginBase::iid, Vst::IComponent::iid, Vst::IAudioProcessor::iid,
                            Vst::IEditController::iid, Vst::IEditController2::iid, Vst::IUnitInfo::iid}) {
        void* face = nullptr;
        EXPECT_EQ(component->queryInterface(iid, &face), kResultOk);
        ASSERT_NE(face, nullptr);
        static_cast<FUnknown*>(face)->release();
    }
    void* face = reinterpret_cast<void*>(1);
    EXPECT_EQ(component->queryInterface(Vst::IConnectionPoint::iid, &face), kNoInterface);
    EXPECT_EQ(face, nullptr);
}

TEST(Factory, InitialiseTwiceIsRefused)
{
    auto plugin = test::NewInstance();
    auto context = owned(new host::HostApplication("Second host"));
    EXPECT_EQ(plugin->component()->initialize(static_cast<Vst::IHostApplication*>(context.get())), kResultFalse);
}
