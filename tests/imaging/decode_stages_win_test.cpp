// The decoder's two stages (the quick picture from the embedded thumbnail,
// then the full decode) and its several threads.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "decode_image.h"
#include "decoder_harness_win.h"
#include "embedded_picture.h"
#include "jpeg_builder.h"
#include "photo_pixels_win.h"

namespace {

// A 400 x 300 photo whose 160 x 120 embedded thumbnail shows the same
// quadrants, with the Orientation.
Bytes PhotoWithThumbnail(int orientation) {
  BitmapPtr picture = QuadrantPicture(400, 300);
  BitmapPtr small = QuadrantPicture(160, 120);
  return WithExifThumbnail(EncodeJpeg(picture.get()), static_cast<std::uint16_t>(orientation),
                           EncodeJpeg(small.get()));
}

// Both results of one request, as the window receives them.
struct Results {
  std::vector<DecodeImage_CL::ItemPtr> items;  // in arrival order
};

// Pumps until every sequence in wanted has its final result; at most
// `wanted` x 2 deliveries are expected.
std::map<int, Results> Collect(Receiver& receiver, const std::set<int>& wanted) {
  std::map<int, Results> got;
  std::set<int> finals;
  while (finals.size() < wanted.size()) {
    WPARAM sequence = 0;
    DecodeImage_CL::ItemPtr item = receiver.Next(&sequence);
    if (!item) break;
    if (!item->preliminary) finals.insert(item->sequence);
    got[item->sequence].items.push_back(std::move(item));
  }
  return got;
}

TEST(QuickPictures, TheQuickAndTheFinalPictureAreUprightForAllEightOrientations) {
  TempDir dir;
  Receiver receiver;
  DecodeImage_CL decoder;
  decoder.SetTargetWindow(receiver.Window());
  decoder.Start();
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const std::wstring path = dir.Join(L"thumb-" + std::to_wstring(orientation) + L".jpg");
    ASSERT_TRUE(WriteBytes(path, PhotoWithThumbnail(orientation)));
    const int sequence = decoder.Enqueue(Item(path));
    std::map<int, Results> got = Collect(receiver, {sequence});
    std::vector<DecodeImage_CL::ItemPtr>& items = got[sequence].items;
    ASSERT_EQ(2u, items.size()) << orientation;
    EXPECT_TRUE(items[0]->preliminary);
    EXPECT_FALSE(items[1]->preliminary);
    const bool sideways = orientation >= 5;
    for (const DecodeImage_CL::ItemPtr& item : items) {
      ASSERT_TRUE(item->result);
      EXPECT_EQ(192u, item->result->GetWidth());
      EXPECT_EQ(PixelFormat16bppRGB565, item->result->GetPixelFormat());
      const char* what = item->preliminary ? "quick picture" : "final picture";
      if (sideways) {
        ExpectUpright(item->result.get(), orientation, 42, 0, 108, 144, what);
        EXPECT_TRUE(Near(PixelAt(item->result.get(), 20, 72), kBlack, 8)) << what;
      } else {
        ExpectUpright(item->result.get(), orientation, 0, 0, 192, 144, what);
      }
    }
  }
  EXPECT_EQ(0, g_itemsAlive);
}

TEST(QuickPictures, BlackBandsAreCutOffOtherAspectsAreNotTrusted) {
  // A 3:2 photo whose 4:3 thumbnail has the picture between black bands, as
  // cameras store it: drawn 192 x 127 at y = 8 like the full decode.
  BitmapPtr banded(new Gdiplus::Bitmap(160, 120, PixelFormat32bppARGB));
  {
    Gdiplus::Graphics g(banded.get());
    g.Clear(Gdiplus::Color(255, 0, 0, 0));
    BitmapPtr inner = QuadrantPicture(160, 106);
    g.DrawImage(inner.get(), 0, 7, 160, 106);
  }
  BitmapPtr photo = QuadrantPicture(600, 400);
  const Bytes withBands = WithExifThumbnail(EncodeJpeg(photo.get()), 1, EncodeJpeg(banded.get()));
  BitmapPtr quick = EmbeddedThumbnailOf(withBands.data(), withBands.size(), 192, 144);
  ASSERT_TRUE(quick);
  ExpectUpright(quick.get(), 1, 0, 8, 192, 127, "banded thumbnail");
  EXPECT_TRUE(Near(PixelAt(quick.get(), 96, 3), kBlack, 8));

  // The same 3:2 photo with a thumbnail of another picture shape filled to
  // its edges: not the photo, so no quick picture.
  BitmapPtr full = QuadrantPicture(160, 120);
  const Bytes otherShape = WithExifThumbnail(EncodeJpeg(photo.get()), 1, EncodeJpeg(full.get()));
  EXPECT_FALSE(EmbeddedThumbnailOf(otherShape.data(), otherShape.size(), 192, 144));
}

TEST(QuickPictures, UnusableThumbnailsGetOnlyTheFullDecode) {
  BitmapPtr picture = QuadrantPicture(400, 300);
  BitmapPtr small = QuadrantPicture(160, 120);
  const Bytes encoded = EncodeJpeg(picture.get());
  const Bytes thumbnail = EncodeJpeg(small.get());
  const Bytes cut(thumbnail.begin(), thumbnail.begin() + static_cast<long>(thumbnail.size() / 2));
  Bytes garbage(thumbnail.size(), 0x5A);
  garbage[0] = 0xFF;
  garbage[1] = 0xD8;
  garbage[garbage.size() - 2] = 0xFF;
  garbage[garbage.size() - 1] = 0xD9;
  Bytes outside = WithExifThumbnail(encoded, 6, thumbnail);
  // Its offset (right after IFD1's link) pushed past the end of the file.
  {
    const std::size_t offsetField = 2 + 4 + 6 + 8 + 2 + 12 + 4 + 2 + 12 + 8;
    outside[offsetField] = 0xF0;
    outside[offsetField + 1] = 0xFF;
    outside[offsetField + 2] = 0xFF;
  }
  const Bytes cases[] = {JpegWithOrientation(picture.get(), 6), WithExifThumbnail(encoded, 6, cut),
                         WithExifThumbnail(encoded, 6, garbage), outside};
  TempDir dir;
  Receiver receiver;
  DecodeImage_CL decoder;
  decoder.SetTargetWindow(receiver.Window());
  decoder.Start();
  std::set<int> sequences;
  int n = 0;
  for (const Bytes& bytes : cases) {
    const std::wstring path = dir.Join(L"case-" + std::to_wstring(n++) + L".jpg");
    ASSERT_TRUE(WriteBytes(path, bytes));
    EXPECT_FALSE(LoadEmbeddedThumbnail(path, 192, 144)) << n;
    sequences.insert(decoder.Enqueue(Item(path)));
  }
  std::map<int, Results> got = Collect(receiver, sequences);
  ASSERT_EQ(sequences.size(), got.size());
  for (auto& entry : got) {
    ASSERT_EQ(1u, entry.second.items.size());
    const DecodeImage_CL::ItemPtr& item = entry.second.items[0];
    EXPECT_FALSE(item->preliminary);
    ASSERT_TRUE(item->result);
    ExpectUpright(item->result.get(), 6, 42, 0, 108, 144, "full decode");
  }
}

TEST(DecodeStages, EveryQuickPictureComesBeforeAnyFullDecodeNewestFirst) {
  ScriptedDecoder decoder;
  decoder.Start();
  decoder.PostNotify();  // holds the only thread while the requests queue
  ASSERT_TRUE(decoder.WaitHolding());
  decoder.Enqueue(Item(L"quick a"));
  decoder.Enqueue(Item(L"quick b"));
  decoder.Enqueue(Item(L"c"));
  decoder.Release();
  ASSERT_TRUE(decoder.WaitDelivered(5));
  EXPECT_EQ((std::vector<std::wstring>{L"quick:quick b", L"quick:quick a", L"c", L"quick b", L"quick a"}),
            decoder.Order());
  EXPECT_EQ(1, decoder.WakeUps());
}

TEST(DecodeStages, ABurstWakesTheWorkerOnceAtItsEnd) {
  ScriptedDecoder decoder;
  decoder.Start();
  decoder.BeginBurst();
  decoder.Enqueue(Item(L"quick 1"));
  Sleep(100);  // an awake worker would have served it by now
  EXPECT_TRUE(decoder.Order().empty());
  decoder.Enqueue(Item(L"quick 2"));
  decoder.EndBurst();
  ASSERT_TRUE(decoder.WaitDelivered(4));
  EXPECT_EQ((std::vector<std::wstring>{L"quick:quick 2", L"quick:quick 1", L"quick 2", L"quick 1"}), decoder.Order());
  EXPECT_EQ(1, decoder.WakeUps());
}

TEST(DecodeThreads, DecodesStartNewestFirstOnEveryThread) {
  ScriptedDecoder decoder(2, 50);
  decoder.Start();
  ASSERT_EQ(2, decoder.ThreadCount());
  decoder.Enqueue(Item(L"hold"));
  decoder.Enqueue(Item(L"hold"));
  ASSERT_TRUE(decoder.WaitHolding(2));
  for (const wchar_t* name : {L"1", L"2", L"3", L"4", L"5", L"6"}) decoder.Enqueue(Item(name));
  decoder.Release();
  ASSERT_TRUE(decoder.WaitDelivered(8));
  const std::vector<std::wstring> started = decoder.Started();
  ASSERT_EQ(8u, started.size());
  // Two threads take the two newest together, then the next two, and so on.
  EXPECT_EQ((std::set<std::wstring>{L"6", L"5"}), (std::set<std::wstring>{started[2], started[3]}));
  EXPECT_EQ((std::set<std::wstring>{L"4", L"3"}), (std::set<std::wstring>{started[4], started[5]}));
  EXPECT_EQ((std::set<std::wstring>{L"2", L"1"}), (std::set<std::wstring>{started[6], started[7]}));
}

TEST(DecodeThreads, DestroyingItFinishesAtMostOneDecodePerThread) {
  std::unique_ptr<ScriptedDecoder> decoder(new ScriptedDecoder(3));
  decoder->Start();
  for (int i = 0; i < 3; ++i) decoder->Enqueue(Item(L"hold"));
  ASSERT_TRUE(decoder->WaitHolding(3));
  for (int i = 0; i < 40; ++i) decoder->Enqueue(Item(i % 2 ? L"quick waiting" : L"waiting"));
  g_delivered = 0;
  decoder.reset();  // the stop flag lets the three "hold" finish
  EXPECT_EQ(3, g_delivered);
  EXPECT_EQ(0, g_itemsAlive);
}

TEST(DecodeThreads, NoResultIsLostOrDeliveredTwiceAsFinal) {
  TempDir dir;
  const std::wstring withThumbnail = dir.Join(L"with.jpg");
  const std::wstring without = dir.Join(L"without.jpg");
  ASSERT_TRUE(WriteBytes(withThumbnail, PhotoWithThumbnail(6)));
  BitmapPtr picture = QuadrantPicture(400, 300);
  ASSERT_TRUE(WriteBytes(without, JpegWithOrientation(picture.get(), 3)));
  Receiver receiver;
  DecodeImage_CL decoder;
  decoder.SetThreadCount(4);
  decoder.SetTargetWindow(receiver.Window());
  decoder.Start();
  std::set<int> sequences;
  for (int i = 0; i < 40; ++i) sequences.insert(decoder.Enqueue(Item(i % 3 ? withThumbnail : without)));
  ASSERT_EQ(40u, sequences.size());
  std::map<int, Results> got = Collect(receiver, sequences);
  ASSERT_EQ(40u, got.size());
  for (auto& entry : got) {
    EXPECT_EQ(1u, sequences.count(entry.first));
    const std::vector<DecodeImage_CL::ItemPtr>& items = entry.second.items;
    const bool quick = items[0]->path == withThumbnail;
    // A quick picture, then the final one; or only the final one.
    ASSERT_EQ(quick ? 2u : 1u, items.size()) << entry.first;
    EXPECT_EQ(quick, items[0]->preliminary);
    EXPECT_FALSE(items.back()->preliminary);
    EXPECT_TRUE(items.back()->result);
  }
  // Nothing more arrives.
  MSG msg;
  Sleep(200);
  EXPECT_FALSE(PeekMessageW(&msg, receiver.Window(), WM_DECODE_DONE, WM_DECODE_DONE, PM_NOREMOVE));
}

}  // namespace
