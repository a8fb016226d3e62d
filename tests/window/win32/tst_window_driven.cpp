// Windows only: quorvela.exe itself, started as its own process and driven
// from outside it as another program would (the shared suites drive the
// window inside the test's process). Mouse clicks and keys posted to the
// controls, results read with WM_GETTEXT; the controls are found by their
// place in the layout table (their window id).

#include "runtime/win32/native.h"  // windows.h, the control ids

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "window/frmQuorvela.h"

namespace {

using namespace std::chrono_literals;
using quorvela::frmQuorvela;
using quorvela::runtime::FirstControlId;
using quorvela::runtime::NoIndex;

constexpr auto Patience = 20s;

// The program's path as Wine sees it: CTest hands over the host's path.
std::wstring ProgramPath() {
    const char* path = std::getenv("QUORVELA_EXE");
    if (path == nullptr) {
        ADD_FAILURE() << "QUORVELA_EXE names the program to drive";
        return {};
    }
    std::wstring wide = quorvela::runtime::Widen(path);
    if (!wide.empty() && wide.front() == L'/') {
        wide = L"Z:" + wide;
    }
    for (auto& c : wide) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return wide;
}

template <class Condition>
bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// The program, started for one test and closed after it.
class Program {
public:
    Program() {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + ProgramPath() + L"\"";
        started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_) != FALSE;
        EXPECT_TRUE(started_) << "the program starts";
        EXPECT_TRUE(started_ && Eventually([this] { return (form_ = FindForm()) != nullptr; }))
            << "the window shows";
        // Start-up is over once the first control has taken the focus.
        EXPECT_TRUE(form_ != nullptr &&
                    Eventually([this] { return IsChild(form_, Focus()) != FALSE; }));
    }

    // Whether the window is there to drive.
    [[nodiscard]] bool Ready() const { return form_ != nullptr; }

    ~Program() {
        if (!started_) {
            return;
        }
        PostMessageW(form_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 1);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    Program(Program&&) = delete;
    Program& operator=(Program&&) = delete;

    [[nodiscard]] HWND Form() const { return form_; }

    [[nodiscard]] HWND Control(std::string_view name, int index = NoIndex) const {
        const auto& controls = frmQuorvela::Layout().controls;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].name == name && controls[i].index == index) {
                return GetDlgItem(form_, FirstControlId + static_cast<int>(i));
            }
        }
        ADD_FAILURE() << "no control " << name << " in the layout";
        return nullptr;
    }

    [[nodiscard]] std::wstring Text(std::string_view name, int index = NoIndex) const {
        std::array<wchar_t, 256> buffer{};
        DWORD_PTR copied = 0;
        const auto into = reinterpret_cast<LPARAM>(buffer.data());
        SendMessageTimeoutW(Control(name, index), WM_GETTEXT, buffer.size(), into, SMTO_ABORTIFHUNG,
                            5000, &copied);
        return buffer.data();
    }

    [[nodiscard]] bool Checked(std::string_view name, int index) const {
        return SendMessageW(Control(name, index), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    [[nodiscard]] HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(process_.dwThreadId, &info) != FALSE ? info.hwndFocus : nullptr;
    }

    // A left click in the middle of a control.
    void Click(std::string_view name, int index = NoIndex) const {
        HWND control = Control(name, index);
        RECT rect{};
        GetClientRect(control, &rect);
        const LPARAM middle = MAKELPARAM(rect.right / 2, rect.bottom / 2);
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        PostMessageW(control, WM_LBUTTONUP, 0, middle);
    }

    // Characters typed into the control with the focus; '\r' is the Enter key.
    void Type(std::wstring_view keys) const {
        HWND target = Focus();
        for (const wchar_t key : keys) {
            if (key == L'\r') {
                PostMessageW(target, WM_KEYDOWN, VK_RETURN, 0x001C0001);
                PostMessageW(target, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001U));
            } else {
                PostMessageW(target, WM_CHAR, key, 1);
            }
        }
    }

    [[nodiscard]] bool Shows(std::string_view name, std::wstring_view text) const {
        return Eventually([&] { return Text(name) == text; });
    }

private:
    [[nodiscard]] HWND FindForm() const {
        HWND found = nullptr;
        for (HWND window = FindWindowExW(nullptr, nullptr, L"FormRuntimeWindow", nullptr);
             window != nullptr;
             window = FindWindowExW(nullptr, window, L"FormRuntimeWindow", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process_.dwProcessId && IsWindowVisible(window) != FALSE) {
                found = window;
            }
        }
        return found;
    }

    PROCESS_INFORMATION process_{};
    bool started_ = false;
    HWND form_ = nullptr;
};

TEST(WindowDriven, FirstMeetsTheUserInTheFlowModeWith12SecondsFor200Strokes) {
    const Program program;
    ASSERT_TRUE(program.Ready());
    EXPECT_EQ(program.Text("cboGiri"), L"1000");
    EXPECT_EQ(program.Text("cboColpi"), L"200");
    EXPECT_EQ(program.Text("lblDescrizione", 2), L"12 secondi");
    EXPECT_TRUE(program.Text("txtPortata").empty());
    EXPECT_TRUE(program.Text("txtQuorvela").empty());
    EXPECT_TRUE(program.Text("txtLitriMinuto").empty());
    EXPECT_TRUE(program.Checked("optScelta", 1));
    EXPECT_FALSE(program.Checked("optScelta", 0));
    EXPECT_EQ(program.Focus(), program.Control("txtPortata"));
    EXPECT_EQ(program.Text("lblDescrizione", 3), L"Portata cm\u00B3");
    EXPECT_EQ(program.Text("optScelta", 0), L"ottieni cm\u00B3");
    std::array<wchar_t, 128> caption{};
    GetWindowTextW(program.Form(), caption.data(), static_cast<int>(caption.size()));
    EXPECT_TRUE(std::wstring(caption.data()).starts_with(L"Quorvela -  07/2024  -  "));
    RECT client{};
    GetClientRect(program.Form(), &client);
    EXPECT_EQ(client.right, 505);
    EXPECT_EQ(client.bottom, 340);
}

TEST(WindowDriven, StandsFrameIncludedCentredAcrossTheScreenAtAThirdOfTheFreeHeight) {
    const Program program;
    ASSERT_TRUE(program.Ready());
    RECT outer{};
    GetWindowRect(program.Form(), &outer);
    const int freeWidth = GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left);
    const int freeHeight = GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top);
    EXPECT_TRUE(std::abs(outer.left - freeWidth / 2) <= 1);
    EXPECT_TRUE(std::abs(outer.top - freeHeight / 3) <= 1);
}

TEST(WindowDriven, Gives15LitresAnHourAnd0_25AMinuteFor50Cm3) {
    const Program program;
    ASSERT_TRUE(program.Ready());
    program.Type(L"50\r");
    EXPECT_TRUE(program.Shows("txtQuorvela", L"15"));
    EXPECT_TRUE(program.Shows("txtLitriMinuto", L"0,25"));
    EXPECT_EQ(program.Text("lblDescrizione", 2), L"12 secondi");
    EXPECT_EQ(program.Text("txtPortata"), L"50");
}

TEST(WindowDriven, Gives50Cm3And0_25AMinuteFor15LitresAnHourInTheVolumeMode) {
    const Program program;
    ASSERT_TRUE(program.Ready());
    program.Click("txtQuorvela");
    ASSERT_TRUE(Eventually([&] { return program.Checked("optScelta", 0); }));
    EXPECT_EQ(program.Focus(), program.Control("txtQuorvela"));
    program.Type(L"15\r");
    EXPECT_TRUE(program.Shows("txtPortata", L"50"));
    EXPECT_TRUE(program.Shows("txtLitriMinuto", L"0,25"));
}

TEST(WindowDriven, Gives41_7Cm3And0_2AMinuteFor12_5LitresAnHourTypedWithAFullStop) {
    const Program program;
    ASSERT_TRUE(program.Ready());
    program.Click("txtQuorvela");
    ASSERT_TRUE(Eventually([&] { return program.Checked("optScelta", 0); }));
    program.Type(L"12.5\r");
    EXPECT_TRUE(program.Shows("txtQuorvela", L"12,5"));
    EXPECT_TRUE(program.Shows("txtPortata", L"41,7"));
    EXPECT_TRUE(program.Shows("txtLitriMinuto", L"0,2"));
}

}  // namespace
