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

TEST(MessageDialogTemplate, HeaderIsABorderlessCaptionlessAppWindow) {
  Template t;
  ASSERT_TRUE(ReadTemplate(&t));
  EXPECT_EQ(t.version, 1);
  EXPECT_EQ(t.signature, 0xFFFF);
  EXPECT_EQ(t.helpId, 0u);
  EXPECT_EQ(t.exStyle, 0x00040000u);
  EXPECT_EQ(t.style, 0x90080040u);
  EXPECT_EQ(t.itemCount, 5);
  EXPECT_EQ(t.x, 0);
  EXPECT_EQ(t.y, 0);
  EXPECT_EQ(t.cx, 251);
  EXPECT_EQ(t.cy, 272);
  EXPECT_EQ(t.menu, L"");
  EXPECT_EQ(t.className, L"");
  EXPECT_EQ(t.caption, L"");
  EXPECT_EQ(t.pointSize, 9);
  EXPECT_EQ(t.weight, 0);
  EXPECT_EQ(t.italic, 0);
  EXPECT_EQ(t.charset, 1);
  EXPECT_EQ(t.face, L"MS UI Gothic");
}

TEST(MessageDialogTemplate, ItemsInOrderWithClassTextStyleAndRectangle) {
  // Classes are the system's atoms: 0x80 button, 0x82 static.
  const Item expected[] = {
      {0, 0, 0x50020200, 7, 0, 206, 21, IDC_MSG_TITLE, L"#130", L"xxxxxxxxxxxxxxxxxxxx", 0},
      {0, 0, 0x50020000, 79, 57, 142, 72, IDC_MSG_TEXT, L"#130", L"xxxxx", 0},
      {0, 0, 0x5001000B, 155, 172, 43, 15, IDOK, L"#128", L"", 0},
      {0, 0, 0x5001000B, 201, 172, 43, 15, IDCANCEL, L"#128", L"", 0},
      {0, 0, 0x5001000B, 228, 4, 16, 19, IDC_MSG_CLOSE, L"#128", L"", 0},
  };
  Template t;
  ASSERT_TRUE(ReadTemplate(&t));
  ASSERT_EQ(t.items.size(), 5u);
  for (size_t i = 0; i < t.items.size(); ++i) {
    const Item& got = t.items[i];
    const Item& want = expected[i];
    SCOPED_TRACE(testing::Message() << "item " << i);
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.helpId, 0u);
    EXPECT_EQ(got.exStyle, 0u);
    EXPECT_EQ(got.style, want.style) << std::hex << got.style;
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.cx, want.cx);
    EXPECT_EQ(got.cy, want.cy);
    EXPECT_EQ(got.className, want.className);
    EXPECT_EQ(got.text, want.text);
    EXPECT_EQ(got.extraBytes, 0);
  }
}

}  // namespace
