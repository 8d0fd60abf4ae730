// Every used slot of the device interfaces, called through the raw virtual table as another
// module would, lands on the operation of that name; every placeholder answers E_NOTIMPL.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/api/auto_output_control.h"
#include "host/api/channel_info.h"
#include "host/api/device_object.h"
#include "host/api/master_device.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"
#include "tests/helpers/vtable_call.h"

namespace {

// The name and arguments of the last operation called.
struct Calls {
    std::string last;

    // Records `name` as the last call and answers `value` through `out`.
    template <class Out, class Value>
    HRESULT Answer(std::string name, Out* out, Value value) {
        last = std::move(name);
        *out = value;
        return S_OK;
    }
};

class SpyDevice final
    : public ComObject<IMasterDevice, IAutoOutputControl, IChannelInfo, IDeviceObject>,
      public Calls {
public:
    HRESULT QueryStatus(LONG item, LONG* value) override {
        return Answer("QueryStatus " + std::to_string(item), value, 41);
    }
    HRESULT GetDigitalOutputGroup(UINT index, IDigitalOutputGroup** group) override {
        last = "GetDigitalOutputGroup " + std::to_string(index);
        *group = nullptr;
        return S_FALSE;
    }
    HRESULT GetInputCount(LONG* count) override { return Answer("GetInputCount", count, 17); }
    HRESULT GetAnalogOutputCount(LONG* count) override {
        return Answer("GetAnalogOutputCount", count, 18);
    }
    HRESULT GetDigitalOutputGroupCount(UINT* count) override {
        return Answer("GetDigitalOutputGroupCount", count, 19);
    }
    HRESULT IsSampling(VARIANT_BOOL* sampling) override {
        return Answer("IsSampling", sampling, VARIANT_TRUE);
    }

    HRESULT IsSupported(VARIANT_BOOL* supported) override {
        return Answer("IsSupported", supported, VARIANT_TRUE);
    }
    HRESULT ResetOutputs() override {
        last = "ResetOutputs";
        return S_OK;
    }
    HRESULT ProgramOutput(const OutputCommandBlock* block) override {
        last = "ProgramOutput " + std::to_string(block->Output);
        return S_OK;
    }
    HRESULT GetTimingLimits(TimingLimits* limits) override {
        last = "GetTimingLimits " + std::to_string(limits->Size);
        limits->MaxPulseDelay = 7.5;
        return S_OK;
    }
    HRESULT IsAllowedWhileSampling(VARIANT_BOOL* allowed) override {
        return Answer("IsAllowedWhileSampling", allowed, VARIANT_TRUE);
    }

    HRESULT GetChannelDescription(LONG kind, LONG index, ITevString** description) override {
        return Answer("GetChannelDescription " + std::to_string(kind) + " " + std::to_string(index),
                      description, nullptr);
    }
    HRESULT GetStimulator(IStimulator** stimulator) override {
        return Answer("GetStimulator", stimulator, nullptr);
    }

    HRESULT GetProperties(LONG set, IDeviceProperties** properties) override {
        return Answer("GetProperties " + std::to_string(set), properties, nullptr);
    }
};

class SpyParts final : public ComObject<IDigitalOutputGroup, IStimulator, IDeviceProperties>,
                       public Calls {
public:
    HRESULT GetOutputCount(LONG* count) override { return Answer("GetOutputCount", count, 4); }
    HRESULT IsEnabled(VARIANT_BOOL* enabled) override {
        return Answer("IsEnabled", enabled, VARIANT_TRUE);
    }
    HRESULT GetText(ULONG code, ITevString** text) override {
        return Answer("GetText " + std::to_string(code), text, nullptr);
    }
};

// Calls every slot from 3 to `last` that is not in `used` and expects E_NOTIMPL.
template <class Interface>
void ExpectPlaceholders(Interface* object, Calls& calls, std::size_t last,
                        std::initializer_list<std::size_t> used) {
    for (std::size_t slot = 3; slot <= last; ++slot) {
        if (std::find(used.begin(), used.end(), slot) != used.end())
            continue;
        calls.last.clear();
        EXPECT_EQ(CallSlot<HRESULT>(object, slot), E_NOTIMPL) << "slot " << slot;
        EXPECT_EQ(calls.last, "") << "slot " << slot;
    }
}

TEST(MasterDeviceSlots, LandOnTheirOperations) {
    ComPtr<SpyDevice> spy(new SpyDevice);
    IMasterDevice* device = spy.Get();

    LONG value = 0;
    EXPECT_EQ(CallSlot<HRESULT>(device, 4, LONG{1}, &value), S_OK);
    EXPECT_EQ(spy->last, "QueryStatus 1");
    EXPECT_EQ(value, 41);

    IDigitalOutputGroup* group = reinterpret_cast<IDigitalOutputGroup*>(1);
    EXPECT_EQ(CallSlot<HRESULT>(device, 14, UINT{3}, &group), S_FALSE);
    EXPECT_EQ(spy->last, "GetDigitalOutputGroup 3");
    EXPECT_EQ(group, nullptr);

    EXPECT_EQ(CallSlot<HRESULT>(device, 17, &value), S_OK);
    EXPECT_EQ(spy->last, "GetInputCount");
    EXPECT_EQ(value, 17);
    EXPECT_EQ(CallSlot<HRESULT>(device, 18, &value), S_OK);
    EXPECT_EQ(spy->last, "GetAnalogOutputCount");
    EXPECT_EQ(value, 18);
    UINT groups = 0;
    EXPECT_EQ(CallSlot<HRESULT>(device, 19, &groups), S_OK);
    EXPECT_EQ(spy->last, "GetDigitalOutputGroupCount");
    EXPECT_EQ(groups, 19u);
    VARIANT_BOOL sampling = 0;
    EXPECT_EQ(CallSlot<HRESULT>(device, 24, &sampling), S_OK);
    EXPECT_EQ(spy->last, "IsSampling");
    EXPECT_EQ(sampling, VARIANT_TRUE);

    ExpectPlaceholders(device, *spy.Get(), 23, {4, 14, 17, 18, 19});
}

TEST(AutoOutputControlSlots, LandOnTheirOperations) {
    ComPtr<SpyDevice> spy(new SpyDevice);
    IAutoOutputControl* control = spy.Get();

    VARIANT_BOOL flag = 0;
    EXPECT_EQ(CallSlot<HRESULT>(control, 3, &flag), S_OK);
    EXPECT_EQ(spy->last, "IsSupported");
    EXPECT_EQ(CallSlot<HRESULT>(control, 5), S_OK);
    EXPECT_EQ(spy->last, "ResetOutputs");
    OutputCommandBlock block{};
    block.Output = -6;
    EXPECT_EQ(CallSlot<HRESULT>(control, 6, &block), S_OK);
    EXPECT_EQ(spy->last, "ProgramOutput -6");
    TimingLimits limits{};
    limits.Size = 24;
    EXPECT_EQ(CallSlot<HRESULT>(control, 7, &limits), S_OK);
    EXPECT_EQ(spy->last, "GetTimingLimits 24");
    EXPECT_EQ(limits.MaxPulseDelay, 7.5);
    flag = 0;
    EXPECT_EQ(CallSlot<HRESULT>(control, 8, &flag), S_OK);
    EXPECT_EQ(spy->last, "IsAllowedWhileSampling");
    EXPECT_EQ(flag, VARIANT_TRUE);

    ExpectPlaceholders(control, *spy.Get(), 8, {3, 5, 6, 7, 8});
}

TEST(ChannelInfoSlots, LandOnTheirOperations) {
    ComPtr<SpyDevice> spy(new SpyDevice);
    IChannelInfo* info = spy.Get();

    ITevString* text = reinterpret_cast<ITevString*>(1);
    EXPECT_EQ(CallSlot<HRESULT>(info, 20, LONG{0}, LONG{5}, &text), S_OK);
    EXPECT_EQ(spy->last, "GetChannelDescription 0 5");
    EXPECT_EQ(text, nullptr);
    IStimulator* stimulator = reinterpret_cast<IStimulator*>(1);
    EXPECT_EQ(CallSlot<HRESULT>(info, 21, &stimulator), S_OK);
    EXPECT_EQ(spy->last, "GetStimulator");
    EXPECT_EQ(stimulator, nullptr);

    ExpectPlaceholders(info, *spy.Get(), 19, {});
}

TEST(DeviceObjectSlots, LandOnTheirOperations) {
    ComPtr<SpyDevice> spy(new SpyDevice);
    IDeviceObject* object = spy.Get();
    IDeviceProperties* properties = reinterpret_cast<IDeviceProperties*>(1);
    EXPECT_EQ(CallSlot<HRESULT>(object, 3, LONG{0}, &properties), S_OK);
    EXPECT_EQ(spy->last, "GetProperties 0");
    EXPECT_EQ(properties, nullptr);

    ComPtr<SpyParts> parts(new SpyParts);
    ITevString* text = reinterpret_cast<ITevString*>(1);
    EXPECT_EQ(CallSlot<HRESULT>(static_cast<IDeviceProperties*>(parts.Get()), 3, ULONG{0xC2000000},
                                &text),
              S_OK);
    EXPECT_EQ(parts->last, "GetText " + std::to_string(0xC2000000u));
    EXPECT_EQ(text, nullptr);
}

TEST(DevicePartSlots, LandOnTheirOperations) {
    ComPtr<SpyParts> parts(new SpyParts);
    LONG count = 0;
    EXPECT_EQ(CallSlot<HRESULT>(static_cast<IDigitalOutputGroup*>(parts.Get()), 3, &count), S_OK);
    EXPECT_EQ(parts->last, "GetOutputCount");
    EXPECT_EQ(count, 4);

    IStimulator* stimulator = parts.Get();
    VARIANT_BOOL enabled = 0;
    EXPECT_EQ(CallSlot<HRESULT>(stimulator, 19, &enabled), S_OK);
    EXPECT_EQ(parts->last, "IsEnabled");
    EXPECT_EQ(enabled, VARIANT_TRUE);
    ExpectPlaceholders(stimulator, *parts.Get(), 18, {});
}

TEST(InterfaceIdentifiers, AreTheHostsAndDistinct) {
    EXPECT_EQ(GuidToString(IMasterDevice::kIid), "{4EC14961-9464-11D2-B7E7-008048C36FE8}");
    EXPECT_EQ(GuidToString(IAutoOutputControl::kIid), "{DC040EA5-D1B9-4669-BD1B-47B5E28DB457}");
    EXPECT_EQ(GuidToString(IChannelInfo::kIid), "{30157541-08C5-11D3-B86D-008048C36FE8}");
    const IID ids[] = {IMasterDevice::kIid,       IAutoOutputControl::kIid,
                       IChannelInfo::kIid,        IStimulator::kIid,
                       IDigitalOutputGroup::kIid, IDeviceObject::kIid,
                       IDeviceProperties::kIid,   IUnknown::kIid};
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        for (std::size_t j = i + 1; j < std::size(ids); ++j)
            EXPECT_NE(ids[i], ids[j]) << i << j;
    }
}

}  // namespace
