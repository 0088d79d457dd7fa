#pragma once
// Dialogs from templates: modal with our own loop (a quit request ends the
// run with -1 and stays pending), or modeless. Controls are bound to member
// objects through data exchange.

#include "framework/DialogTemplate.h"
#include "framework/Gdi.h"
#include "framework/OleControlSite.h"
#include "framework/Wnd.h"

#include <memory>
#include <vector>

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Routes control id's messages through control (once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modeless: creates the window from the template, owned by parent.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateOwned(UINT templateId, HWND owner);
    // Runs the dialog to its end: the EndDialog result, or -1 when it could
    // not be created or a quit request ended the run.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    // Keyboard messages go first to the hosted control that has the focus,
    // then, with mouse messages, to the dialog manager.
    BOOL PreTranslateMessage(MSG* msg) override;
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // Gives the controls that use the dialog's font the template's font at
    // its point size for a screen of pixelsPerInch: for dialogs laid
    // out in pixels, whose texts must fit at any display scaling. Nothing
    // changes on such a screen.
    void UseDialogFontForDpi(int pixelsPerInch);

    // The ActiveX controls the template holds; created by the container.
    const std::vector<DialogTemplateControl>& TemplateActiveXControls() const { return m_activeXControls; }
    // The sites of the controls created from them (null without a manager).
    COleControlContainer* GetControlContainer() const { return m_pCtrlCont.get(); }

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    HWND CreateFromTemplate(HWND owner);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<DialogTemplateControl> m_activeXControls;
    std::unique_ptr<COleControlContainer> m_pCtrlCont;
    CFont m_fontForDpi;
    bool m_bModal = false;
    bool m_bEnded = false;
    int m_nModalResult = -1;
};

// The extended dialog: nothing of its own here.
class CDialogEx : public CDialog {
public:
    using CDialog::CDialog;
};
