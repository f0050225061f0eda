// The decode worker: newest first, one wake-up per burst, the shutdown rule,
// and real photos delivered to a window.
#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "decode_image.h"
#include "decoder_harness_win.h"
#include "orientation.h"
#include "photo_pixels_win.h"
#include "read_orientation.h"

namespace {

TEST(DecodeWorker, WaitingRequestsAreServedNewestFirst) {
  ScriptedDecoder decoder;
  decoder.Start();
  const int held = decoder.Enqueue(Item(L"hold"));
  ASSERT_TRUE(decoder.WaitHolding());
  const int a = decoder.Enqueue(Item(L"first"));
  const int b = decoder.Enqueue(Item(L"second"));
  const int c = decoder.Enqueue(Item(L"third"));
  EXPECT_LT(held, a);
  EXPECT_EQ(a + 1, b);
  EXPECT_EQ(b + 1, c);
  decoder.Release();
  ASSERT_TRUE(decoder.WaitDelivered(4));
  EXPECT_EQ((std::vector<std::wstring>{L"hold", L"third", L"second", L"first"}), decoder.Order());
  EXPECT_EQ(0, g_itemsAlive);
}

TEST(DecodeWorker, OnlyTheFirstRequestOfABurstWakesTheWorker) {
  ScriptedDecoder decoder;
  decoder.Start();
  decoder.PostNotify();  // keeps the worker busy while the burst is queued
  ASSERT_TRUE(decoder.WaitHolding());
  for (const wchar_t* name : {L"1", L"2", L"3"}) decoder.Enqueue(Item(name));
  decoder.Release();
  ASSERT_TRUE(decoder.WaitDelivered(3));
  EXPECT_EQ(1, decoder.WakeUps());
  EXPECT_EQ((std::vector<std::wstring>{L"3", L"2", L"1"}), decoder.Order());
}

TEST(DecodeWorker, DestroyingItWithTenWaitingFinishesOnlyTheOneInProgress) {
  std::unique_ptr<ScriptedDecoder> decoder(new ScriptedDecoder);
  decoder->Start();
  decoder->Enqueue(Item(L"hold"));
  ASSERT_TRUE(decoder->WaitHolding());
  for (int i = 0; i < 10; ++i) decoder->Enqueue(Item(L"waiting"));
  g_delivered = 0;
  decoder.reset();  // raises the stop flag, which lets "hold" finish
  EXPECT_EQ(1, g_delivered);
  EXPECT_EQ(0, g_itemsAlive);
}

TEST(DecodeWorker, RequestsQueuedBeforeStartAreServed) {
  ScriptedDecoder decoder;
  decoder.Enqueue(Item(L"early 1"));
  decoder.Enqueue(Item(L"early 2"));
  decoder.Start();
  ASSERT_TRUE(decoder.WaitDelivered(2));
  EXPECT_EQ((std::vector<std::wstring>{L"early 2", L"early 1"}), decoder.Order());
}

const wchar_t kTooBig[] = L"too big.jpg";
void RunOutOfMemory(const DecodeItem_CL& item) {
  if (item.path == kTooBig) throw std::bad_alloc();
}

HRESULT g_turnDuringDecode = E_PENDING;
void TurnWhileDecoding(const DecodeItem_CL& item) { g_turnDuringDecode = RotateRight(item.path); }

TEST(DecodeWorker, DeliversUprightThumbnailsToTheWindow) {
  TempDir dir;
  const std::wstring photo = dir.Join(L"縦.jpg");
  ASSERT_TRUE(WriteBytes(photo, JpegWithOrientation(QuadrantPicture(400, 300).get(), 6)));
  Receiver receiver;
  DecodeImage_CL decoder;
  decoder.SetTargetWindow(receiver.Window());
  decoder.Start();

  DecodeImage_CL::ItemPtr request = Item(photo);
  request->cacheKey = 17;
  // The turn opens the photo exclusively right after the worker read it.
  DecodeImage_CL::SetDecodeHookForTests(&TurnWhileDecoding);
  const int sequence = decoder.Enqueue(std::move(request));
  WPARAM got = 0;
  DecodeImage_CL::ItemPtr done = receiver.Next(&got);
  DecodeImage_CL::SetDecodeHookForTests(nullptr);
  ASSERT_TRUE(done);
  EXPECT_EQ(S_OK, g_turnDuringDecode);
  EXPECT_EQ(3, ReadOrientation(photo));
  EXPECT_EQ(static_cast<WPARAM>(sequence), got);
  EXPECT_EQ(17, done->cacheKey);
  ASSERT_TRUE(done->result);
  EXPECT_EQ(192u, done->result->GetWidth());
  EXPECT_EQ(PixelFormat16bppRGB565, done->result->GetPixelFormat());
  // Decoded with the Orientation it was read with (6): the stored top left
  // is shown at the top right, the picture 108 wide at x = 42.
  EXPECT_TRUE(Near(PixelAt(done->result.get(), 42 + 81, 36), kQuadrantColours[0]));
  EXPECT_TRUE(Near(PixelAt(done->result.get(), 42 + 27, 36), kQuadrantColours[2]));
  EXPECT_TRUE(Near(PixelAt(done->result.get(), 20, 72), kBlack, 8));

  // A photo that vanished, or a decode that runs out of memory, yields no
  // thumbnail, and the queue goes on.
  const std::wstring gone = dir.Join(L"gone.jpg");
  DecodeImage_CL::SetDecodeHookForTests(&RunOutOfMemory);
  decoder.Enqueue(Item(gone));
  decoder.Enqueue(Item(photo));
  decoder.Enqueue(Item(gone));
  decoder.Enqueue(Item(kTooBig));
  decoder.Enqueue(Item(kTooBig));
  decoder.Enqueue(Item(photo));
  int thumbnails = 0;
  for (int i = 0; i < 6; ++i) {
    done = receiver.Next(&got);
    ASSERT_TRUE(done) << i;
    EXPECT_EQ(done->path == photo, done->result != nullptr) << i;
    if (done->result) ++thumbnails;
  }
  DecodeImage_CL::SetDecodeHookForTests(nullptr);
  EXPECT_EQ(2, thumbnails);
}

}  // namespace
