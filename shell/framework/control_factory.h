// Creates, owns and places the plain controls of one dialog. A control is
// addressed by its index in creation order; a control whose window could not
// be created keeps its place (with a null window) so indices stay stable.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "control_base.h"

// Identifier of the first control of every dialog.
constexpr int kFirstControlId = 4352;
// Identifiers the update notice's buttons answer with.
constexpr int kGoToSiteButtonId = 4096;
constexpr int kRemindLaterButtonId = 4098;

class ControlFactory_CL {
 public:
  ControlFactory_CL() {}
  virtual ~ControlFactory_CL();
  ControlFactory_CL(const ControlFactory_CL&) = delete;
  ControlFactory_CL& operator=(const ControlFactory_CL&) = delete;

  // Each returns the new control's index.
  int AddStaticText(HWND parent, const wchar_t* text, int x, int y);
  int AddButton(HWND parent, const wchar_t* text, int x);
  int AddCheckBox(HWND parent, const wchar_t* text, int x);
  int AddGroupBox(HWND parent, const wchar_t* text, int width, int height, int y);
  int AddProgressBar(HWND parent, int width, int height);
  // The update notice's pair "go to the site" / "remind me later", placed in
  // the parent's bottom-right corner; returns the first button's index.
  int AddUpdateButtons(HWND parent);

  // Moves keep size, repaint, and take positions in the parent's client
  // coordinates.
  void MoveX(int index, int x);
  void MoveTo(int index, int x, int y);
  // Moves the controls of a list ended by -1 under each other from y on,
  // `gap` pixels apart; x and sizes stay.
  void StackVertically(const int* indices, int y, int gap);
  // Puts control index + 1 into the parent's bottom-right corner and control
  // index left of it.
  void PlaceButtonPair(int index, HWND parent);

  // Null for an index that names no control.
  ControlBase_CL* Control(int index) const;
  HWND Window(int index) const;
  int Count() const { return static_cast<int>(controls.size()); }
  int NextId() const { return nextId; }

 private:
  int Add(std::unique_ptr<ControlBase_CL> control, const wchar_t* windowClass,
          const wchar_t* text, DWORD style, int x, int y, int width, int height, HWND parent,
          bool setFont);

  std::vector<std::unique_ptr<ControlBase_CL>> controls;
  int nextId = kFirstControlId;
};
