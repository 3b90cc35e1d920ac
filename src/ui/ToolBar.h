// Image lists, tool bars and their buttons.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "platform/Handles.h"
#include "ui/Control.h"

namespace fm::ui {

// Images of one size cut from a bitmap resource; magenta pixels are transparent.
class TImageList {
 public:
  TImageList(int bitmapResource, int width, int height);

  HIMAGELIST Handle() const { return handle_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return handle_ ? ImageList_GetImageCount(handle_.Get()) : 0; }

 private:
  UniqueHImageList handle_;
  int width_;
  int height_;
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

// The tool bar shares its images: they stay as long as a tool bar draws with them.
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

 private:
  static int NextCommand();
  void Insert(std::unique_ptr<TToolButton> button);

  std::shared_ptr<const TImageList> images_;
  std::vector<std::unique_ptr<TToolButton>> buttons_;
};

}  // namespace fm::ui
