#include "framework/AfxConnection.h"
#include "support/FakeAnchor.h"
#include "windows/LoginActiveDlg.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Connects the dialog's dispatch interface to an anchor the way the page
// dialog does, and records the entry in its table.
void Connect(CLoginActiveDlg& dialog, FakeAnchor* anchor, const std::wstring& href)
{
    DWORD cookie = 0;
    ASSERT_TRUE(AfxConnectionAdvise(static_cast<IHTMLAnchorElement*>(anchor), kDiidHTMLElementEvents2,
                                    dialog.GetIDispatch(false), FALSE, &cookie));
    dialog.m_mapElementEvents[href] =
        ElementEventConnection{ComPtr<IHTMLAnchorElement>(anchor), kDiidHTMLElementEvents2, cookie, href};
}

TEST(ElementEventsTest, DisconnectsInAddressOrderAndEmptiesTheTable)
{
    ConnectionJournal journal;
    CLoginActiveDlg dialog;
    const ULONG sinkRefs = dialog.GetRefCount();
    // Connected in an order other than the addresses' order.
    FakeAnchor* c = new FakeAnchor(L"https://h/c", journal, 30);
    FakeAnchor* a = new FakeAnchor(L"https://h/a", journal, 10);
    FakeAnchor* b = new FakeAnchor(L"https://h/B", journal, 20);
    for (FakeAnchor* anchor : {c, a, b})
        Connect(dialog, anchor, anchor == c ? L"https://h/c" : anchor == a ? L"https://h/a" : L"https://h/B");
    // The sources hold no counted reference of the dialog.
    EXPECT_EQ(dialog.GetRefCount(), sinkRefs);
    EXPECT_EQ(a->RefCount(), 2u);

    journal.entries.clear();
    dialog.DisconnectElementEvents();

    // Ordinal order: upper case before lower case.
    EXPECT_EQ(journal.entries, (std::vector<std::wstring>{L"unadvise https://h/B 20", L"unadvise https://h/a 10",
                                                          L"unadvise https://h/c 30"}));
    EXPECT_TRUE(dialog.m_mapElementEvents.empty());
    EXPECT_EQ(dialog.GetRefCount(), sinkRefs);
    for (FakeAnchor* anchor : {a, b, c}) {
        EXPECT_EQ(anchor->Sink(), nullptr);
        // The table's reference went with its entry.
        EXPECT_EQ(anchor->RefCount(), 1u);
        anchor->Release();
    }
}

TEST(ElementEventsTest, AFailedUnadviseDoesNotStopTheOthers)
{
    ConnectionJournal journal;
    CLoginActiveDlg dialog;
    const ULONG sinkRefs = dialog.GetRefCount();
    FakeAnchor* gone = new FakeAnchor(L"https://h/1", journal);
    FakeAnchor* live = new FakeAnchor(L"https://h/2", journal);
    Connect(dialog, gone, L"https://h/1");
    Connect(dialog, live, L"https://h/2");
    // A page that went away no longer knows the cookie.
    dialog.m_mapElementEvents[L"https://h/1"].dwCookie = 999;

    dialog.DisconnectElementEvents();

    EXPECT_TRUE(dialog.m_mapElementEvents.empty());
    EXPECT_EQ(live->Sink(), nullptr);
    // The failed call gave back the reference it lent; the stale connection
    // still holds the one it took at advise time.
    EXPECT_EQ(dialog.GetRefCount(), sinkRefs);
    gone->Unadvise(1);
    gone->Release();
    live->Release();
}

TEST(ElementEventsTest, EmptyTableStaysEmpty)
{
    CLoginActiveDlg dialog;
    dialog.DisconnectElementEvents();
    EXPECT_TRUE(dialog.m_mapElementEvents.empty());
}

TEST(ElementEventsTest, DiscardedEntriesReleaseTheirElements)
{
    ConnectionJournal journal;
    FakeAnchor* anchor = new FakeAnchor(L"https://h/x", journal);
    {
        CLoginActiveDlg dialog;
        Connect(dialog, anchor, L"https://h/x");
        EXPECT_EQ(anchor->RefCount(), 2u);
        anchor->Unadvise(1);
    }
    EXPECT_EQ(anchor->RefCount(), 1u);
    anchor->Release();
}

}  // namespace
