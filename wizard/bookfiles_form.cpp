// The book files page: the list of text and HTML files that make the book.
#include "assembly/sanitisers.h"
#include "wizard/mainform.h"

using namespace platform;

namespace wizard {

namespace {
constexpr const char* kDefaultMidletName = "MyMidlet";
constexpr const char* kDefaultBookTitle = "MyBook";
}  // namespace

void TForm1::BitBtn4Click(TObject* /*sender*/) {
  if (!TextFileOpenDialog->Execute()) return;
  TStrings* items = lbTextFiles->Items();
  for (int i = 0; i < TextFileOpenDialog->Files()->Count(); ++i) items->Add(TextFileOpenDialog->Files()->Strings(i));
  if (items->Count() == 0) return;
  if (edMidletName->Text() == kDefaultMidletName) edMidletName->SetTextValue(assembly::MakeMidletNameFromPath((*items)[0]));
  if (edBookTitle->Text() == kDefaultBookTitle)
    if (const std::string title = assembly::MakeBookTitleFromPath((*items)[0]); !title.empty())
      edBookTitle->SetTextValue(title);
}

void TForm1::BitBtn2Click(TObject* /*sender*/) {
  int i = lbTextFiles->ItemIndex();
  if (i >= 0 && i < lbTextFiles->Items()->Count()) lbTextFiles->Items()->Delete(i);
}

void TForm1::BitBtn3Click(TObject* /*sender*/) {
  lbTextFiles->Items()->Clear();
  edMidletName->SetTextValue(kDefaultMidletName);
  edBookTitle->SetTextValue(kDefaultBookTitle);
}

void TForm1::SpeedButton1Click(TObject* /*sender*/) {
  int i = lbTextFiles->ItemIndex();
  if (i < 1 || i >= lbTextFiles->Items()->Count()) return;
  lbTextFiles->Items()->Exchange(i, i - 1);
  lbTextFiles->SetItemIndex(i - 1);
}

void TForm1::SpeedButton2Click(TObject* /*sender*/) {
  int i = lbTextFiles->ItemIndex();
  if (i < 0 || i >= lbTextFiles->Items()->Count() - 1) return;
  lbTextFiles->Items()->Exchange(i, i + 1);
  lbTextFiles->SetItemIndex(i + 1);
}

}  // namespace wizard
