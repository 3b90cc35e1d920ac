#include <gtest/gtest.h>

#include "FileJobVictim.h"
#include "platform/ComApartment.h"
#include "ui/Application.h"

int main(int argc, char** argv) {
  if (int exitCode = 0; fm::test::RunFileJobVictim(argc, argv, exitCode)) return exitCode;
  testing::InitGoogleTest(&argc, argv);
  fm::OleApartment apartment;
  fm::ui::Application().Initialize();
  fm::ui::Application().SetTitle(L"Foldmere x64");
  return RUN_ALL_TESTS();
}
