// The base of every control: one window, its children, align-based layout, colours,
// font and hint, and the routing of the window's messages to typed events.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Graphics.h"

namespace fm::ui {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// In 96-dpi pixels, as every number of a design.
struct TMargins {
  int Left = 3;
  int Top = 3;
  int Right = 3;
  int Bottom = 3;
};

struct TShiftState {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
  bool Left = false;
  bool Right = false;
  bool Middle = false;
  bool Double = false;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The keyboard and mouse-button state of the moment.
TShiftState CurrentShiftState();

using TNotifyEvent = std::function<void()>;

class TPopupMenu;

class TControl {
 public:
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  virtual ~TControl();

  // The control whose window is hwnd, or null.
  static TControl* FromHandle(HWND hwnd);

  const std::wstring& Name() const { return name_; }
  HWND Handle() const { return hwnd_; }
  TControl* Parent() const { return parent_; }
  const std::vector<std::unique_ptr<TControl>>& Controls() const { return children_; }
  // The descendant with this name, or null.
  TControl* FindChild(const std::wstring& name) const;

  // Creates a child owned by this control; the caller keeps a plain pointer to it.
  template <class T, class... Args>
  T& Add(std::wstring name, Args&&... args) {
    auto child = std::make_unique<T>(*this, std::move(name), std::forward<Args>(args)...);
    T& result = *child;
    children_.push_back(std::move(child));
    return result;
  }

  // Geometry relative to the parent's client area; read from the window itself.
  RECT BoundsRect() const;
  int Left() const { return BoundsRect().left; }
  int Top() const { return BoundsRect().top; }
  int Width() const;
  int Height() const;
  int ClientWidth() const;
  int ClientHeight() const;
  virtual void SetBounds(int left, int top, int width, int height);
  void SetWidth(int width);
  void SetHeight(int height);

  // The DPI the control is shown at: its top-level window's, which follows its changes.
  int Dpi() const;
  // A design number (96-dpi pixels) at the control's DPI.
  int Scaled(int designPixels) const;
  // Place and size from the design, in 96-dpi pixels: applied at the control's DPI now,
  // and again whenever the DPI changes.
  void SetDesignBounds(int left, int top, int width, int height);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  // Margins count only while AlignWithMargins is on.
  void SetMargins(TMargins margins, bool alignWithMargins = true);
  TMargins Margins() const { return margins_; }
  bool AlignWithMargins() const { return alignWithMargins_; }

  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  bool TabStop() const;
  void SetTabStop(bool tabStop);

  TColor Color() const { return color_; }
  virtual void SetColor(TColor color);
  const TFont& Font() const { return font_; }
  virtual void SetFont(const TFont& font);
  bool DoubleBuffered() const { return doubleBuffered_; }
  virtual void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

  const std::wstring& Hint() const { return hint_; }
  void SetHint(std::wstring hint) { hint_ = std::move(hint); }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }

  std::wstring Text() const;
  void SetText(const std::wstring& text);

  void SetFocus();
  bool Focused() const;

  // The menu a context-menu request on the control shows instead of the system's; the
  // control does not own it.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

  // Lays the aligned children out in the client area.
  void Realign();
  // While a window is built, laying out waits: each control added would otherwise lay out
  // its band again, and under Wine every move of a window is a round of messages. The end
  // lays the whole window out once, from the top down.
  void DisableAlign() { ++alignHeld_; }
  void EnableAlign();
  // Applies every design number again at the DPI now in force: the font, the design
  // bounds and what each kind of control adds, then the same for the children, then
  // the layout.
  void ApplyDpi();

  TNotifyEvent OnResize;

  // Whether there is a hint at the point (client coordinates), and the rectangle within
  // which the same hint stays.
  virtual bool HintAt(POINT point, RECT& bounds);
  // The hint's text, asked for when it comes up.
  virtual std::wstring HintText(POINT point);
  // Where the hint window goes (screen coordinates) and how wide it may be; 0 for no limit.
  virtual POINT HintPosition(POINT cursorScreen, const RECT& bounds, int& maxWidth);

 protected:
  TControl(TControl* parent, std::wstring name);

  // Makes the window. A class of our own gets our window procedure; a system class is
  // subclassed so that its messages pass through WndProc first. A window without a parent
  // control is owned by owner.
  void CreateHandle(const wchar_t* className, DWORD style, DWORD exStyle,
                    const wchar_t* text = L"", HMENU menu = nullptr, HWND owner = nullptr);
  // Registers, once, a class of our own under this name, for windows that need a class
  // style of their own; returns the name to create them with.
  static const wchar_t* OwnClass(const std::wstring& name, UINT classStyle);
  // Shows the popup menu at a context-menu request's screen position; true when there is one.
  bool ShowPopupMenu(LPARAM screenPosition);

  // Destroys the children and the window. A control whose own members hold what its
  // window draws with calls it in its destructor, so the window goes first.
  void DestroyHandle();

  // Every message of the window passes here; the default handles layout, reflection of
  // notifications to the child they concern, colours, the screen cursor and hints.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's own behaviour (the system class's or DefWindowProc).
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

  // A WM_NOTIFY from this control's window, reflected by the parent.
  virtual bool Notify(NMHDR& header, LRESULT& result);
  // A WM_COMMAND notification (code and identifier) from this control's window, reflected by the parent.
  virtual bool Command(WORD code, WORD id);
  // Colours for WM_CTLCOLOR* of this control (or of a child window of it).
  virtual HBRUSH CtlColor(HDC dc);
  // The area in which aligned children are placed.
  virtual RECT AlignRect() const;
  // Called after the window changed size.
  virtual void Resized();
  virtual void ApplyFont();
  // What a kind of control sizes from design numbers besides its bounds and font,
  // applied again at a new DPI.
  virtual void DpiChanged() {}
  // A top-level window takes a new DPI before its design numbers are applied again.
  void SetDpi(int dpi) { dpi_ = dpi; }

  TBrush brush_;

 private:
  friend LRESULT DispatchMessageTo(TControl* control, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept;
  static LRESULT CALLBACK OwnClassProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);

  // Hands a notification, command or colour request of a child window to the control it
  // concerns; false when none takes it.
  bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The answer to a message whose handler raised an error.
  LRESULT FailedHandlerResult(UINT message, LPARAM lParam);
  void Attach(HWND hwnd, bool ownClass);
  void Detach();
  void PlaceAligned(TControl& child, RECT target);
  void RealignTree();
  bool AlignHeld() const;
  // The margins at the control's DPI.
  TMargins ScaledMargins() const;

  TControl* parent_ = nullptr;
  std::wstring name_;
  HWND hwnd_ = nullptr;
  bool ownClass_ = false;
  // The window procedure of a system class, which the control's own one passes on to.
  WNDPROC classProc_ = nullptr;
  std::vector<std::unique_ptr<TControl>> children_;
  TAlign align_ = TAlign::alNone;
  TMargins margins_;
  bool alignWithMargins_ = false;
  std::optional<RECT> designBounds_;
  // A top-level window's DPI; 0 until its window is made.
  int dpi_ = 0;
  TColor color_ = clWindow;
  TFont font_;
  bool doubleBuffered_ = false;
  std::wstring hint_;
  bool showHint_ = false;
  bool realigning_ = false;
  int alignHeld_ = 0;
  TPopupMenu* popupMenu_ = nullptr;
};

}  // namespace fm::ui
