// Resource images decoded by the platform's own GDI+ through our stream: the
// artwork's sizes and colours, and the holder's handling of missing, foreign
// and broken resources.
#include <gtest/gtest.h>
#include <windows.h>

#include "afxwin_app.h"
#include "res/resource.h"
#include "support/image_test_ids.h"
#include "support/watching_stream.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/pixel_canvas.h"
#include "ui/gdiplus_api.h"
#include "ui/memory_stream.h"
#include "ui/resource_image.h"

namespace {

class ResourceImageTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartGdiplus()); }
};

// Draws the whole image at (0, 0) on a canvas of its size filled with
// `background`. Returns the drawing call's status.
gdiplus_flat::GpStatus DrawOn(const ResourceImage& image, PixelCanvas& canvas) {
  gdiplus_flat::GpGraphics* graphics = nullptr;
  EXPECT_EQ(gdiplus_flat::Ok, g_gdiplusApi.GdipCreateFromHDC(canvas.Dc(), &graphics));
  const gdiplus_flat::GpStatus status = g_gdiplusApi.GdipDrawImagePointRectI(
      graphics, image.m_pBitmap ? image.m_pBitmap->GetNativeImage() : nullptr, 0, 0, 0, 0,
      image.m_nWidth, image.m_nHeight, gdiplus_flat::UnitPixel);
  g_gdiplusApi.GdipDeleteGraphics(graphics);
  return status;
}

struct Artwork {
  const char* name;
  WORD id;
  int width;
  int height;
};

const Artwork kArtwork[] = {
    {"close", IDR_PNG_CLOSE, 180, 36},
    {"button", IDR_PNG_BUTTON, 615, 52},
    {"background", IDR_PNG_BACKGROUND, expected::kDialogWidth, expected::kDialogHeight},
    {"info", IDR_PNG_INFO, 83, 75},
    {"warning", IDR_PNG_WARNING, 83, 75},
    {"error", IDR_PNG_ERROR, 83, 75},
};

TEST_F(ResourceImageTest, DecodesEveryArtworkAtItsSize) {
  for (const Artwork& art : kArtwork) {
    SCOPED_TRACE(art.name);
    ResourceImage image;
    ASSERT_TRUE(image.Load(art.id));
    ASSERT_NE(nullptr, image.m_pBitmap);
    ASSERT_NE(nullptr, image.m_pBitmap->GetNativeImage());
    EXPECT_EQ(art.width, image.m_nWidth);
    EXPECT_EQ(art.height, image.m_nHeight);
    EXPECT_EQ(Gdiplus::Ok, image.m_pBitmap->GetLastStatus());
    ASSERT_NE(nullptr, image.m_pStream);
  }
}

// A pixel the artwork must have: opaque ones show `colour` on any
// background, transparent ones show the background itself.
struct Sample {
  const char* what;
  WORD id;
  int x;
  int y;
  COLORREF colour;  // kTransparent: the background shows through
};
constexpr COLORREF kTransparent = 0xFF000000;

const Sample kSamples[] = {
    {"close frame 0 cross", IDR_PNG_CLOSE, 17, 17, RGB(0xFF, 0xFF, 0xFF)},
    {"close frame 1 cross", IDR_PNG_CLOSE, 36 + 17, 17, RGB(0xFF, 0x7F, 0x7F)},
    {"close frame 2 cross", IDR_PNG_CLOSE, 72 + 17, 17, RGB(0xFF, 0x00, 0x00)},
    {"close frame 3 cross", IDR_PNG_CLOSE, 108 + 17, 17, RGB(0xFF, 0xFF, 0xFF)},
    {"close frame 4 cross", IDR_PNG_CLOSE, 144 + 17, 17, RGB(0x50, 0x54, 0x51)},
    {"close frame 0 corner", IDR_PNG_CLOSE, 0, 0, kTransparent},
    {"close frame 4 corner", IDR_PNG_CLOSE, 144, 0, kTransparent},
    {"button frame 0 fill", IDR_PNG_BUTTON, 61, 26, RGB(0x19, 0x19, 0x19)},
    {"button frame 1 fill", IDR_PNG_BUTTON, 123 + 61, 26, RGB(0x67, 0x9B, 0xBE)},
    {"button frame 2 fill", IDR_PNG_BUTTON, 246 + 61, 26, RGB(0x01, 0x60, 0xC1)},
    {"button frame 3 fill", IDR_PNG_BUTTON, 369 + 61, 26, RGB(0x00, 0x00, 0x00)},
    {"button frame 4 fill", IDR_PNG_BUTTON, 492 + 61, 26, RGB(0x19, 0x19, 0x19)},
    {"button frame 0 outline", IDR_PNG_BUTTON, 1, 26, RGB(0xFF, 0xFF, 0xFF)},
    {"button frame 2 outline", IDR_PNG_BUTTON, 246, 26, RGB(0xFF, 0xFF, 0xFF)},
    {"button frame 3 edge", IDR_PNG_BUTTON, 369, 26, RGB(0x00, 0xFF, 0xEA)},
    {"button frame 4 outline", IDR_PNG_BUTTON, 492 + 1, 26, RGB(0x50, 0x54, 0x51)},
    {"button frame 0 corner", IDR_PNG_BUTTON, 0, 0, kTransparent},
    {"button frame 4 corner", IDR_PNG_BUTTON, 492, 0, kTransparent},
    {"background frame top", IDR_PNG_BACKGROUND, 300, 0, RGB(0xFF, 0xFF, 0xFF)},
    {"background frame left", IDR_PNG_BACKGROUND, 0, 200, RGB(0xFF, 0xFF, 0xFF)},
    {"background band", IDR_PNG_BACKGROUND, 300, 40, RGB(0, 0, 0)},
    {"background band last row", IDR_PNG_BACKGROUND, 300, 75, RGB(0, 0, 0)},
    {"background rule", IDR_PNG_BACKGROUND, 300, 76, RGB(0x6B, 0x6B, 0x6B)},
    {"background body", IDR_PNG_BACKGROUND, 300, 200, RGB(0x19, 0x19, 0x19)},
    {"info disc", IDR_PNG_INFO, 20, 37, RGB(0x00, 0x78, 0xD7)},
    {"info letter", IDR_PNG_INFO, 41, 35, RGB(0xFF, 0xFF, 0xFF)},
    {"info outside", IDR_PNG_INFO, 0, 0, kTransparent},
    {"warning triangle", IDR_PNG_WARNING, 30, 58, RGB(0xFF, 0xFF, 0x00)},
    {"warning mark", IDR_PNG_WARNING, 41, 40, RGB(0x20, 0x20, 0x20)},
    {"warning outside", IDR_PNG_WARNING, 0, 0, kTransparent},
    {"error disc", IDR_PNG_ERROR, 56, 22, RGB(0xFF, 0xFF, 0xFF)},
    {"error ring", IDR_PNG_ERROR, 41, 6, RGB(0xEE, 0x1A, 0x22)},
    {"error outside", IDR_PNG_ERROR, 0, 0, kTransparent},
};

TEST_F(ResourceImageTest, DecodedPixelsHaveTheArtworkColours) {
  // Two backgrounds tell opaque pixels (same on both) from transparent ones.
  const COLORREF backgrounds[] = {RGB(0x12, 0x34, 0x56), RGB(0xED, 0xCB, 0xA9)};
  for (const Sample& sample : kSamples) {
    SCOPED_TRACE(sample.what);
    ResourceImage image;
    ASSERT_TRUE(image.Load(sample.id));
    for (COLORREF background : backgrounds) {
      PixelCanvas canvas(image.m_nWidth, image.m_nHeight, background);
      ASSERT_EQ(gdiplus_flat::Ok, DrawOn(image, canvas));
      const COLORREF expected = sample.colour == kTransparent ? background : sample.colour;
      EXPECT_EQ(ColourName(expected), ColourName(canvas.At(sample.x, sample.y)));
    }
  }
}

TEST_F(ResourceImageTest, MissingResourceLeavesTheHolderEmpty) {
  ResourceImage image;
  EXPECT_FALSE(image.Load(IDR_TEST_MISSING));
  EXPECT_EQ(nullptr, image.m_pStream);
  EXPECT_EQ(nullptr, image.m_pBitmap);
  EXPECT_EQ(0, image.m_nWidth);
  EXPECT_EQ(0, image.m_nHeight);
}

TEST_F(ResourceImageTest, UndecodableBytesGiveAnEmptyImageThatDrawsNothing) {
  struct Case {
    const char* name;
    WORD id;
  };
  const Case cases[] = {{"text", IDR_TEST_NOT_AN_IMAGE}, {"truncated PNG", IDR_TEST_TRUNCATED_PNG}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResourceImage image;
    ASSERT_TRUE(image.Load(c.id));
    ASSERT_NE(nullptr, image.m_pBitmap);
    EXPECT_EQ(nullptr, image.m_pBitmap->GetNativeImage());
    EXPECT_NE(Gdiplus::Ok, image.m_pBitmap->GetLastStatus());
    EXPECT_EQ(0, image.m_nWidth);
    EXPECT_EQ(0, image.m_nHeight);
    EXPECT_NE(nullptr, image.m_pStream) << "the stream stays with its bitmap object";
    PixelCanvas canvas(8, 8, RGB(1, 2, 3));
    EXPECT_NE(gdiplus_flat::Ok, DrawOn(image, canvas));
    EXPECT_TRUE(canvas.AllOf(0, 0, 8, 8, RGB(1, 2, 3)));
  }
}

TEST_F(ResourceImageTest, ResetEmptiesAndDropsTheStream) {
  ResourceImage image;
  ASSERT_TRUE(image.Load(IDR_PNG_INFO));
  IStream* stream = image.m_pStream;
  stream->AddRef();
  image.Reset();
  EXPECT_EQ(nullptr, image.m_pStream);
  EXPECT_EQ(nullptr, image.m_pBitmap);
  EXPECT_EQ(0, image.m_nWidth);
  EXPECT_EQ(0, image.m_nHeight);
  EXPECT_EQ(0u, stream->Release()) << "holder and decoder gave their references back";
  image.Reset();  // an empty holder: nothing happens
  EXPECT_EQ(nullptr, image.m_pStream);
}

TEST_F(ResourceImageTest, DestructionReleasesTheStream) {
  IStream* stream = nullptr;
  {
    ResourceImage image;
    ASSERT_TRUE(image.Load(IDR_PNG_WARNING));
    stream = image.m_pStream;
    stream->AddRef();
  }
  EXPECT_EQ(0u, stream->Release());
}

TEST_F(ResourceImageTest, LoadingAgainReleasesTheFirstImageBeforeOpeningTheSecond) {
  struct Case {
    const char* name;
    WORD second;
    bool loads;
  };
  const Case cases[] = {
      {"another image", IDR_PNG_ERROR, true},
      {"a missing id", IDR_TEST_MISSING, false},
      {"the same image", IDR_PNG_INFO, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResourceImage image;
    ASSERT_TRUE(image.Load(IDR_PNG_INFO));
    IStream* original = image.m_pStream;
    WatchingStream<ResourceImage> watcher(original, &image);
    image.m_pStream = &watcher;  // the holder's reference now lands here
    EXPECT_EQ(c.loads, image.Load(c.second));
    EXPECT_TRUE(watcher.m_released);
    EXPECT_TRUE(watcher.m_bitmapGoneFirst);
    EXPECT_TRUE(watcher.m_nothingNewYet);
    EXPECT_NE(&watcher, image.m_pStream);
    EXPECT_EQ(c.loads ? 83 : 0, image.m_nWidth);
    original->Release();  // the reference the watcher took over
  }
}

TEST_F(ResourceImageTest, UsesTheApplicationObjectsModule) {
  CWinApp app;
  app.m_hInstance = GetModuleHandleW(L"kernel32.dll");  // has no artwork
  ResourceImage image;
  EXPECT_FALSE(image.Load(IDR_PNG_INFO));
  app.m_hInstance = GetModuleHandleW(nullptr);
  EXPECT_TRUE(image.Load(IDR_PNG_INFO));
  EXPECT_EQ(83, image.m_nWidth);
}

void* WINAPI NoMemory(SIZE_T) { return nullptr; }

TEST_F(ResourceImageTest, NoMemoryForTheBitmapObjectLeavesTheHolderEmpty) {
  const GdiplusApi saved = g_gdiplusApi;
  g_gdiplusApi.GdipAlloc = &NoMemory;
  ResourceImage image;
  const bool loaded = image.Load(IDR_PNG_INFO);
  g_gdiplusApi = saved;
  EXPECT_FALSE(loaded);
  EXPECT_EQ(nullptr, image.m_pStream);
  EXPECT_EQ(nullptr, image.m_pBitmap);
  EXPECT_EQ(0, image.m_nWidth);
}

TEST_F(ResourceImageTest, BitmapFromANullStreamHoldsNoImage) {
  Gdiplus::Bitmap* bitmap = new Gdiplus::Bitmap(nullptr);
  ASSERT_NE(nullptr, bitmap);
  EXPECT_EQ(nullptr, bitmap->GetNativeImage());
  EXPECT_NE(Gdiplus::Ok, bitmap->GetLastStatus());
  EXPECT_EQ(Gdiplus::Ok, bitmap->GetLastStatus()) << "reading the status resets it";
  EXPECT_EQ(0u, bitmap->GetWidth());
  EXPECT_NE(Gdiplus::Ok, bitmap->GetLastStatus()) << "a failed query records its status";
  delete bitmap;
}

}  // namespace
