// The program entry.
#include <windows.h>

#include <memory>

#include "LeakReport.h"
#include "MainUnit.h"
#include "platform/ComApartment.h"
#include "core/Random.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  fm::Randomize(static_cast<std::uint64_t>(counter.QuadPart));

  foldmere::LeakReport leakReport;
  fm::ComApartment apartment;

  auto& application = fm::ui::Application();
  application.Initialize();
  application.SetTitle(L"Foldmere x64");
  application.MainFormOnTaskBar = true;
  application.ShowMainForm = false;

  auto main = std::make_unique<MainUnit::TMain>();
  application.SetMainForm(main.get());
  return application.Run();
}
