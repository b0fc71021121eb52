// The message dialog's template as the executable carries it: the dialog
// manager builds the window from these exact bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

// A reader over an extended dialog template (DLGTEMPLATEEX and its items).
class TemplateReader {
 public:
  TemplateReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}
  bool ok() const { return m_ok; }

  WORD Word() {
    WORD value = 0;
    Read(&value, sizeof(value));
    return value;
  }
  DWORD Dword() {
    DWORD value = 0;
    Read(&value, sizeof(value));
    return value;
  }
  BYTE Byte() {
    BYTE value = 0;
    Read(&value, sizeof(value));
    return value;
  }
  // A string or an ordinal (0xFFFF then the number), written as "#n".
  std::wstring StringOrOrdinal() {
    if (Peek() == 0xFFFF) {
      Word();
      return L"#" + std::to_wstring(Word());
    }
    return String();
  }
  std::wstring String() {
    std::wstring text;
    for (WORD c = Word(); m_ok && c; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }
  void AlignDword() { m_offset = (m_offset + 3) & ~static_cast<size_t>(3); }
  void Skip(size_t bytes) { m_offset += bytes; }

 private:
  WORD Peek() {
    WORD value = 0;
    if (m_offset + 2 <= m_size) std::memcpy(&value, m_data + m_offset, 2);
    return value;
  }
  void Read(void* out, size_t bytes) {
    if (m_offset + bytes > m_size) {
      m_ok = false;
      return;
    }
    std::memcpy(out, m_data + m_offset, bytes);
    m_offset += bytes;
  }

  const BYTE* m_data;
  size_t m_size;
  size_t m_offset = 0;
  bool m_ok = true;
};

struct Item {
  DWORD helpId, exStyle, style;
  short x, y, cx, cy;
  DWORD id;
  std::wstring className, text;
  WORD extraBytes;
};

struct Template {
  WORD version, signature;
  DWORD helpId, exStyle, style;
  WORD itemCount;
  short x, y, cx, cy;
  std::wstring menu, className, caption;
  WORD pointSize, weight;
  BYTE italic, charset;
  std::wstring face;
  std::vector<Item> items;
};

bool ReadTemplate(Template* t) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_MSGDLG), RT_DIALOG);
  if (!found) return false;
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  TemplateReader r(data, SizeofResource(nullptr, found));
  t->version = r.Word();
  t->signature = r.Word();
  t->helpId = r.Dword();
  t->exStyle = r.Dword();
  t->style = r.Dword();
  t->itemCount = r.Word();
  t->x = r.Word(), t->y = r.Word(), t->cx = r.Word(), t->cy = r.Word();
  t->menu = r.StringOrOrdinal();
  t->className = r.StringOrOrdinal();
  t->caption = r.String();
  t->pointSize = r.Word();
  t->weight = r.Word();
  t->italic = r.Byte();
  t->charset = r.Byte();
  t->face = r.String();
  for (WORD i = 0; i < t->itemCount && r.ok(); ++i) {
    r.AlignDword();
    Item item;
    item.helpId = r.Dword();
    item.exStyle = r.Dword();
    item.style = r.Dword();
    item.x = r.Word(), item.y = r.Word(), item.cx = r.Word(), item.cy = r.Word();
    item.id = r.Dword();
    item.className = r.StringOrOrdinal();
    item.text = r.StringOrOrdinal();
    item.extraBytes = r.Word();
    r.Skip(item.extraBytes);
    t->items.push_back(item);
  }
  return r.ok();
}

// The dialog manager builds the window from these bytes; what matters is what
// a wrong bit would break: a frame or caption over the artwork, no taskbar
// button, the font the text is measured in, the controls the code binds.
TEST(MessageDialogTemplate, HeaderIsABorderlessCaptionlessAppWindow) {
  Template t;
  ASSERT_TRUE(ReadTemplate(&t));
  EXPECT_EQ(t.signature, 0xFFFF) << "not an extended template";
  EXPECT_EQ(t.style & (WS_POPUP | WS_VISIBLE | DS_SETFONT),
            static_cast<DWORD>(WS_POPUP | WS_VISIBLE | DS_SETFONT));
  EXPECT_EQ(t.style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | DS_MODALFRAME), 0u);
  EXPECT_EQ(t.exStyle & WS_EX_APPWINDOW, static_cast<DWORD>(WS_EX_APPWINDOW));
  EXPECT_EQ(t.itemCount, 5);
  EXPECT_EQ(t.caption, L"");
  EXPECT_EQ(t.pointSize, 9);
  EXPECT_EQ(t.face, L"MS UI Gothic");
}

TEST(MessageDialogTemplate, ItemsInOrderWithTheClassesAndStylesTheCodeReliesOn) {
  // Classes are the system's atoms: 0x80 button, 0x82 static.
  const struct {
    DWORD id;
    const wchar_t* className;
    DWORD style;  // bits that must be set
  } expected[] = {
      {IDC_MSG_TITLE, L"#130", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE},
      // Visible, so that screen readers read the message; it paints nothing.
      {IDC_MSG_TEXT, L"#130", WS_CHILD | WS_VISIBLE},
      {IDOK, L"#128", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},
      {IDCANCEL, L"#128", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},
      {IDC_MSG_CLOSE, L"#128", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},
  };
  Template t;
  ASSERT_TRUE(ReadTemplate(&t));
  ASSERT_EQ(t.items.size(), 5u);
  for (size_t i = 0; i < t.items.size(); ++i) {
    const Item& got = t.items[i];
    SCOPED_TRACE(testing::Message() << "item " << i);
    EXPECT_EQ(got.id, expected[i].id);
    EXPECT_EQ(got.className, expected[i].className);
    EXPECT_EQ(got.style & expected[i].style, expected[i].style) << std::hex << got.style;
  }
  // The one size the dialog keeps from the template: the title's line.
  EXPECT_EQ(t.items[0].cx, 206);
  EXPECT_EQ(t.items[0].cy, 21);
}

}  // namespace
