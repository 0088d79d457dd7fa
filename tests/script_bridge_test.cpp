// The script object page scripts see as window.external: its COM answers,
// and real JScript through the system's engine with the real hand-over
// behind it (whose first trace line shows exactly what was handed over).

#include "app/LoginApp.h"
#include "browser/ImpIDispatch.h"
#include "support/ScriptHost.h"
#include "support/TempDir.h"
#include "windows/LoginActiveDlg.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <string>

namespace {

// A login page dialog object behind the script object, in a working
// directory of its own. Payloads that do not parse only write their trace
// line, so nothing is launched.
class ScriptBridgeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        OleInitialize(nullptr);
        m_external.m_pLoginActiveDlg = &m_dialog;
    }
    void TearDown() override { OleUninitialize(); }
    std::string Trace() const { return ReadWholeFile(m_dir.File(L"log.txt")); }
    std::wstring Run(const std::wstring& script)
    {
        std::wstring error;
        ScriptHost(&m_external).Run(script, error);
        return error;
    }

    TempDir m_dir;
    WorkingDirectory m_workingDirectory{m_dir.Path()};
    CLoginActiveDlg m_dialog;
    CImpIDispatch m_external;
};

TEST_F(ScriptBridgeTest, AppLoginHandsOverExactlyTheText)
{
    EXPECT_EQ(Run(LR"(window.external.AppLogin('  {"uid": 1} \u4e2d &x ');)"), L"");
    EXPECT_EQ(Trace(), "  {\"uid\": 1} ? &x \r\n");
}

TEST_F(ScriptBridgeTest, NamesAreKnownByTheirFirstThreeCharacters)
{
    EXPECT_EQ(Run(L"var e = window.external;"
                  L"e.AppLogin(e.xxyyzz + ' ' + e.xxyq);"
                  L"e.Apple('apple');"
                  L"e.AppLogin(JSON.stringify({uid: 'u'}));"),
              L"");
    EXPECT_EQ(Trace(), "Wibble Wibble\r\napple\r\n{\"uid\":\"u\"}\r\n");
}

TEST_F(ScriptBridgeTest, UnknownNamesRaiseACatchableError)
{
    EXPECT_EQ(Run(L"try { window.external.appLogin('lower'); } catch (e) { window.external.AppLogin('caught'); }"),
              L"");
    EXPECT_EQ(Trace(), "caught\r\n");
    EXPECT_NE(Run(L"window.external.appLogin('lower');"), L"");
    EXPECT_EQ(Trace(), "caught\r\n");
}

TEST_F(ScriptBridgeTest, ArgumentsThatAreNoTextHandNothingOver)
{
    EXPECT_EQ(Run(L"var e = window.external; e.AppLogin(); e.AppLogin(5); e.AppLogin(null); e.AppLogin({});"
                  L"var v = e.AppLogin; e.AppLogin('after');"),
              L"");
    EXPECT_EQ(Trace(), "after\r\n");
}

TEST_F(ScriptBridgeTest, TwoCallsAreTwoHandOvers)
{
    EXPECT_EQ(Run(L"window.external.AppLogin('one'); window.external.AppLogin('two');"), L"");
    EXPECT_EQ(Trace(), "one\r\ntwo\r\n");
}

TEST_F(ScriptBridgeTest, WithoutAPageDialogNothingHappens)
{
    m_external.m_pLoginActiveDlg = nullptr;
    EXPECT_EQ(Run(L"window.external.AppLogin('lost');"), L"");
    EXPECT_EQ(Trace(), "");
}

TEST(ImpIDispatchTest, AnswersIUnknownAndIDispatchOnlyAndNeverDies)
{
    CImpIDispatch external;
    EXPECT_EQ(external.m_cRef, 0u);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(external.QueryInterface(IID_IOleObject, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(external.QueryInterface(IID_IDispatch, &object), S_OK);
    EXPECT_EQ(object, static_cast<IDispatch*>(&external));
    ASSERT_EQ(external.QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(object, static_cast<IDispatch*>(&external));
    EXPECT_EQ(external.m_cRef, 2u);
    EXPECT_EQ(external.Release(), 1u);
    EXPECT_EQ(external.Release(), 0u);
    // Still alive: the application deletes it, not its count.
    EXPECT_EQ(external.AddRef(), 1u);

    UINT count = 77;
    EXPECT_EQ(external.GetTypeInfoCount(&count), E_NOTIMPL);
    EXPECT_EQ(count, 77u);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(8);
    EXPECT_EQ(external.GetTypeInfo(0, 0, &info), E_NOTIMPL);
    EXPECT_EQ(info, reinterpret_cast<ITypeInfo*>(8));
}

struct NameCase {
    const wchar_t* name;
    DISPID id;
};

class ImpIDispatchNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ImpIDispatchNameTest, Resolves)
{
    CImpIDispatch external;
    // The name ends right before a page that cannot be read: a short name
    // read past its terminator faults.
    const std::wstring name = GetParam().name;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const size_t page = system.dwPageSize;
    BYTE* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(pages + page, page, PAGE_NOACCESS, &old);
    wchar_t* tail = reinterpret_cast<wchar_t*>(pages + page) - (name.size() + 1);
    wcscpy(tail, name.c_str());
    LPOLESTR names[1] = {tail};
    DISPID id = 99;
    const HRESULT hr = external.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    EXPECT_EQ(id, GetParam().id);
    EXPECT_EQ(hr, GetParam().id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK);
    VirtualFree(pages, 0, MEM_RELEASE);
}

INSTANTIATE_TEST_SUITE_P(Names, ImpIDispatchNameTest,
                         ::testing::Values(NameCase{L"xxyyzz", 12345}, NameCase{L"xxyq", 12345},
                                           NameCase{L"xxy", 12345}, NameCase{L"AppLogin", 10001},
                                           NameCase{L"Apple", 10001}, NameCase{L"App", 10001},
                                           NameCase{L"appLogin", DISPID_UNKNOWN}, NameCase{L"XXYYZZ", DISPID_UNKNOWN},
                                           NameCase{L"xx", DISPID_UNKNOWN}, NameCase{L"A", DISPID_UNKNOWN},
                                           NameCase{L"", DISPID_UNKNOWN}, NameCase{L"Ap", DISPID_UNKNOWN}));

TEST(ImpIDispatchTest, EveryNameOfACallIsResolved)
{
    CImpIDispatch external;
    const wchar_t* list[] = {L"nothing", L"xxyyzz", L"AppLogin"};
    DISPID ids[3] = {};
    EXPECT_EQ(external.GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(list), 3, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
    EXPECT_EQ(ids[1], 12345);
    EXPECT_EQ(ids[2], 10001);
    EXPECT_EQ(external.GetIDsOfNames(IID_NULL, nullptr, 0, 0, nullptr), S_OK);
}

TEST(ImpIDispatchTest, InvokeLooksAtTheFlagBitsAndAlwaysSucceeds)
{
    CImpIDispatch external;
    VARIANT result;
    // The property answers a get, whatever other bits are set.
    for (WORD flags : {WORD(DISPATCH_PROPERTYGET), WORD(DISPATCH_PROPERTYGET | DISPATCH_METHOD)}) {
        VariantInit(&result);
        EXPECT_EQ(external.Invoke(12345, IID_NULL, 0, flags, nullptr, &result, nullptr, nullptr), S_OK);
        ASSERT_EQ(V_VT(&result), VT_BSTR);
        EXPECT_STREQ(V_BSTR(&result), L"Wibble");
        VariantClear(&result);
    }
    V_VT(&result) = VT_I4;
    V_I4(&result) = 7;
    EXPECT_EQ(external.Invoke(12345, IID_NULL, 0, DISPATCH_METHOD, nullptr, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(external.Invoke(10001, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(external.Invoke(42, IID_NULL, 0, DISPATCH_METHOD, nullptr, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(V_VT(&result), VT_I4);
    EXPECT_EQ(V_I4(&result), 7);
}

TEST_F(ScriptBridgeTest, InvokeTakesTheTextHoweverItIsPassed)
{
    BSTR text = SysAllocString(L"by reference");
    VARIANTARG argument;
    V_VT(&argument) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&argument) = &text;
    DISPPARAMS params{&argument, nullptr, 1, 0};
    VARIANT result;
    V_VT(&result) = VT_I4;
    V_I4(&result) = 7;
    EXPECT_EQ(m_external.Invoke(10001, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(V_VT(&result), VT_I4);

    V_VT(&argument) = VT_I4;
    V_I4(&argument) = 5;
    EXPECT_EQ(m_external.Invoke(10001, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(m_external.Invoke(10001, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(m_external.Invoke(10001, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
    SysFreeString(text);
    EXPECT_EQ(Trace(), "by reference\r\n");
}

}  // namespace

namespace {

class WatchedExternal : public CImpIDispatch {
public:
    explicit WatchedExternal(bool& deleted) : m_deleted(deleted) {}
    ~WatchedExternal() override { m_deleted = true; }

private:
    bool& m_deleted;
};

// At the end of the run the application discards the script object: a
// browser that still holds it keeps a live object, which goes with its last
// reference and hands nothing over meanwhile.
TEST(ImpIDispatchTest, DiscardedWhileHeldItGoesWithTheLastReference)
{
    bool deleted = false;
    CImpIDispatch* external = new WatchedExternal(deleted);
    CLoginActiveDlg dialog;
    external->m_pLoginActiveDlg = &dialog;
    external->AddRef();
    CImpIDispatch::Discard(external);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(external->m_pLoginActiveDlg, nullptr);
    external->Release();
    EXPECT_TRUE(deleted);

    deleted = false;
    CImpIDispatch::Discard(new WatchedExternal(deleted));
    EXPECT_TRUE(deleted);
}

}  // namespace
