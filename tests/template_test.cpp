// The dialog templates as the resource compiler wrote them: the styles,
// sizes, fonts and controls the windows are built from.

#include "framework/DialogTemplate.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

DialogTemplate LoadTemplate(UINT id)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    DialogTemplate result;
    if (resource)
        EXPECT_TRUE(result.Parse(LockResource(LoadResource(module, resource)), SizeofResource(module, resource)));
    else
        ADD_FAILURE() << "no dialog template " << id;
    return result;
}

const WORD kButton = 0x0080;
const WORD kStatic = 0x0082;

struct ExpectedControl {
    DWORD id;
    const wchar_t* className;  // null: the predefined class given by ordinal
    WORD ordinal;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

std::wstring Title(const DialogTemplateControl& control)
{
    if (control.titleField.size() < 2 || (control.titleField[0] == 0xFF && control.titleField[1] == 0xFF))
        return std::wstring();
    return std::wstring(reinterpret_cast<const wchar_t*>(control.titleField.data()), control.titleField.size() / 2 - 1);
}

WORD ClassOrdinal(const DialogTemplateControl& control)
{
    if (control.classField.size() == 4 && control.classField[0] == 0xFF && control.classField[1] == 0xFF)
        return static_cast<WORD>(control.classField[2] | (control.classField[3] << 8));
    return 0;
}

void ExpectControls(const DialogTemplate& dialog, const std::vector<ExpectedControl>& expectations)
{
    ASSERT_EQ(dialog.Controls().size(), expectations.size());
    for (size_t i = 0; i < expectations.size(); ++i) {
        const DialogTemplateControl& control = dialog.Controls()[i];
        const ExpectedControl& expected = expectations[i];
        SCOPED_TRACE(expected.id);
        EXPECT_EQ(control.id, expected.id);
        if (expected.className)
            EXPECT_EQ(std::wstring(control.className), expected.className);
        else if (ClassOrdinal(control) == 0)
            // The resource compiler may name a predefined class instead of
            // giving its ordinal; the dialog manager takes either.
            EXPECT_EQ(_wcsicmp(control.className.c_str(), expected.ordinal == kButton ? L"Button" : L"Static"), 0)
                << ToUtf8(control.className);
        else
            EXPECT_EQ(ClassOrdinal(control), expected.ordinal);
        EXPECT_EQ(Title(control), expected.text);
        EXPECT_EQ(control.style, expected.style);
        EXPECT_EQ(control.exStyle, expected.exStyle);
        EXPECT_EQ(control.x, expected.x);
        EXPECT_EQ(control.y, expected.y);
        EXPECT_EQ(control.cx, expected.cx);
        EXPECT_EQ(control.cy, expected.cy);
    }
}

TEST(DialogTemplateTest, MainWindow)
{
    const DialogTemplate dialog = LoadTemplate(IDD_LOGIN_DIALOG);
    const DialogTemplateHeader& header = dialog.Header();
    EXPECT_EQ(header.style, 0x9000004Cu);
    EXPECT_EQ(header.exStyle, 0x00040000u);
    EXPECT_EQ(header.cx, 561);
    EXPECT_EQ(header.cy, 386);
    EXPECT_EQ(std::wstring(header.typeface), L"MS Shell Dlg");
    EXPECT_EQ(header.pointSize, 9);
    EXPECT_EQ(header.charset, 1);
    EXPECT_TRUE(dialog.Controls().empty());
}

TEST(DialogTemplateTest, LoginPageDialog)
{
    DialogTemplate dialog = LoadTemplate(IDD_LOGIN_ACTIVE_DIALOG);
    const DialogTemplateHeader& header = dialog.Header();
    EXPECT_EQ(header.style, 0x9000004Cu);
    EXPECT_EQ(header.exStyle, 0u);
    EXPECT_EQ(header.cx, 387);
    EXPECT_EQ(header.cy, 333);
    EXPECT_EQ(std::wstring(header.typeface), L"MS Shell Dlg");
    ExpectControls(dialog,
                   {
                       {IDC_BTN_CLOSE, nullptr, kButton, L"", 0x5001018B, WS_EX_TRANSPARENT, 366, 0, 14, 16},
                       {IDC_BTN_MIN, nullptr, kButton, L"", 0x5001008B, WS_EX_TRANSPARENT, 347, 0, 13, 14},
                       {IDC_BROWSER, L"{8856F961-340A-11D0-A96B-00C04FD705A2}", 0, L"", 0x40000000, 0, 0, 17, 372, 265},
                   });

    // The browser is taken out; what is rebuilt parses back to the rest.
    const std::vector<DialogTemplateControl> taken = dialog.TakeClsidControls();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].id, static_cast<DWORD>(IDC_BROWSER));
    const std::vector<BYTE> rebuilt = dialog.Build();
    DialogTemplate reparsed;
    ASSERT_TRUE(reparsed.Parse(rebuilt.data(), rebuilt.size()));
    EXPECT_EQ(reparsed.Header().style, header.style);
    EXPECT_EQ(std::wstring(reparsed.Header().typeface), L"MS Shell Dlg");
    ASSERT_EQ(reparsed.Controls().size(), 2u);
    EXPECT_EQ(reparsed.Controls()[1].id, static_cast<DWORD>(IDC_BTN_MIN));
    EXPECT_EQ(reparsed.Controls()[1].style, 0x5001008Bu);
}

TEST(DialogTemplateTest, ExitConfirmation)
{
    const DialogTemplate dialog = LoadTemplate(IDD_CONFIRM_DIALOG);
    const DialogTemplateHeader& header = dialog.Header();
    EXPECT_EQ(header.style, 0x90080044u);
    EXPECT_EQ(header.exStyle, 0u);
    EXPECT_EQ(header.cx, 256);
    EXPECT_EQ(header.cy, 110);
    EXPECT_EQ(std::wstring(header.typeface), L"宋体");
    EXPECT_EQ(header.pointSize, 10);
    EXPECT_EQ(header.weight, 400);
    EXPECT_EQ(header.charset, 134);
    ExpectControls(
        dialog,
        {
            {IDC_STATIC_TITLE, nullptr, kStatic, L"Static", 0x50020001, WS_EX_TRANSPARENT, 35, 7, 76, 9},
            {IDC_BTN_OK, nullptr, kButton, L"Button1", 0x50010000, 0, 18, 35, 50, 14},
            {IDC_BTN_CANCEL, nullptr, kButton, L"Button2", 0x50010000, 0, 80, 35, 50, 14},
            {IDC_STATIC_TEXT, nullptr, kStatic, L"确定要退出游戏吗？", 0x50020001, WS_EX_TRANSPARENT, 16, 17, 110, 24},
        });
}

TEST(DialogTemplateTest, TruncatedTemplatesAreRejected)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDD_CONFIRM_DIALOG), MAKEINTRESOURCEW(5));
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    const size_t size = SizeofResource(module, resource);
    DialogTemplate dialog;
    for (size_t cut : {size_t(0), size_t(3), size_t(20), size / 2, size - 3})
        EXPECT_FALSE(dialog.Parse(bytes, cut)) << cut;
}

}  // namespace
