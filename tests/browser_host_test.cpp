// Hosting the browser: the site's answers to the browser, the page dialog's
// event sink fed the DISPPARAMS the control sends, the link connection walk
// over test doubles of a page, and the real control under Wine.

#include "app/LoginApp.h"
#include "browser/CustomControlSite.h"
#include "browser/CustomOccManager.h"
#include "browser/ImpIDispatch.h"
#include "res/resource.h"
#include "support/BrowserEventArguments.h"
#include "support/FakeAnchor.h"
#include "support/FakeBrowser.h"
#include "support/FakeHtmlDocument.h"
#include "support/LoopbackHttpServer.h"
#include "support/ModalProbe.h"
#include "support/TempDir.h"
#include "windows/LoginActiveDlg.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <string>
#include <vector>

namespace {

const DISPID kBeforeNavigate2 = 250;
const DISPID kNavigateComplete2 = 252;
const DISPID kDocumentComplete = 259;

class OleScope {
public:
    OleScope() { OleInitialize(nullptr); }
    ~OleScope() { OleUninitialize(); }
};

TEST(DocHostUIHandlerTest, AnswersTheBrowserAsThePageNeeds)
{
    CCustomControlSite site(nullptr);
    ComPtr<IDocHostUIHandler> handler;
    ASSERT_EQ(site.QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(handler.ReleaseAndGetAddressOf())),
              S_OK);
    // The handler shares the site's identity and count.
    ComPtr<IUnknown> fromHandler;
    ComPtr<IUnknown> fromSite;
    handler->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(fromHandler.ReleaseAndGetAddressOf()));
    site.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(fromSite.ReleaseAndGetAddressOf()));
    EXPECT_EQ(fromHandler.Get(), fromSite.Get());
    const ULONG before = site.m_dwRef;
    handler->AddRef();
    EXPECT_EQ(site.m_dwRef, before + 1);
    handler->Release();

    EXPECT_EQ(handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, nullptr, nullptr, nullptr), S_OK);
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof(info);
    info.dwFlags = 0xFF00;
    info.dwDoubleClick = 3;
    EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, 0xCu);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_EQ(info.cbSize, sizeof(info));
    EXPECT_EQ(handler->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(handler->HideUI(), S_OK);
    EXPECT_EQ(handler->UpdateUI(), S_OK);
    EXPECT_EQ(handler->EnableModeless(TRUE), E_NOTIMPL);
    EXPECT_EQ(handler->OnDocWindowActivate(TRUE), E_NOTIMPL);
    EXPECT_EQ(handler->OnFrameWindowActivate(TRUE), E_NOTIMPL);
    EXPECT_EQ(handler->ResizeBorder(nullptr, nullptr, TRUE), E_NOTIMPL);
    MSG message{};
    EXPECT_EQ(handler->TranslateAccelerator(&message, nullptr, 0), S_FALSE);

    // Out parameters stay as they were where the answer is E_NOTIMPL.
    LPOLESTR key = reinterpret_cast<LPOLESTR>(1);
    EXPECT_EQ(handler->GetOptionKeyPath(&key, 0), E_NOTIMPL);
    EXPECT_EQ(key, reinterpret_cast<LPOLESTR>(1));
    IDropTarget* drop = reinterpret_cast<IDropTarget*>(2);
    EXPECT_EQ(handler->GetDropTarget(nullptr, &drop), E_NOTIMPL);
    EXPECT_EQ(drop, reinterpret_cast<IDropTarget*>(2));
    LPWSTR translated = reinterpret_cast<LPWSTR>(3);
    EXPECT_EQ(handler->TranslateUrl(0, const_cast<LPWSTR>(L"http://h/"), &translated), E_NOTIMPL);
    EXPECT_EQ(translated, reinterpret_cast<LPWSTR>(3));
    IDataObject* filtered = reinterpret_cast<IDataObject*>(4);
    EXPECT_EQ(handler->FilterDataObject(nullptr, &filtered), E_NOTIMPL);
    EXPECT_EQ(filtered, reinterpret_cast<IDataObject*>(4));
}

TEST(DocHostUIHandlerTest, ExternalIsTheApplicationsScriptObject)
{
    CCustomControlSite site(nullptr);
    CImpIDispatch external;
    theApp.m_pDispatch = &external;
    IDispatch* got = nullptr;
    EXPECT_EQ(site.m_xDocHostUIHandler.GetExternal(&got), S_OK);
    EXPECT_EQ(got, static_cast<IDispatch*>(&external));
    EXPECT_EQ(site.m_xDocHostUIHandler.GetExternal(&got), S_OK);
    EXPECT_EQ(external.m_cRef, 2u);
    theApp.m_pDispatch = nullptr;
}

TEST(OccManagerTest, MakesCustomSites)
{
    CCustomOccManager manager;
    std::unique_ptr<COleControlSite> site(manager.CreateSite(nullptr));
    EXPECT_NE(dynamic_cast<CCustomControlSite*>(site.get()), nullptr);
}

// The page dialog object with a stand-in window for its browser, in a
// working directory of its own.
class PageEventsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dialog.m_browser.SubclassWindow(
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    }
    void TearDown() override { ::DestroyWindow(m_dialog.m_browser.UnsubclassWindow()); }

    OleScope m_ole;
    TempDir m_dir;
    WorkingDirectory m_workingDirectory{m_dir.Path()};
    CLoginActiveDlg m_dialog;
};

TEST_F(PageEventsTest, ACompletedNavigationShowsTheBrowserAndHandsNothingOverForOtherAddresses)
{
    EXPECT_FALSE(m_dialog.m_browser.IsWindowVisible());
    BrowserEventArguments event(L"https://login.voskar.example/vosk/index.php");
    EXPECT_TRUE(m_dialog.OnEvent(IDC_BROWSER, kNavigateComplete2, event.FrameAndUrl()));
    EXPECT_TRUE(m_dialog.m_browser.IsWindowVisible());
    EXPECT_FALSE(FileExists(m_dir.File(L"log.txt")));
}

TEST_F(PageEventsTest, NoNavigationIsCancelledAndOddShapesAreIgnored)
{
    VARIANT_BOOL cancel = VARIANT_FALSE;
    BrowserEventArguments event(L"http://127.0.0.1/anything");
    EXPECT_TRUE(m_dialog.OnEvent(IDC_BROWSER, kBeforeNavigate2, event.BeforeNavigate(&cancel)));
    EXPECT_EQ(cancel, VARIANT_FALSE);

    // Too few arguments, an unknown event, another control: not handled.
    DISPPARAMS one = *event.FrameAndUrl();
    one.cArgs = 1;
    EXPECT_FALSE(m_dialog.OnEvent(IDC_BROWSER, kNavigateComplete2, &one));
    EXPECT_FALSE(m_dialog.OnEvent(IDC_BROWSER, kNavigateComplete2, nullptr));
    EXPECT_FALSE(m_dialog.OnEvent(IDC_BROWSER, 999, event.FrameAndUrl()));
    EXPECT_FALSE(m_dialog.OnEvent(IDC_BTN_MIN, kNavigateComplete2, event.FrameAndUrl()));
    EXPECT_FALSE(m_dialog.m_browser.IsWindowVisible());
}

TEST_F(PageEventsTest, RejectedRedirectPayloadIsTracedOnly)
{
    // A redirect whose query makes no complete payload is traced and goes
    // no further.
    BrowserEventArguments event(L"https://h/openapi/ly/dy/login?isAdult=1&qid=Q");
    EXPECT_TRUE(m_dialog.OnEvent(IDC_BROWSER, kNavigateComplete2, event.FrameAndUrl()));
    EXPECT_EQ(ReadWholeFile(m_dir.File(L"log.txt")), "{\"uid\":\"Q\",\"token\":\"qzT4k29w\"}\r\n");
}

// The link walk over test doubles: the browser's document holds the
// elements given.
class LinkConnectionsTest : public PageEventsTest {
protected:
    void LoadPage(std::vector<IDispatch*> elements)
    {
        FakeElementCollection* all = new FakeElementCollection(std::move(elements));
        FakeHtmlDocument* document = new FakeHtmlDocument(all);
        all->Release();
        m_site = std::make_unique<COleControlSite>(nullptr);
        FakeBrowser* browser = new FakeBrowser(document);
        document->Release();
        m_site->m_pDispatch = ComPtr<IDispatch>::Attach(browser);
        m_dialog.m_browser.m_pCtrlSite = m_site.get();
    }
    void Complete(const std::wstring& url)
    {
        BrowserEventArguments event(url);
        EXPECT_TRUE(m_dialog.OnEvent(IDC_BROWSER, kDocumentComplete, event.FrameAndUrl()));
    }
    std::vector<std::wstring> Keys() const
    {
        std::vector<std::wstring> keys;
        for (const auto& entry : m_dialog.m_mapElementEvents)
            keys.push_back(entry.first);
        return keys;
    }
    void TearDown() override
    {
        m_dialog.m_browser.m_pCtrlSite = nullptr;
        PageEventsTest::TearDown();
    }

    ConnectionJournal m_journal;
    std::unique_ptr<COleControlSite> m_site;
};

TEST_F(LinkConnectionsTest, EachAddressIsConnectedOnceAndDisconnectedInOrder)
{
    FakeAnchor* second = new FakeAnchor(L"https://h/z", m_journal, 20);
    FakeAnchor* first = new FakeAnchor(L"https://h/a", m_journal, 10);
    FakeAnchor* again = new FakeAnchor(L"https://h/z", m_journal, 30);
    FakeElementCollection* notALink = new FakeElementCollection({});
    LoadPage({second, notALink, nullptr, first, again});
    Complete(L"https://login.voskar.example/vosk/index.php");
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"https://h/a", L"https://h/z"}));
    EXPECT_EQ(m_journal.entries, (std::vector<std::wstring>{L"advise https://h/z 20", L"advise https://h/a 10"}));
    EXPECT_EQ(m_dialog.m_mapElementEvents[L"https://h/z"].dwCookie, 20u);
    EXPECT_EQ(m_dialog.m_mapElementEvents[L"https://h/z"].iid, kDiidHTMLElementEvents2);

    // A later page with the same addresses adds nothing.
    FakeAnchor* reloaded = new FakeAnchor(L"https://h/a", m_journal, 40);
    LoadPage({reloaded});
    Complete(L"https://login.voskar.example/vosk/index.php");
    EXPECT_EQ(m_dialog.m_mapElementEvents.size(), 2u);

    m_journal.entries.clear();
    m_dialog.DisconnectElementEvents();
    EXPECT_EQ(m_journal.entries, (std::vector<std::wstring>{L"unadvise https://h/a 10", L"unadvise https://h/z 20"}));
    EXPECT_TRUE(m_dialog.m_mapElementEvents.empty());
    for (FakeAnchor* anchor : {first, second, again, reloaded}) {
        EXPECT_EQ(anchor->Sink(), nullptr);
        anchor->Release();
    }
    notALink->Release();
}

TEST_F(LinkConnectionsTest, BlankPagesAndMissingDocumentsConnectNothing)
{
    FakeAnchor* anchor = new FakeAnchor(L"https://h/a", m_journal);
    LoadPage({anchor});
    Complete(L"about:blank");
    EXPECT_TRUE(m_dialog.m_mapElementEvents.empty());
    m_dialog.m_browser.m_pCtrlSite = nullptr;
    Complete(L"https://login.voskar.example/vosk/index.php");
    EXPECT_TRUE(m_dialog.m_mapElementEvents.empty());
    anchor->Release();
}

TEST(LinkClickTest, TheDialogAnswersClicksOnItsDispatchInterface)
{
    CLoginActiveDlg dialog;
    IDispatch* sink = dialog.GetIDispatch(false);
    ASSERT_NE(sink, nullptr);
    const wchar_t* name = L"HTMLELEMENTEVENTS2_ONCLICK";
    DISPID id = 0;
    EXPECT_EQ(sink->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(&name), 1, 0, &id), S_OK);
    EXPECT_EQ(id, -600);
    VARIANTARG eventObject;
    V_VT(&eventObject) = VT_DISPATCH;
    V_DISPATCH(&eventObject) = nullptr;
    DISPPARAMS params{&eventObject, nullptr, 1, 0};
    EXPECT_EQ(sink->Invoke(-600, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    const IID htmlElementEvents = {0x3050F60F, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
    ComPtr<IUnknown> answered;
    EXPECT_EQ(sink->QueryInterface(htmlElementEvents, reinterpret_cast<void**>(answered.ReleaseAndGetAddressOf())),
              S_OK);
}

// The real control under Wine: needs an X screen (without one the control
// raises no events).
class RecordingSite : public CCustomControlSite {
public:
    using CCustomControlSite::CCustomControlSite;
    ~RecordingSite() override
    {
        s_deleted = true;
        s_refsAtDeletion = m_dwRef;
    }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* activeObject, LPCOLESTR name) override
    {
        if (activeObject)
            ++s_activeObjectsGiven;
        return CCustomControlSite::SetActiveObject(activeObject, name);
    }
    static int s_docHostRequests;
    static int s_activeObjectsGiven;
    static bool s_deleted;
    static ULONG s_refsAtDeletion;

protected:
    void* QueryExtraInterface(REFIID iid) override
    {
        if (iid == IID_IDocHostUIHandler)
            ++s_docHostRequests;
        return CCustomControlSite::QueryExtraInterface(iid);
    }
};
int RecordingSite::s_docHostRequests = 0;
int RecordingSite::s_activeObjectsGiven = 0;
bool RecordingSite::s_deleted = false;
ULONG RecordingSite::s_refsAtDeletion = 0;

class RecordingManager : public CCustomOccManager {
public:
    COleControlSite* CreateSite(COleControlContainer* container) override { return new RecordingSite(container); }
};

class RecordingPage : public CLoginActiveDlg {
public:
    std::vector<std::pair<DISPID, std::wstring>> events;
    bool OnEvent(UINT controlId, DISPID dispid, DISPPARAMS* params) override
    {
        std::wstring url;
        if (params && params->cArgs >= 2) {
            const VARIANTARG& address = params->rgvarg[params->cArgs - 2];
            if (V_VT(&address) == (VT_BYREF | VT_VARIANT) && V_VT(V_VARIANTREF(&address)) == VT_BSTR)
                url = V_BSTR(V_VARIANTREF(&address));
        }
        events.emplace_back(dispid, url);
        return CLoginActiveDlg::OnEvent(controlId, dispid, params);
    }
};

// A control that still holds its site when the dialog's controls go: the
// site stays until the control lets go.
TEST(ControlSiteTest, ASiteStillHeldOutlivesItsContainer)
{
    CLoginActiveDlg dialog;
    RecordingSite::s_deleted = false;
    COleControlSite* site = nullptr;
    {
        COleControlContainer container(&dialog);
        container.m_sites.emplace_back(new RecordingSite(&container));
        site = container.m_sites.back().get();
        site->AddRef();
    }
    EXPECT_FALSE(RecordingSite::s_deleted);
    EXPECT_EQ(site->m_pCtrlCont, nullptr);
    site->Release();
    EXPECT_TRUE(RecordingSite::s_deleted);
}

TEST(BrowserControlTest, OnScreenTheRealControlIsHostedThroughOurSite)
{
    if (!GetEnvironmentVariableW(L"DISPLAY", nullptr, 0))
        GTEST_SKIP() << "needs an X display (run under with_xvfb.sh)";
    OleScope ole;
    LoopbackHttpServer server;
    server.Route("/vosk/index.php", HttpReply{200, "<html><body><a href='/x'>x</a></body></html>"});
    RecordingManager manager;
    AfxEnableControlContainer(&manager);
    {
        RecordingPage page;
        ASSERT_TRUE(page.Create(IDD_LOGIN_ACTIVE_DIALOG, nullptr));
        ASSERT_NE(page.m_browser.m_hWnd, nullptr);
        EXPECT_EQ(page.GetDlgItem(IDC_BROWSER), page.m_browser.m_hWnd);
        EXPECT_NE(dynamic_cast<RecordingSite*>(page.m_browser.m_pCtrlSite), nullptr);
        RECT rect;
        GetWindowRect(page.m_browser.m_hWnd, &rect);
        MapWindowPoints(nullptr, page.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, 334);
        EXPECT_EQ(rect.top, 168);
        EXPECT_EQ(rect.right - rect.left, 630);
        EXPECT_EQ(rect.bottom - rect.top, 400);
        EXPECT_FALSE(page.m_browser.IsWindowVisible());

        const std::wstring url = server.Url("/vosk/index.php");
        VARIANT flags, target, post, headers;
        for (VARIANT* empty : {&flags, &target, &post, &headers})
            VariantInit(empty);
        page.events.clear();
        EXPECT_EQ(page.m_browser.Navigate(url, &flags, &target, &post, &headers), S_OK);
        bool sawBeforeNavigate = false;
        for (int i = 0; i < 200 && !sawBeforeNavigate; ++i) {
            PumpMessages(50);
            for (const auto& event : page.events)
                sawBeforeNavigate |= event.first == kBeforeNavigate2 && event.second == url;
        }
        EXPECT_TRUE(sawBeforeNavigate);
        EXPECT_GT(RecordingSite::s_docHostRequests, 0);
        // No navigation completes here, so the browser stays hidden.
        bool completed = false;
        for (const auto& event : page.events)
            completed |= event.first == kNavigateComplete2;
        EXPECT_EQ(page.m_browser.IsWindowVisible() != FALSE, completed);

        // Wine's control never hands the site its active object, not even
        // when its user interface is activated (what a click into the page
        // does); Windows' control does then, and the dialog offers it the
        // keys (see the modality tests, with a double).
        COleControlSite* site = page.m_browser.m_pCtrlSite;
        RECT position = site->m_rect;
        site->m_pObject->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site, 0, page.m_hWnd, &position);
        PumpMessages(50);
        EXPECT_EQ(RecordingSite::s_activeObjectsGiven, 0);
        EXPECT_FALSE(site->m_pActiveObject);

        // At the end the control lets go of the site before it is deleted.
        EXPECT_GT(site->m_dwRef, 0u);
        RecordingSite::s_deleted = false;
        page.DestroyWindow();
        EXPECT_TRUE(RecordingSite::s_deleted);
        EXPECT_EQ(RecordingSite::s_refsAtDeletion, 0u);
    }
    AfxEnableControlContainer(nullptr);
}

}  // namespace
