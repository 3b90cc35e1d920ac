#include <gtest/gtest.h>

#include "core/ModDate.h"

namespace fm {
namespace {

TEST(ModDateTest, MidnightShowsTheDateAlone) {
  EXPECT_EQ(ModDateText(L"3/5/2024", L"2:07:09 PM", false), L"3/5/2024 2:07:09 PM");
  EXPECT_EQ(ModDateText(L"5.3.2024", L"00:00:00", true), L"5.3.2024");
  EXPECT_EQ(ModDateText(L"", L"2:07:09 PM", false), L"");
}

}  // namespace
}  // namespace fm
