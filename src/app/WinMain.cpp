// The program entry.
#include <windows.h>

#include <memory>

#include "LeakReport.h"
#include "MainUnit.h"
#include "StartProtection.h"
#include "core/Random.h"
#include "platform/ComApartment.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  fm::Randomize(static_cast<std::uint64_t>(counter.QuadPart));

  foldmere::LeakReport leakReport;
  return foldmere::RunProtected([] {
    fm::OleApartment apartment;

    auto& application = fm::ui::Application();
    // The title first, so that the error box of a failed start carries it too.
    application.SetTitle(L"Foldmere x64");
    application.Initialize();
    application.MainFormOnTaskBar = true;
    application.ShowMainForm = false;

    auto main = std::make_unique<MainUnit::TMain>();
    application.SetMainForm(main.get());
    return application.Run();
  });
}
