// An owner-data report list view: the control keeps only a row count and asks for
// every row by index through typed events.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ui/StdControls.h"

namespace fm::ui {

// A row as the events see it. For the data event the handler fills caption, image and
// the texts of columns 1 and on; elsewhere only the index is meaningful.
struct TListItem {
  int Index = -1;
  std::wstring Caption;
  int ImageIndex = -1;
  std::vector<std::wstring> SubItems;
};

// Widths in 96-dpi pixels, as every number of a design.
struct TListColumn {
  std::wstring Caption;
  TAlignment Alignment = TAlignment::taLeftJustify;
  int Width = 50;
  bool AutoSize = false;
  int MinWidth = 0;  // 0: none
  int MaxWidth = 0;  // 0: none
};

enum class TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
enum class TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };

// The drawing surface of a custom-draw stage. Every setter counts as a change, even
// one that sets the value already there: a changed canvas is drawn with its own font
// and colours.
class TCanvas {
 public:
  HDC Handle() const { return dc_; }
  const TFont& Font() const { return font_; }
  TColor BrushColor() const { return brushColor_; }
  bool Changed() const { return changed_; }

  void SetFontColor(TColor color);
  void SetFontStyle(TFontStyles style);
  void SetBrushColor(TColor color);

 private:
  friend class TListView;
  void Reset(HDC dc, const TFont& font, TColor brushColor);

  HDC dc_ = nullptr;
  TFont font_;
  TColor brushColor_ = clWindow;
  bool changed_ = false;
};

class TListView : public TControl {
 public:
  TListView(TControl& parent, std::wstring name, std::vector<TListColumn> columns);
  ~TListView() override;

  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  int ColumnWidth(int index) const;
  HWND Header() const;

  int ItemCount() const;
  // Sets the row count without repainting every row.
  void SetItemCount(int count);
  void BeginUpdate();
  void EndUpdate();

  // The first selected row, or -1.
  int SelectedIndex() const;
  // Selects row index alone, focuses it and scrolls it into view.
  void SelectItem(int index);
  // Lets several rows be selected at once.
  void SetMultiSelect(bool multiSelect);
  // The selected rows in row order; the control's own selection state is the only record.
  std::vector<int> SelectedIndexes() const;
  int SelectedCount() const;
  bool IsSelected(int index) const;
  void SetSelected(int index, bool selected);
  void SelectAll();
  void ClearSelection();
  // The row the keys act on, or -1; it need not be selected.
  int FocusedIndex() const;
  // Moves the focus to row index without changing the selection, and scrolls it into view.
  void FocusItem(int index);
  int ItemAt(POINT client) const;
  RECT ItemRect(int index) const;
  int TopIndex() const;
  // Scrolls the list so that row index is the top row, as far as the rows below allow.
  void SetTopIndex(int index);
  // Moves the focus to row index (-1: no row) without changing the selection or scrolling.
  void SetFocusedIndex(int index);
  int VisibleRowCount() const;

  void SetSmallImages(HIMAGELIST images);
  void SetLargeImages(HIMAGELIST images);
  // The list is always a report; an icon view is never set.
  bool IsIconView() const { return false; }

  // A read-only list offers no editing of captions in place.
  void SetReadOnly(bool readOnly);
  bool ReadOnly() const;

  void SetColor(TColor color) override;
  void SetFont(const TFont& font) override;
  TCanvas& Canvas() { return canvas_; }
  // Whether the control is painting itself now: the events of one paint may share what
  // they learn, which is stale by the next.
  bool Painting() const { return paintDepth_ > 0; }

  std::function<void(TListItem& item)> OnData;
  std::function<void(int startIndex, int endIndex)> OnDataHint;
  std::function<void(TItemFind find, const std::wstring& findString, POINT findPosition, void* findData,
                     int startIndex, TSearchDirection direction, bool wrap, int& index)>
      OnDataFind;
  std::function<void(const RECT& rect, bool& defaultDraw)> OnCustomDraw;
  std::function<void(TListItem* item, UINT state, bool& defaultDraw)> OnCustomDrawItem;
  std::function<void(TListItem* item, int subItem, UINT state, bool& defaultDraw)> OnCustomDrawSubItem;
  std::function<void(TListItem& item, std::wstring& infoTip)> OnInfoTip;
  std::function<void(TListItem& item, bool& allowEdit)> OnEditing;
  std::function<void(TListItem& item, std::wstring& text)> OnEdited;
  TNotifyEvent OnDblClick;
  TKeyEvent OnKeyDown;
  // The list got the keyboard focus.
  TNotifyEvent OnEnter;
  // Rows were selected or deselected.
  TNotifyEvent OnSelectionChange;
  std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;

  // The row's caption and sub-item texts as OnData gives them.
  TListItem ItemData(int index);
  // Lets the auto-size columns share the client width again.
  void AutoSizeColumns();

  bool HintAt(POINT point, RECT& bounds) override;
  std::wstring HintText(POINT point) override;
  POINT HintPosition(POINT cursorScreen, const RECT& bounds, int& maxWidth) override;

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Resized() override;
  void DpiChanged() override;

 private:
  void GetDisplayInfo(NMLVDISPINFOW& info);
  LRESULT FindItem(const NMLVFINDITEMW& find);
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
  void ApplyCanvas(NMLVCUSTOMDRAW& draw, const TFont& font, TColor brushColor);
  HFONT FontFor(TFontStyles style);

  std::vector<TListColumn> columns_;
  TCanvas canvas_;
  // The row's choice, for cells whose handler changes nothing.
  bool rowChanged_ = false;
  TFont rowFont_;
  TColor rowBrush_ = clWindow;
  // What the control itself gave the row: a cell's own choice would otherwise stay for
  // the cells after it.
  bool cellChanged_ = false;
  COLORREF listText_ = CLR_DEFAULT;
  COLORREF listTextBk_ = CLR_DEFAULT;
  HGDIOBJ listFont_ = nullptr;
  std::map<std::pair<bool, bool>, std::unique_ptr<TFont>> styledFonts_;
  int updateCount_ = 0;
  int paintDepth_ = 0;
  bool sizingColumns_ = false;
};

}  // namespace fm::ui
