// Controls: components that show on screen, drawn by Qt widgets.
//
// A control owns its QWidget. It keeps its own Visible flag, Enabled, Hint and ShowHint,
// help context, Font (a nested TFont), colour, cursor, alignment and bounds (in its parent's
// client coordinates). Texts are 8-bit; the control shows them through the code page of its
// font's character set when that names one, else the interface code page (uilanguage.h).
//
// Events fire as the windows expect of the framework, not as Qt's signals do; while a
// control is loading (csLoading) none fires. The rules of each kind are beside its class.
//
// Writing a new control class
// ---------------------------
//   class TMyControl : public TCustomControl {       // TGraphicControl: no focus, no children
//     QW_CLASS(TMyControl, TCustomControl)
//   public:
//     explicit TMyControl(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 100, 20); }
//     static void Publish(TProps<TMyControl>& p) { p.Int("Value", &TMyControl::Value, &TMyControl::SetValue); }
//     int Value() const { return value_; }
//     void SetValue(int v) { if (v != value_) { value_ = v; Invalidate(); } }
//   protected:
//     void Paint(QPainter& painter) override;   // draw the client area
//     void MouseDown(TMouseButton b, TShiftState s, int x, int y) override { ...; TCustomControl::MouseDown(b, s, x, y); }
//   private:
//     int value_ = 0;
//   };
// and RegisterClass<TMyControl>() before a description uses it. A control that wraps a
// Qt widget of another kind creates it in its constructor and hands it over with
// SetWidget(widget); the layer routes the widget's mouse, key, focus and resize events to
// the virtual methods below. Children of a TWinControl are placed in ContainerWidget().
#pragma once

#include "platform/components/component.h"
#include "platform/components/graphics.h"
#include "platform/ui/alignment.h"

#include <QPointer>
#include <QWidget>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QWidget;
class QPainter;
class QLineEdit;
class QEvent;
class QMouseEvent;

namespace platform {

class TWinControl;
class TForm;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };

// Cursor numbers.
enum : int {
  crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
  crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crNoDrop = -13, crHSplit = -14,
  crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
  crHandPoint = -21, crSizeAll = -22
};

// Virtual key codes of the keyboard events.
enum : int {
  VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18, VK_ESCAPE = 27,
  VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38,
  VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46, VK_F1 = 112
};

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, int& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};
struct TPoint {
  int X = 0, Y = 0;
};

enum class TBorderStyle { bsNone, bsSingle };

class TControl : public TComponent {
  QW_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  static void Publish(TProps<TControl>& p);

  // --- place ---
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;
  // The form the control stands on (itself for a form), or nullptr.
  TForm* ParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }
  virtual void SetClientWidth(int v) { SetWidth(v); }
  virtual void SetClientHeight(int v) { SetHeight(v); }
  TPoint ClientToScreen(TPoint p) const;
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);

  // --- state ---
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  const std::string& Hint() const { return hint_; }
  // A hint is a text of the interface, whatever the control's text kind; a host path set as
  // the hint is UTF-8.
  void SetHint(const std::string& h) {
    hint_ = h;
    hintIsPath_ = false;
  }
  void SetPathHint(const std::string& path) {
    hint_ = path;
    hintIsPath_ = true;
  }
  int HintCodePage() const;
  // With ParentShowHint, the parent's ShowHint (a form's own flag at the top).
  bool ShowHint() const;
  void SetShowHint(bool v);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v) { parentShowHint_ = v; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int c) { helpContext_ = c; }

  // The control's own font; changing it clears ParentFont. With ParentFont the font follows
  // the parent's.
  TFont* Font() { return &font_; }
  const TFont* Font() const { return &font_; }
  void SetFont(TFont* f) { if (f != nullptr) font_.Assign(*f); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  virtual void SetColor(TColor c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  int Cursor() const { return cursor_; }
  void SetCursor(int c);

  // The caption or text of the control (each kind publishes it as Caption or Text).
  const std::string& GetText() const;
  void SetText(const std::string& text);

  // --- drawing ---
  void Invalidate();
  void Repaint();  // paints at once

  // --- events ---
  TNotifyEvent OnClick, OnDblClick, OnResize;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  // Runs the click: OnClick (not while loading).
  virtual void Click();

  // --- the widget ---
  QWidget* Widget() const { return widget_.data(); }
  // What the control's 8-bit texts are: shown texts of the interface (the default), the
  // user's data in the process code page, or host paths in UTF-8.
  enum class TTextKind { Interface, UserData, HostPath };
  void SetTextKind(TTextKind kind);
  // The 8-bit <-> Qt conversion of this control's texts.
  int TextCodePage() const;
  QString ToQt(const std::string& text) const;
  std::string FromQt(const QString& text) const;
  // The control that shows `widget` (or one of its ancestors), or nullptr.
  static TControl* FromWidget(const QObject* widget);

  // Re-shows the 8-bit texts (the interface code page changed).
  virtual void CodePageChanged();
  // Called by the layer's event routing; returns true when the event was consumed.
  virtual bool WidgetEvent(QEvent* event);

protected:
  // Removes from `text` the characters that the control's code page cannot hold; true when
  // any was removed (the caller refuses them with a beep). `cursor` follows the removal.
  bool DropUnholdable(QString& text, int& cursor) const;
  // The text a line edit shows after the user edited it, with the characters the code page
  // cannot hold refused: a beep, and the edit shows the rest with the cursor where it was.
  QString KeepHoldable(QLineEdit* edit, QString text) const;
  // Takes the widget (owned from now on) and routes its events here. Call once, in the
  // constructor; a control without a call gets a plain widget.
  void SetWidget(QWidget* widget);
  // The parent widget for this control's widget changed; geometry, visibility and font
  // are re-applied.
  void AttachWidget();

  // Hooks. The defaults raise the matching events.
  virtual void TextChanged() {}
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void EnabledChanged() {}
  virtual void VisibleChanged() {}
  virtual void Resize();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void DblClick();
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // Draws the control (graphic and custom controls; the others are drawn by Qt).
  virtual void Paint(QPainter& /*painter*/) {}
  // Whether the control's Color fills an editing area (edits, lists) rather than the
  // widget's window background.
  virtual bool ColorFillsBase() const { return false; }
  // Whether a left press and release inside raise Click (true for controls whose widget
  // does not report clicks itself).
  virtual bool ClicksOnRelease() const { return true; }
  // The parent's font or colour changed (ParentFont / ParentColor followers).
  void ParentFontChanged();
  void ParentColorChanged();
  void ApplyFontToWidget();
  void ApplyColorToWidget();
  void ApplyGeometry();
  void ApplyVisibility();

  friend class TWinControl;
  friend class ControlEventRouter;

private:
  // The code page of interface texts: the font's character set, else the interface's.
  int InterfaceTextCodePage() const;
  QPointer<QWidget> widget_;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  bool enabled_ = true;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  bool hintIsPath_ = false;
  int helpContext_ = 0;
  TFont font_;
  bool parentFont_ = true;
  bool applyingParentFont_ = false;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  int cursor_ = crDefault;
  std::string text_;
  TTextKind textKind_ = TTextKind::Interface;
  bool pressed_ = false;
  bool applyingGeometry_ = false;

  // The parts of WidgetEvent: mouse buttons, and the widget resized or moved by others.
  void WidgetMousePress(QMouseEvent* m, bool dbl);
  void WidgetMouseRelease(QMouseEvent* m);
  void WidgetResized();
  void WidgetMoved();
};

// The short part of a hint ("short|long").
std::string GetShortHint(const std::string& hint);

}  // namespace platform
