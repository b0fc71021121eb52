// The style word of a message request: which buttons, labels, icon, sound
// and close result each button set and icon class gives.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "ui/msg_style.h"

namespace {

struct ButtonSetCase {
  UINT set;
  bool single;
  bool yesNo;
  UINT leftLabel;
  UINT rightLabel;
  INT_PTR closeResult;
};

const ButtonSetCase kButtonSets[] = {
    {0, true, false, IDS_BTN_OK, IDS_BTN_OK, IDCANCEL},
    {1, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {2, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {3, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {4, false, true, IDS_BTN_YES, IDS_BTN_NO, IDNO},
    {5, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {6, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {7, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {8, false, false, IDS_BTN_UPDATE, IDS_BTN_CANCEL, IDCANCEL},
    {9, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {10, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {11, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {12, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {13, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {14, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
    {15, false, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL},
};

// Neither the icon class nor bits above the low byte change the buttons.
const UINT kUnrelatedBits[] = {0x00, 0x10, 0x20, 0x30, 0x40, 0xF0, 0x100, 0x4000, 0xFFFFFF00};

TEST(MessageStyle, ButtonSetsGiveTheirButtonsLabelsAndCloseResult) {
  for (const ButtonSetCase& c : kButtonSets) {
    for (UINT bits : kUnrelatedBits) {
      const UINT style = c.set | bits;
      SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << style);
      EXPECT_EQ(MessageButtonSet(style), c.set);
      EXPECT_EQ(IsSingleButtonStyle(style), c.single);
      EXPECT_EQ(IsYesNoStyle(style), c.yesNo);
      const MessageLabels labels = MessageLabelsFor(style);
      EXPECT_EQ(labels.left, c.leftLabel);
      EXPECT_EQ(labels.right, c.rightLabel);
      EXPECT_EQ(CloseButtonResult(style), c.closeResult);
    }
  }
}

struct IconCase {
  UINT iconClass;
  WORD image;
  UINT sound;
};

const IconCase kIconClasses[] = {
    {0x00, IDR_PNG_WARNING, MB_ICONWARNING},  {0x10, IDR_PNG_ERROR, MB_ICONERROR},
    {0x20, IDR_PNG_WARNING, MB_ICONWARNING},  {0x30, IDR_PNG_WARNING, MB_ICONWARNING},
    {0x40, IDR_PNG_INFO, MB_ICONINFORMATION}, {0x50, IDR_PNG_WARNING, MB_ICONWARNING},
    {0x60, IDR_PNG_WARNING, MB_ICONWARNING},  {0x70, IDR_PNG_WARNING, MB_ICONWARNING},
    {0x80, IDR_PNG_WARNING, MB_ICONWARNING},  {0x90, IDR_PNG_WARNING, MB_ICONWARNING},
    {0xA0, IDR_PNG_WARNING, MB_ICONWARNING},  {0xB0, IDR_PNG_WARNING, MB_ICONWARNING},
    {0xC0, IDR_PNG_WARNING, MB_ICONWARNING},  {0xD0, IDR_PNG_WARNING, MB_ICONWARNING},
    {0xE0, IDR_PNG_WARNING, MB_ICONWARNING},  {0xF0, IDR_PNG_WARNING, MB_ICONWARNING},
};

TEST(MessageStyle, IconClassesGiveTheirPictureAndSound) {
  for (const IconCase& c : kIconClasses) {
    for (UINT bits : {0x0u, 0x1u, 0x4u, 0x8u, 0xFu, 0x100u, 0x1000u, 0xFFFFFF00u}) {
      const UINT style = c.iconClass | bits;
      SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << style);
      const MessageIcon icon = MessageIconFor(style);
      EXPECT_EQ(icon.imageId, c.image);
      EXPECT_EQ(icon.sound, c.sound);
    }
  }
}

}  // namespace
