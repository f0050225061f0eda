// The memory all decoders share: taken before a decode, given back with its
// pixels, never exceeded by decoders running together.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "decode_budget.h"
#include "encode_jpeg.h"
#include "jpeg_decode.h"

namespace {

TEST(DecodeBudget, DecodersTogetherNeverHoldMoreThanTheBudget) {
  DecodeBudget_CL budget(100);
  EXPECT_FALSE(budget.Reserve(101, 1000));  // never fits: refused at once
  {
    DecodeBudget_CL::Reservation most = budget.Reserve(80, 0);
    ASSERT_TRUE(most);
    EXPECT_FALSE(budget.Reserve(30, 0));
    // A decoder waiting gets its share as soon as the other gives it back.
    std::thread giver([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      most.ShrinkTo(50);
    });
    EXPECT_TRUE(budget.Reserve(30, 5000));
    giver.join();
    EXPECT_EQ(50u, most.Bytes());
  }
  EXPECT_EQ(0u, budget.InUse());

  // Five decoders (the strip's four and the preview's), one of them with a
  // photo that needs most of the budget: it is not passed over for ever.
  std::atomic<bool> exceeded{false};
  std::atomic<int> refused{0};
  std::vector<std::thread> decoders;
  for (int t = 0; t < 5; ++t) {
    decoders.emplace_back([&, t] {
      for (int i = 0; i < 40; ++i) {
        DecodeBudget_CL::Reservation held = budget.Reserve(t == 0 ? 90 : 30, 2000);
        if (!held) {
          ++refused;
          continue;
        }
        if (budget.InUse() > budget.Total()) exceeded = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    });
  }
  for (std::thread& d : decoders) d.join();
  EXPECT_FALSE(exceeded);
  EXPECT_EQ(0, refused);
  EXPECT_EQ(0u, budget.InUse());

  // The decoder takes what the chosen scale needs, and its pixels hold their
  // share until they go.
  const Bytes photo = EncodeQuadrants(640, 480, kBaseline);
  JpegTarget cell;
  cell.rule = kJpegThumbnail;
  cell.width = 160;
  cell.height = 120;
  JpegLimits limits;
  limits.budget = &budget;
  UprightPixels pixels;
  EXPECT_EQ(JpegOutcome_EN::kOutOfMemory, DecodeJpegUpright(photo.data(), photo.size(), 1, cell, &pixels, limits));
  DecodeBudget_CL roomy(64u << 20);
  limits.budget = &roomy;
  ASSERT_EQ(JpegOutcome_EN::kDecoded, DecodeJpegUpright(photo.data(), photo.size(), 1, cell, &pixels, limits));
  EXPECT_EQ(160u * 120u * 4u, roomy.InUse());
  pixels = UprightPixels();
  EXPECT_EQ(0u, roomy.InUse());
}

}  // namespace
