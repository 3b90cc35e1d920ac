// Changes of the framework's state that last for a scope and are undone however it ends.
#pragma once

#include <utility>

#include "ui/Application.h"
#include "ui/ListView.h"

namespace fm::ui {

// Shows a screen cursor while it lives and puts the previous one back.
class TCursorScope {
 public:
  explicit TCursorScope(TCursor cursor) : previous_(Application().ScreenCursor()) {
    Application().SetScreenCursor(cursor);
  }
  ~TCursorScope() { Application().SetScreenCursor(previous_); }
  TCursorScope(const TCursorScope&) = delete;
  TCursorScope& operator=(const TCursorScope&) = delete;

 private:
  TCursor previous_;
};

// Keeps a list from repainting while it lives.
class TUpdateBlock {
 public:
  explicit TUpdateBlock(TListView& list) : list_(list) { list_.BeginUpdate(); }
  ~TUpdateBlock() { list_.EndUpdate(); }
  TUpdateBlock(const TUpdateBlock&) = delete;
  TUpdateBlock& operator=(const TUpdateBlock&) = delete;

 private:
  TListView& list_;
};

// Takes an event away while it lives, so that a change made in code raises nothing.
class TDetachedEvent {
 public:
  explicit TDetachedEvent(TNotifyEvent& event) : event_(event), saved_(std::move(event)) {
    event_ = nullptr;
  }
  ~TDetachedEvent() { event_ = std::move(saved_); }
  TDetachedEvent(const TDetachedEvent&) = delete;
  TDetachedEvent& operator=(const TDetachedEvent&) = delete;

 private:
  TNotifyEvent& event_;
  TNotifyEvent saved_;
};

}  // namespace fm::ui
