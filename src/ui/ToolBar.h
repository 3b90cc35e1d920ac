// Image lists, tool bars and their buttons.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "platform/Handles.h"
#include "ui/Control.h"
#include "ui/Picture.h"

namespace fm::ui {

// One picture drawn at the size of a DPI.
class TImageList {
 public:
  TImageList(const TPicture& picture, int dpi);

  HIMAGELIST Handle() const { return handle_.Get(); }
  const TPicture& Picture() const { return picture_; }
  int Dpi() const { return dpi_; }
  int Width() const { return size_; }
  int Height() const { return size_; }
  int Count() const { return handle_ ? ImageList_GetImageCount(handle_.Get()) : 0; }

 private:
  TPicture picture_;
  int dpi_;
  int size_;
  UniqueHImageList handle_;
};

class TToolBar;

// A button of a tool bar; not a window of its own.
class TToolButton {
 public:
  TToolButton(TToolBar& toolBar, std::wstring name, int command, int imageIndex);
  virtual ~TToolButton() = default;

  const std::wstring& Name() const { return name_; }
  int Command() const { return command_; }
  int ImageIndex() const { return imageIndex_; }
  TToolBar& ToolBar() const { return toolBar_; }
  // The button's rectangle in the tool bar's client area.
  RECT BoundsRect() const;
  bool Enabled() const;
  void SetEnabled(bool enabled);

  virtual void Click();
  TNotifyEvent OnClick;

 private:
  TToolBar& toolBar_;
  std::wstring name_;
  int command_;
  int imageIndex_;
};

// The tool bar shares its images: they stay as long as a tool bar draws with them. At
// another DPI it draws the same picture anew at that DPI's size. Button sizes are
// 96-dpi design numbers.
class TToolBar : public TControl {
 public:
  TToolBar(TControl& parent, std::wstring name, std::shared_ptr<const TImageList> images, int buttonWidth,
           int buttonHeight);
  ~TToolBar() override;

  template <class T = TToolButton>
  T& AddButton(std::wstring name, int imageIndex) {
    auto button = std::make_unique<T>(*this, std::move(name), NextCommand(), imageIndex);
    T& result = *button;
    Insert(std::move(button));
    return result;
  }
  TToolButton* FindButton(const std::wstring& name) const;
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  const TImageList& Images() const { return *images_; }

 protected:
  bool Command(WORD code, WORD id) override;
  void DpiChanged() override;

 private:
  static int NextCommand();
  void Insert(std::unique_ptr<TToolButton> button);

  std::shared_ptr<const TImageList> images_;
  int buttonWidth_;
  int buttonHeight_;
  std::vector<std::unique_ptr<TToolButton>> buttons_;
};

}  // namespace fm::ui
