#pragma once
// Extended dialog templates (DLGTEMPLATEEX) as the resource compiler writes
// them. The dialog manager cannot create a control whose class is a CLSID,
// so such controls are taken out of the template before the dialog is
// created; the container creates them itself afterwards.

#include "framework/AfxString.h"

#include <windows.h>

#include <vector>

struct DialogTemplateControl {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    DWORD id = 0;
    CString className;  // empty when the class is an ordinal
    std::vector<BYTE> classField;  // the class as stored (string or ordinal)
    std::vector<BYTE> titleField;
    std::vector<BYTE> extra;  // creation data

    // "{...}": an ActiveX control.
    bool IsClsidClass() const { return !className.empty() && className.front() == L'{'; }
};

struct DialogTemplateHeader {
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    CString title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    CString typeface;
};

class DialogTemplate {
public:
    // Parses an extended template; false for anything else or a template
    // that ends early.
    bool Parse(const void* data, size_t size);
    std::vector<BYTE> Build() const;

    // Removes the ActiveX controls and returns them in template order.
    std::vector<DialogTemplateControl> TakeClsidControls();

    const DialogTemplateHeader& Header() const { return m_fields; }
    const std::vector<DialogTemplateControl>& Controls() const { return m_controls; }

private:
    DialogTemplateHeader m_fields;
    std::vector<BYTE> m_header;  // everything before the first control
    std::vector<DialogTemplateControl> m_controls;
};
