// Dialog template 101 as the shipped netprep.dll carries it.
#include "resources/resource.h"
#include "tests/support/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace netprep {
namespace {

// Predefined control classes, as the template names them by atom.
constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;
constexpr WORD kComboBox = 0x0085;

struct ControlTemplate {
    WORD id;
    WORD classAtom;
    std::string text;
    short x, y, cx, cy;
    DWORD style;
};

struct DialogTemplate {
    DWORD style;
    short x, y, cx, cy;
    std::string caption;
    WORD pointSize;
    std::string font;
    std::vector<ControlTemplate> controls;
};

// A template names a predefined class by atom or by name; both mean the
// same class.
WORD AtomOfClass(const std::string& name)
{
    const struct {
        const char* name;
        WORD atom;
    } classes[] = {{"button", kButton}, {"edit", kEdit}, {"static", kStatic},
                   {"combobox", kComboBox}};
    for (const auto& c : classes)
        if (lstrcmpiA(name.c_str(), c.name) == 0)
            return c.atom;
    ADD_FAILURE() << "class " << name;
    return 0;
}

// Reads a DLGTEMPLATE (the classic form, not DLGTEMPLATEEX).
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* p) : p_(p) {}

    WORD Word()
    {
        WORD w;
        memcpy(&w, p_, sizeof w);
        p_ += sizeof w;
        return w;
    }
    DWORD Dword()
    {
        DWORD d;
        memcpy(&d, p_, sizeof d);
        p_ += sizeof d;
        return d;
    }
    short Short() { return static_cast<short>(Word()); }
    std::string String()
    {
        std::string s;
        for (WORD c = Word(); c != 0; c = Word())
            s += static_cast<char>(c);
        return s;
    }
    // A name or an ordinal (0xFFFF followed by the number).
    std::string NameOrOrdinal(WORD* ordinal)
    {
        *ordinal = 0;
        WORD first;
        memcpy(&first, p_, sizeof first);
        if (first == 0xFFFF) {
            Word();
            *ordinal = Word();
            return {};
        }
        return String();
    }
    void AlignToDword(const BYTE* base)
    {
        while ((p_ - base) % 4 != 0)
            ++p_;
    }
    void Skip(size_t cb) { p_ += cb; }

private:
    const BYTE* p_;
};

DialogTemplate ReadDialogTemplate(const BYTE* base)
{
    TemplateReader r(base);
    DialogTemplate t{};
    t.style = r.Dword();
    r.Dword();  // extended style
    const WORD count = r.Word();
    t.x = r.Short();
    t.y = r.Short();
    t.cx = r.Short();
    t.cy = r.Short();
    WORD ordinal;
    EXPECT_EQ(r.NameOrOrdinal(&ordinal), "") << "no menu";
    EXPECT_EQ(r.NameOrOrdinal(&ordinal), "") << "the standard dialog class";
    t.caption = r.String();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Word();
        t.font = r.String();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignToDword(base);
        ControlTemplate c{};
        c.style = r.Dword();
        r.Dword();  // extended style
        c.x = r.Short();
        c.y = r.Short();
        c.cx = r.Short();
        c.cy = r.Short();
        c.id = r.Word();
        const std::string className = r.NameOrOrdinal(&c.classAtom);
        if (!className.empty())
            c.classAtom = AtomOfClass(className);
        WORD textOrdinal;
        c.text = r.NameOrOrdinal(&textOrdinal);
        r.Skip(r.Word());  // creation data
        t.controls.push_back(c);
    }
    return t;
}

TEST(DialogTemplate, IspPropertiesDialogAsShipped)
{
    HMODULE dll = LoadLibraryExA((test::ProgramDirectory() + "\\netprep.dll").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(dll, nullptr) << GetLastError();
    HRSRC found = FindResourceExA(dll, MAKEINTRESOURCEA(5) /* RT_DIALOG */,
                                  MAKEINTRESOURCEA(IDD_ISP_PROPERTIES),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(found, nullptr) << "template 101, language 1033";
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(dll, found)));
    ASSERT_NE(data, nullptr);
    const DialogTemplate t = ReadDialogTemplate(data);
    FreeLibrary(dll);

    EXPECT_EQ(t.style, static_cast<DWORD>(DS_SYSMODAL | DS_MODALFRAME | DS_CENTER | DS_SETFONT |
                                          WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(t.cx, 230);
    EXPECT_EQ(t.cy, 169);
    EXPECT_EQ(t.caption, "Internet Service Provider Properties");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.font, "MS Sans Serif");

    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    constexpr DWORD kLabel = kChild | WS_GROUP | SS_LEFT;
    constexpr DWORD kField = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    const ControlTemplate expected[] = {
        {0xFFFF, kStatic, "&Dial-Up Networking Connection:", 7, 7, 157, 8, kLabel},
        {IDC_ENTRY_LIST, kComboBox, "", 7, 18, 119, 74,
         kChild | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
        {0xFFFF, kStatic, "&Internet Service Provider Login Name:", 7, 37, 137, 8, kLabel},
        {IDC_LOGIN_NAME, kEdit, "", 7, 47, 71, 14, kField},
        {0xFFFF, kStatic, "&Password:", 7, 67, 58, 8, kLabel},
        {IDC_PASSWORD, kEdit, "", 7, 77, 71, 14, kField | ES_PASSWORD},
        {0xFFFF, kStatic, "&Confirm Password:", 7, 98, 87, 8, kLabel},
        {IDC_CONFIRM_PASSWORD, kEdit, "", 7, 109, 72, 14, kField | ES_PASSWORD},
        {IDOK, kButton, "OK", 173, 7, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDCANCEL, kButton, "Cancel", 173, 26, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
        {IDC_DOMAIN_NAME, kEdit, "", 7, 142, 71, 14, kField},
        {IDC_REQUIRES_DOMAIN, kButton, "ISP Requires NT Domain Name:", 7, 130, 118, 10,
         kChild | BS_AUTOCHECKBOX | WS_TABSTOP},
    };
    ASSERT_EQ(t.controls.size(), std::size(expected));
    for (size_t i = 0; i < t.controls.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i) + " (" + std::to_string(expected[i].id) + ")");
        const ControlTemplate& c = t.controls[i];
        EXPECT_EQ(c.id, expected[i].id);
        EXPECT_EQ(c.classAtom, expected[i].classAtom);
        EXPECT_EQ(c.text, expected[i].text);
        EXPECT_EQ(c.x, expected[i].x);
        EXPECT_EQ(c.y, expected[i].y);
        EXPECT_EQ(c.cx, expected[i].cx);
        EXPECT_EQ(c.cy, expected[i].cy);
        EXPECT_EQ(c.style, expected[i].style) << std::hex << c.style;
    }
}

}  // namespace
}  // namespace netprep
