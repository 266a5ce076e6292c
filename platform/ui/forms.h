// Windows (forms): a top-level control whose components come from its description.
//
//   class TForm1 : public TForm {
//     QW_CLASS(TForm1, TForm)
//   public:
//     explicit TForm1(TComponent* owner) : TForm(owner) {}
//     TButton* NextBtn = nullptr;                  // bound by name after loading
//   protected:
//     std::string_view Description() const override { return kForm1Description; }
//     void DeclareBindings(TBinder& b) override {
//       b.Field("NextBtn", NextBtn);
//       b.Handler("FormCreate", this, &TForm1::FormCreate);
//       b.Handler("NextBtnClick", this, &TForm1::NextBtnClick);
//     }
//   private:
//     void FormCreate(TObject* sender);
//     void NextBtnClick(TObject* sender);
//   };
//   auto form = CreateForm<TForm1>();   // reads the description, Loaded, then OnCreate
//
// kForm1Description is the window's description text (platform/components/description.h), kept as a
// raw string literal in a .cpp file of the window.
#pragma once

#include "platform/components/description.h"
#include "platform/ui/control.h"
#include "platform/ui/wincontrol.h"

#include <string_view>

namespace platform {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};

class TForm : public TWinControl {
  QW_CLASS(TForm, TWinControl)
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  static void Publish(TProps<TForm>& p);

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle s);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition p) { position_ = p; }
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }

  // Reads the description (Description() and DeclareBindings()), then raises OnCreate.
  // CreateForm calls it; a form made another way calls it once itself.
  void InitializeForm();

  // Shows the window (centred first when Position asks for it).
  void ShowForm();
  // Hides it; closing the main window ends the program (deferred). The title bar's close box
  // does nothing while the window is disabled.
  void Close();

  TNotifyEvent OnCreate, OnDestroy, OnShow, OnClose;

  // Enter clicks the focused button, else the default button; Escape the cancel button
  // (visible and enabled ones only). True when a button was clicked.
  bool PressDialogButton(int key, TWinControl* focused);

  void BeforeDestruction() override;
  void SetVisible(bool v) override;
  void SetParent(TWinControl* parent) override;

protected:
  // The window's description text; empty: no components.
  virtual std::string_view Description() const { return {}; }
  virtual void DeclareBindings(TBinder& /*binder*/) {}
  // Options of the reader (tools reading foreign descriptions).
  virtual TReadOptions ReadOptions() const { return {}; }
  void TextChanged() override;
  bool WidgetEvent(QEvent* event) override;
  void KeyDown(int& key, TShiftState shift) override;
  void ApplyBorder();

private:
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TPosition position_ = TPosition::poDesigned;
  bool doubleBuffered_ = false;
  bool created_ = false;
  bool closing_ = false;
};

// Constructs a form, reads its description and raises OnCreate. The first form made
// becomes the application's main form.
template <class F> TOwned<F> CreateForm(TComponent* owner = nullptr) {
  TOwned<F> form(new F(owner));
  form->InitializeForm();
  return form;
}

}  // namespace platform
