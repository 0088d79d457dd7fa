#include "framework/Dialog.h"

#include "framework/MessagePump.h"
#include "framework/ModalOwnership.h"
#include "framework/SystemBoundary.h"
#include "framework/WinApp.h"

#include <optional>

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    if (COleControlContainer* container = dx->m_pDlgWnd->GetControlContainer())
        control.m_pCtrlSite = container->FindItem(static_cast<UINT>(id));
    control.SubclassWindow(dx->m_pDlgWnd->GetDlgItem(id));
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent)
{
}

CDialog::~CDialog()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    m_pCtrlCont.reset();
}

HWND CDialog::CreateFromTemplate(HWND owner)
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(m_nIDTemplate), MAKEINTRESOURCEW(5) /*RT_DIALOG*/);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return nullptr;

    // The dialog manager fails on ActiveX controls: create the dialog
    // without them and let the container add them.
    DialogTemplate dialogTemplate;
    std::vector<BYTE> rebuilt;
    const void* effective = data;
    if (dialogTemplate.Parse(data, SizeofResource(module, resource))) {
        m_activeXControls = dialogTemplate.TakeClsidControls();
        if (!m_activeXControls.empty()) {
            rebuilt = dialogTemplate.Build();
            effective = rebuilt.data();
        }
    }

    CreationHook hook(this);
    return CreateDialogIndirectParamW(module, static_cast<const DLGTEMPLATE*>(effective), owner, DialogProc,
                                      reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_pParentWnd = parent;
    return CreateOwned(templateId, parent ? parent->m_hWnd : nullptr);
}

BOOL CDialog::CreateOwned(UINT templateId, HWND owner)
{
    m_nIDTemplate = templateId;
    m_bModal = false;
    return CreateFromTemplate(owner) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    std::optional<ModalOwnership> ownership(std::in_place, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    m_bModal = true;
    m_bEnded = false;
    m_nModalResult = -1;
    if (CreateFromTemplate(ownership->Owner())) {
        ownership->SetModalWindow(m_hWnd);
        if (!IsWindowVisible())
            ShowWindow(SW_SHOWNORMAL);
        const PumpEnd end = RunMessagePump([this] { return m_bEnded || !IsWindow(); });
        if (end.quit) {
            // A quit request ends the run; it stays pending for the loops
            // outside this one.
            m_nModalResult = -1;
            if (CWinApp* app = AfxGetApp())
                app->m_nExitCode = end.exitCode;
        }
    }
    // The owners come back (with the activation) before the dialog goes.
    HWND dialog = m_hWnd;
    ownership.reset();
    if (dialog)
        ::DestroyWindow(dialog);
    m_bModal = false;
    return m_nModalResult;
}

void CDialog::EndDialog(int result)
{
    if (!m_bModal) {
        ::EndDialog(m_hWnd, result);
        return;
    }
    m_nModalResult = result;
    m_bEnded = true;
    // Wakes the modal loop if the call came from outside a message.
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    const bool keyboard = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
    const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
    if (!keyboard && !mouse)
        return FALSE;
    if (keyboard && m_pCtrlCont) {
        COleControlSite* site = m_pCtrlCont->SiteHoldingFocus(::GetFocus());
        if (site && site->m_pActiveObject && site->m_pActiveObject->TranslateAccelerator(msg) == S_OK)
            return TRUE;
    }
    return ::IsDialogMessageW(m_hWnd, msg);
}

void CDialog::UseDialogFontForDpi(int pixelsPerInch)
{
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (!dialogFont || AfxScreenPixelsPerInch() == pixelsPerInch || m_fontForDpi.GetSafeHandle())
        return;
    if (!m_fontForDpi.CreateForDpi(dialogFont, pixelsPerInch))
        return;
    // The dialog keeps its own font: the dialog manager deletes whatever
    // font the dialog holds when it goes, and this one is ours.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)) == dialogFont)
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontForDpi.GetSafeHandle()), FALSE);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Buttons, Enter and Esc (from the dialog manager) all arrive this way.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            result = 0;
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            result = 0;
            return true;
        }
    }
    // The hosted controls go while their windows still exist.
    if (message == WM_DESTROY)
        m_pCtrlCont.reset();
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        CDialog* dialog = static_cast<CDialog*>(FromHandlePermanent(hwnd));
        if (!dialog)
            return TRUE;
        // The template's ActiveX controls exist before the dialog's own
        // initialisation binds its members to them.
        return CallGuarded<INT_PTR>(TRUE, [dialog] {
            COccManager* manager = AfxGetOccManager();
            if (manager && !dialog->m_activeXControls.empty())
                dialog->m_pCtrlCont = manager->CreateDialogControls(dialog, dialog->m_activeXControls);
            return dialog->OnInitDialog();
        });
    }
    return FALSE;
}
