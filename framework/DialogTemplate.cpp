#include "framework/DialogTemplate.h"

#include <cstring>

namespace {

// Offsets within the fixed part of DLGTEMPLATEEX.
const size_t kCountOffset = 16;
const size_t kFixedItemSize = 24;

class Reader {
public:
    Reader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    bool Word(WORD& value) { return Copy(&value, sizeof(value)); }
    bool Dword(DWORD& value) { return Copy(&value, sizeof(value)); }
    bool Copy(void* out, size_t count)
    {
        if (m_pos + count > m_size)
            return false;
        std::memcpy(out, m_data + m_pos, count);
        m_pos += count;
        return true;
    }
    // A string or ordinal field, returned as stored; text receives the
    // string when it is one.
    bool SzOrOrd(std::vector<BYTE>& field, CString* text = nullptr)
    {
        const size_t start = m_pos;
        WORD first = 0;
        if (!Word(first))
            return false;
        if (first == 0xFFFF) {
            WORD ordinal = 0;
            if (!Word(ordinal))
                return false;
        } else if (first != 0) {
            CString value(1, static_cast<wchar_t>(first));
            for (;;) {
                WORD ch = 0;
                if (!Word(ch))
                    return false;
                if (ch == 0)
                    break;
                value += static_cast<wchar_t>(ch);
            }
            if (text)
                *text = value;
        }
        field.assign(m_data + start, m_data + m_pos);
        return true;
    }
    bool String()
    {
        std::vector<BYTE> ignored;
        return SzOrOrd(ignored);
    }
    void AlignDword() { m_pos = (m_pos + 3) & ~size_t(3); }
    size_t Position() const { return m_pos; }
    const BYTE* Data() const { return m_data; }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

void AppendBytes(std::vector<BYTE>& out, const void* data, size_t count)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    out.insert(out.end(), bytes, bytes + count);
}

void AlignDword(std::vector<BYTE>& out)
{
    while (out.size() % 4)
        out.push_back(0);
}

}  // namespace

bool DialogTemplate::Parse(const void* data, size_t size)
{
    m_header.clear();
    m_controls.clear();
    Reader reader(static_cast<const BYTE*>(data), size);
    WORD version = 0;
    WORD signature = 0;
    if (!reader.Word(version) || !reader.Word(signature) || version != 1 || signature != 0xFFFF)
        return false;
    DialogTemplateHeader header;
    DWORD helpId = 0;
    WORD count = 0;
    WORD rect[4];
    if (!reader.Dword(helpId) || !reader.Dword(header.exStyle) || !reader.Dword(header.style) || !reader.Word(count) ||
        !reader.Copy(rect, sizeof(rect)))
        return false;
    header.x = static_cast<short>(rect[0]);
    header.y = static_cast<short>(rect[1]);
    header.cx = static_cast<short>(rect[2]);
    header.cy = static_cast<short>(rect[3]);

    // Menu, class, title, then the font when the style asks for one.
    std::vector<BYTE> ignored;
    if (!reader.String() || !reader.String() || !reader.SzOrOrd(ignored, &header.title))
        return false;
    if (header.style & (DS_SETFONT | DS_SHELLFONT)) {
        if (!reader.Word(header.pointSize) || !reader.Word(header.weight) || !reader.Copy(&header.italic, 1) ||
            !reader.Copy(&header.charset, 1) || !reader.SzOrOrd(ignored, &header.typeface))
            return false;
    }
    m_fields = header;
    m_header.assign(reader.Data(), reader.Data() + reader.Position());

    for (WORD i = 0; i < count; ++i) {
        reader.AlignDword();
        DialogTemplateControl control;
        if (!reader.Dword(control.helpId) || !reader.Dword(control.exStyle) || !reader.Dword(control.style))
            return false;
        WORD rect[4];
        if (!reader.Copy(rect, sizeof(rect)) || !reader.Dword(control.id))
            return false;
        control.x = static_cast<short>(rect[0]);
        control.y = static_cast<short>(rect[1]);
        control.cx = static_cast<short>(rect[2]);
        control.cy = static_cast<short>(rect[3]);
        if (!reader.SzOrOrd(control.classField, &control.className) || !reader.SzOrOrd(control.titleField))
            return false;
        WORD extraCount = 0;
        if (!reader.Word(extraCount))
            return false;
        control.extra.resize(extraCount);
        if (extraCount && !reader.Copy(control.extra.data(), extraCount))
            return false;
        m_controls.push_back(std::move(control));
    }
    return true;
}

std::vector<BYTE> DialogTemplate::Build() const
{
    std::vector<BYTE> out = m_header;
    const WORD count = static_cast<WORD>(m_controls.size());
    std::memcpy(out.data() + kCountOffset, &count, sizeof(count));
    for (const DialogTemplateControl& control : m_controls) {
        AlignDword(out);
        AppendBytes(out, &control.helpId, sizeof(DWORD));
        AppendBytes(out, &control.exStyle, sizeof(DWORD));
        AppendBytes(out, &control.style, sizeof(DWORD));
        const short rect[4] = {control.x, control.y, control.cx, control.cy};
        AppendBytes(out, rect, sizeof(rect));
        AppendBytes(out, &control.id, sizeof(DWORD));
        AppendBytes(out, control.classField.data(), control.classField.size());
        AppendBytes(out, control.titleField.data(), control.titleField.size());
        const WORD extraCount = static_cast<WORD>(control.extra.size());
        AppendBytes(out, &extraCount, sizeof(extraCount));
        AppendBytes(out, control.extra.data(), control.extra.size());
    }
    AlignDword(out);
    static_assert(kFixedItemSize == 3 * sizeof(DWORD) + 4 * sizeof(short) + sizeof(DWORD), "item layout");
    return out;
}

std::vector<DialogTemplateControl> DialogTemplate::TakeClsidControls()
{
    std::vector<DialogTemplateControl> taken;
    std::vector<DialogTemplateControl> kept;
    for (DialogTemplateControl& control : m_controls)
        (control.IsClsidClass() ? taken : kept).push_back(std::move(control));
    m_controls = std::move(kept);
    return taken;
}
