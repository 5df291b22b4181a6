#include "driver/driver_link.h"

#include <gtest/gtest.h>

#include "driver/generator_command.h"
#include "tests/win32/device_recorder.h"

namespace {

TEST(DriverLink, PresenceOpensWithTheDriversArgumentsAndClosesAtOnce) {
    g_device.Reset(true);
    EXPECT_TRUE(IsDriverPresent());
    ASSERT_EQ(g_device.calls.size(), 2u);
    const DeviceCall& open = g_device.calls[0];
    EXPECT_EQ(open.kind, DeviceCall::Open);
    EXPECT_EQ(open.name, "\\\\.\\QorinVxd.Vxd");
    EXPECT_EQ(open.access, 0u);
    EXPECT_EQ(open.share, 0u);
    EXPECT_EQ(open.disposition, 0u);
    EXPECT_EQ(open.flags, 0x04000000u);
    EXPECT_TRUE(open.securityNull);
    EXPECT_TRUE(open.templateNull);
    EXPECT_EQ(g_device.calls[1].kind, DeviceCall::Close);
    EXPECT_EQ(g_device.calls[1].handle, RecorderHandle());
}

TEST(DriverLink, AbsentDeviceIsNotPresentAndNothingIsClosed) {
    g_device.Reset(false);
    EXPECT_FALSE(IsDriverPresent());
    ASSERT_EQ(g_device.calls.size(), 1u);
    EXPECT_EQ(g_device.calls[0].kind, DeviceCall::Open);
}

TEST(DriverLink, StartCommandIsOneOpenControlCloseWithTheRecord) {
    g_device.Reset(true);
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x10ABC));
    EXPECT_TRUE(SendGeneratorCommand(1, window, 1, 1, 2, 3, 4));
    ASSERT_EQ(g_device.calls.size(), 3u);
    EXPECT_EQ(g_device.calls[0].kind, DeviceCall::Open);
    const DeviceCall& control = g_device.calls[1];
    ASSERT_EQ(control.kind, DeviceCall::Control);
    EXPECT_EQ(control.handle, RecorderHandle());
    EXPECT_EQ(control.code, 0x222004u);
    EXPECT_EQ(control.inSize, 28u);
    EXPECT_EQ(control.outSize, 28u);
    EXPECT_TRUE(control.inIsOut);
    EXPECT_TRUE(control.returnedGiven);
    EXPECT_TRUE(control.overlappedNull);
    const std::vector<unsigned char> expected = {
        1, 0, 0, 0,  0xBC, 0x0A, 0x01, 0,  1, 0, 0, 0,  2, 0, 0, 0,
        3, 0, 0, 0,  4, 0, 0, 0,  1, 0, 0, 0};
    EXPECT_EQ(control.input, expected);
    EXPECT_EQ(g_device.calls[2].kind, DeviceCall::Close);
}

TEST(DriverLink, EveryCommandOpensAndClosesAnewAndStopIsZeros) {
    g_device.Reset(true);
    EXPECT_TRUE(SendGeneratorCommand(1, reinterpret_cast<HWND>(0x20), 4, 0, 0, 0, 0));
    EXPECT_TRUE(SendGeneratorCommand(0, nullptr, 0, 0, 0, 0, 0));
    EXPECT_EQ(g_device.Count(DeviceCall::Open), 2);
    EXPECT_EQ(g_device.Count(DeviceCall::Control), 2);
    EXPECT_EQ(g_device.Count(DeviceCall::Close), 2);
    EXPECT_EQ(g_device.calls[4].input, std::vector<unsigned char>(28, 0));
}

TEST(DriverLink, MissingDeviceSendsNothingAndSaysSo) {
    g_device.Reset(false);
    EXPECT_FALSE(SendGeneratorCommand(1, reinterpret_cast<HWND>(0x20), 4, 1, 2, 3, 4));
    EXPECT_EQ(g_device.Count(DeviceCall::Control), 0);
    EXPECT_EQ(g_device.Count(DeviceCall::Close), 0);
}

}  // namespace
