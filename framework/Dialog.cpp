#include "framework/Dialog.h"

#include "framework/WinApp.h"

namespace {

// The window that owns a modal dialog created without a parent: the
// application's main window, if it is there.
HWND SafeOwner(CWnd* parent)
{
    if (parent && parent->m_hWnd)
        return parent->m_hWnd;
    CWinApp* app = AfxGetApp();
    HWND main = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
    return main && ::IsWindow(main) ? main : nullptr;
}

}  // namespace

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
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    m_bModal = false;
    return CreateFromTemplate(parent ? parent->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = SafeOwner(m_pParentWnd);
    const bool disabledOwner = owner && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);

    m_bModal = true;
    m_bEnded = false;
    m_nModalResult = -1;
    if (CreateFromTemplate(owner)) {
        if (!IsWindowVisible())
            ShowWindow(SW_SHOWNORMAL);
        while (!m_bEnded) {
            MSG message;
            const BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
                // A quit request ends the run; it stays pending for the
                // loops outside this one.
                m_nModalResult = -1;
                if (CWinApp* app = AfxGetApp())
                    app->m_nExitCode = static_cast<int>(message.wParam);
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (got == -1)
                break;
            if (!m_hWnd || !IsDialogMessageW(m_hWnd, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
    // The owner takes the activation back before the dialog goes.
    if (disabledOwner) {
        ::EnableWindow(owner, TRUE);
        if (m_hWnd && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(owner);
    }
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
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
        COccManager* manager = AfxGetOccManager();
        if (manager && !dialog->m_activeXControls.empty())
            dialog->m_pCtrlCont = manager->CreateDialogControls(dialog, dialog->m_activeXControls);
        return dialog->OnInitDialog();
    }
    return FALSE;
}
