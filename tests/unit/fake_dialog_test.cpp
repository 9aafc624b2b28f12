// The fake dialogs against the product's template and what the platform did under the
// end-to-end tests (test_dialog.py measures the same conversions).
#include "fake/fake_dialog.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace polkamoot {
namespace {

std::vector<WPARAM> commands;
INT_PTR initAnswer = 1;

INT_PTR RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND) {
        commands.push_back(wParam);
    }
    return message == WM_INITDIALOG ? initAnswer : 0;
}

class FakeDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::Reset();
        commands.clear();
        initAnswer = 1;
    }

    INT_PTR Run(std::function<void(HWND)> script, HWND owner = nullptr) {
        fake::SetDialogScript(std::move(script));
        return DialogBoxParamA(fake::Instance(), MAKEINTRESOURCEA(IDD_CONFIGURE), owner,
                               RecordingProc, 0);
    }
};

TEST_F(FakeDialog, BuildsTheTemplatesControlsInOrder) {
    struct Expected {
        int id;
        const char* className;
        const char* text;
    };
    const Expected expected[] = {
        {103, "Button", "&Blue"},
        {104, "Button", "&Green"},
        {105, "Button", "&Yellow"},
        {102, "Button", "&Red"},
        {106, "Button", "&Magenta"},
        {100, "Button", "&Sound"},
        {1005, "Button", "Change color every"},
        {1001, "Edit", ""},
        {1, "Button", "OK"},
        {2, "Button", "Cancel"},
        {-1, "Button", "Favorite Bears"},
        {-1, "Static", ""},
        {-1, "Static", nullptr},
        {-1, "Static", nullptr},
        {-1, "Static", "minutes"},
    };
    HWND owner = fake::MakeForeignWindow(10, 10);
    Run(
        [&](HWND dialog) {
            fake::WindowInfo frame = fake::Info(dialog);
            EXPECT_EQ("Polkamoot Version 1.4", frame.title);
            EXPECT_EQ(owner, frame.parent);
            std::vector<fake::ControlInfo> controls = fake::Controls(dialog);
            ASSERT_EQ(std::size(expected), controls.size());
            for (std::size_t i = 0; i < controls.size(); ++i) {
                EXPECT_EQ(expected[i].id, controls[i].id) << i;
                EXPECT_EQ(expected[i].className, controls[i].className) << i;
                if (expected[i].text) {
                    EXPECT_EQ(expected[i].text, controls[i].text) << i;
                }
                EXPECT_EQ(dialog, fake::Info(controls[i].window).parent);
            }
            EXPECT_EQ(GetDlgItem(dialog, IDC_BLUE), GetFocus()) << "the first tab stop";
            fake::PressEscape(dialog);
        },
        owner);
}

TEST_F(FakeDialog, EndsWithTheResultAndReleasesItsWindows) {
    int before = fake::Live(fake::Kind::Window);
    EXPECT_EQ(7, Run([](HWND dialog) { EndDialog(dialog, 7); }));
    EXPECT_EQ(before, fake::Live(fake::Kind::Window));
    EXPECT_EQ(nullptr, GetFocus());
    EXPECT_EQ(-1, Run([](HWND) {})) << "left open";
    EXPECT_EQ(-1,
              DialogBoxParamA(fake::Instance(), MAKEINTRESOURCEA(9999), nullptr, RecordingProc, 0));
    fake::SetDialogScript(nullptr);
    EXPECT_EQ(-1, DialogBoxParamA(fake::Instance(), MAKEINTRESOURCEA(IDD_CONFIGURE), nullptr,
                                  RecordingProc, 0))
        << "the user pressed Escape, but this procedure does not end the dialog";
    EXPECT_EQ(std::vector<WPARAM>{IDCANCEL}, commands);
}

TEST_F(FakeDialog, FocusesNothingWhenInitDialogSaysSo) {
    initAnswer = 0;
    Run([](HWND dialog) {
        EXPECT_EQ(nullptr, GetFocus());
        EndDialog(dialog, 0);
    });
}

TEST_F(FakeDialog, ClicksToggleAutomaticBoxesAndReportTheCommand) {
    Run([](HWND dialog) {
        fake::Click(dialog, IDC_RED);
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_RED));
        EXPECT_EQ(GetDlgItem(dialog, IDC_RED), GetFocus());
        fake::Click(dialog, IDC_RED);
        EXPECT_EQ(0u, IsDlgButtonChecked(dialog, IDC_RED));
        fake::Click(dialog, IDOK);
        EXPECT_EQ(GetDlgItem(dialog, IDOK), GetFocus());
        EndDialog(dialog, 1);
        fake::Click(dialog, IDCANCEL); // too late: the dialog has ended
    });
    EXPECT_EQ((std::vector<WPARAM>{IDC_RED, IDC_RED, IDOK}), commands);
}

TEST_F(FakeDialog, ShowsAStoredStateAsTheBoxCan) {
    Run([](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_BLUE, BM_SETCHECK, 7, 0);
        EXPECT_EQ(1u, IsDlgButtonChecked(dialog, IDC_BLUE));
        fake::Click(dialog, IDC_BLUE);
        EXPECT_EQ(0u, IsDlgButtonChecked(dialog, IDC_BLUE));
        SendDlgItemMessageA(dialog, IDOK, BM_SETCHECK, 1, 0);
        EXPECT_EQ(0u, IsDlgButtonChecked(dialog, IDOK)) << "a push button has no check";
        EndDialog(dialog, 0);
    });
}

TEST_F(FakeDialog, DisabledControlsNeitherTakeInputNorFocus) {
    Run([](HWND dialog) {
        HWND red = GetDlgItem(dialog, IDC_RED);
        HWND minutes = GetDlgItem(dialog, IDC_MINUTES);
        SetFocus(red);
        EXPECT_EQ(0, EnableWindow(red, 0)) << "was enabled";
        EXPECT_EQ(nullptr, GetFocus()) << "a disabled window loses the focus";
        EXPECT_NE(0, EnableWindow(red, 0)) << "was disabled";
        fake::Click(dialog, IDC_RED);
        EXPECT_EQ(0u, IsDlgButtonChecked(dialog, IDC_RED));
        EXPECT_EQ(nullptr, SetFocus(red));
        EXPECT_EQ(nullptr, GetFocus());
        EnableWindow(minutes, 0);
        fake::Type(dialog, IDC_MINUTES, "9");
        EXPECT_EQ("", fake::Control(dialog, IDC_MINUTES).text);
        EnableWindow(minutes, 1);
        fake::Type(dialog, IDC_MINUTES, "9");
        EXPECT_EQ("9", fake::Control(dialog, IDC_MINUTES).text);
        EXPECT_EQ(minutes, GetFocus());
        EXPECT_FALSE(fake::Enabled(red));
        EXPECT_TRUE(fake::Enabled(minutes));
        EndDialog(dialog, 0);
    });
    EXPECT_EQ(std::vector<WPARAM>{0x0300u << 16 | IDC_MINUTES}, commands) << "EN_CHANGE";
}

TEST_F(FakeDialog, KeysReachTheButtonsAsTheDialogManagerSendsThem) {
    Run([](HWND dialog) {
        fake::PressEnter(dialog); // focus on a check box: the default button
        fake::Click(dialog, IDCANCEL);
        fake::PressEnter(dialog); // focus on Cancel: Cancel
        fake::PressEscape(dialog);
        fake::CloseBox(dialog);
        EndDialog(dialog, 0);
    });
    EXPECT_EQ((std::vector<WPARAM>{IDOK, IDCANCEL, IDCANCEL, IDCANCEL, IDCANCEL}), commands);
}

struct Conversion {
    std::string text;
    UINT value;
    BOOL translated;
};

TEST_F(FakeDialog, ConvertsTheFieldAsThePlatformDoes) {
    const Conversion conversions[] = {
        {"5", 5, 1},
        {" 7", 7, 1},
        {"\t7", 7, 1},
        {"7 ", 7, 1},
        {"7abc", 7, 1},
        {"abc", 0, 0},
        {"", 0, 0},
        {"+7", 7, 1},
        {"-5", 4294967291u, 1},
        {"-0", 0, 1},
        {"0", 0, 1},
        {"61", 61, 1},
        {"007", 7, 1},
        {"0x10", 0, 1},
        {"4294967295", 4294967295u, 1},
        {"-1", 4294967295u, 1},
        {"12.5", 12, 1},
        {"1,000", 1, 1},
        {"- 5", 0, 0},
        {"+-5", 0, 0},
        {std::string(28, ' ') + "7", 7, 1},
        {std::string(29, ' ') + "7", 0, 0}, // cut to 29 characters
        {"000000000000000000000000000042", 4, 1},
        {"4294967296", 0, 0},
        {"99999999999999999999", 0, 0},
        {"-4294967295", 1, 1},
        {"-4294967296", 1, 1},
        {"-99999999999999999999", 1, 1},
    };
    Run([&](HWND dialog) {
        for (const Conversion& conversion : conversions) {
            SendDlgItemMessageA(dialog, IDC_MINUTES, WM_SETTEXT, 0,
                                reinterpret_cast<LPARAM>(conversion.text.c_str()));
            BOOL translated = 7;
            EXPECT_EQ(conversion.value, GetDlgItemInt(dialog, IDC_MINUTES, &translated, 0))
                << "[" << conversion.text << "]";
            EXPECT_EQ(conversion.translated, translated) << "[" << conversion.text << "]";
        }
        SetDlgItemInt(dialog, IDC_MINUTES, 4294967295u, 0);
        EXPECT_EQ("4294967295", fake::Control(dialog, IDC_MINUTES).text);
        EndDialog(dialog, 0);
    });
}

TEST_F(FakeDialog, LogsMessageBoxesWithTheFocusTheyFound) {
    HWND owner = fake::MakeForeignWindow(10, 10);
    SetFocus(owner);
    EXPECT_EQ(IDOK, MessageBoxA(owner, "text", "caption", MB_OK | MB_ICONHAND));
    EXPECT_EQ(IDOK, MessageBoxA(nullptr, "other", nullptr, MB_OK));
    std::vector<fake::MessageBoxCall> boxes = fake::MessageBoxes();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(owner, boxes[0].owner);
    EXPECT_EQ("text", boxes[0].text);
    EXPECT_EQ("caption", boxes[0].caption);
    EXPECT_EQ(16u, boxes[0].type);
    EXPECT_EQ(owner, boxes[0].focus);
    EXPECT_EQ("Error", boxes[1].caption);
    DestroyWindow(owner);
    EXPECT_EQ(nullptr, GetFocus());
}

} // namespace
} // namespace polkamoot
