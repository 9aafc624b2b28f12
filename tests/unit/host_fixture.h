// A fresh fake machine and host state, and a saver window made the way the host makes one.
#pragma once

#include "fake/fake.h"
#include "host/host.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace polkamoot {

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::Reset();
        HostState = HostRecord{};
        HostState.instance = fake::Instance();
    }

    static HWND CreateSaver(HWND parent = nullptr) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = HostFrameProc;
        windowClass.lpszClassName = "WindowsScreenSaverClass";
        RegisterClassA(&windowClass);
        HostState.isPreview = parent != nullptr;
        return CreateWindowExA(0, windowClass.lpszClassName, parent ? "Preview" : "Screen Saver",
                               parent ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE, 0, 0, 640,
                               480, parent, nullptr, HostState.instance, nullptr);
    }

    static int CountOf(const std::vector<UINT>& messages, UINT message) {
        return static_cast<int>(std::count(messages.begin(), messages.end(), message));
    }
};

} // namespace polkamoot
