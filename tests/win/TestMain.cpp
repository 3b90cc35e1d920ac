#include <gtest/gtest.h>

#include "platform/ComApartment.h"
#include "ui/Application.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  fm::OleApartment apartment;
  fm::ui::Application().Initialize();
  fm::ui::Application().SetTitle(L"Foldmere x64");
  return RUN_ALL_TESTS();
}
