// The style word of a message request: which buttons, labels, icon, sound
// and close result it gives. The cases are the launcher's own two words and
// each rule a wrong mask or a missing case would break.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "ui/msg_style.h"

namespace {

TEST(MessageStyle, EachWordGivesItsButtonsLabelsIconSoundAndCloseResult) {
  const struct {
    const char* name;
    UINT style;
    bool single;
    UINT leftLabel;
    UINT rightLabel;
    INT_PTR closeResult;
    WORD image;
    UINT sound;
  } cases[] = {
      {"unsupported Windows, a failure", MB_ICONERROR | MB_OK, true, IDS_BTN_OK, IDS_BTN_OK,
       IDCANCEL, IDR_PNG_ERROR, MB_ICONERROR},
      {"the update question", MB_ICONINFORMATION | MB_OKCANCEL, false, IDS_BTN_OK, IDS_BTN_CANCEL,
       IDCANCEL, IDR_PNG_INFO, MB_ICONINFORMATION},
      {"yes and no close with no", MB_ICONWARNING | MB_YESNO, false, IDS_BTN_YES, IDS_BTN_NO, IDNO,
       IDR_PNG_WARNING, MB_ICONWARNING},
      {"update and cancel", MSGDLG_UPDATECANCEL, false, IDS_BTN_UPDATE, IDS_BTN_CANCEL, IDCANCEL,
       IDR_PNG_WARNING, MB_ICONWARNING},
      // Sets and classes without a case of their own fall back, whatever the
      // bits above the low byte.
      {"an unknown set", 0x0F, false, IDS_BTN_OK, IDS_BTN_CANCEL, IDCANCEL, IDR_PNG_WARNING,
       MB_ICONWARNING},
      {"the question icon", MB_ICONQUESTION | MB_OK, true, IDS_BTN_OK, IDS_BTN_OK, IDCANCEL,
       IDR_PNG_WARNING, MB_ICONWARNING},
      {"high bits", 0xFFFFFF00 | MB_ICONERROR | MB_YESNO, false, IDS_BTN_YES, IDS_BTN_NO, IDNO,
       IDR_PNG_ERROR, MB_ICONERROR},
      {"an icon class above 0x40", 0x50 | MB_OK, true, IDS_BTN_OK, IDS_BTN_OK, IDCANCEL,
       IDR_PNG_WARNING, MB_ICONWARNING},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsSingleButtonStyle(c.style), c.single);
    EXPECT_EQ(IsYesNoStyle(c.style), c.closeResult == IDNO);
    const MessageLabels labels = MessageLabelsFor(c.style);
    EXPECT_EQ(labels.left, c.leftLabel);
    EXPECT_EQ(labels.right, c.rightLabel);
    EXPECT_EQ(CloseButtonResult(c.style), c.closeResult);
    const MessageIcon icon = MessageIconFor(c.style);
    EXPECT_EQ(icon.imageId, c.image);
    EXPECT_EQ(icon.sound, c.sound);
  }
}

}  // namespace
