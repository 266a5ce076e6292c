// Makes a fixed set of builds through the builder window, as a user would: the pages are
// walked with the Next button, the choices are made on their pages, the book files come from
// the Add button's dialog and the build's file from the save dialog. Used to compare the
// outputs of two versions of the program (tools/compare_outputs.sh):
//   book_builds_ui <program folder holding quirewright.dat> <output folder>
// Each build writes into its own subfolder; the messages shown go to messages.txt there, and
// the settings that Finish saves to Quirewright.ini.
// Controls are found by their names in the window description.
#include "assembly/phones.h"
#include "localisation/langmanager.h"
#include "platform/ui/application.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/button.h"
#include "platform/ui/combobox.h"
#include "platform/ui/edit.h"
#include "platform/ui/listbox.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiobutton.h"
#include "support/fakeservices.h"
#include "wizard/mainform.h"

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace platform;

namespace {

template <class C>
C* Find(wizard::TForm1& form, const char* name) {
  auto* c = dynamic_cast<C*>(form.FindComponent(name));
  if (c == nullptr) throw std::runtime_error(std::string("no control ") + name);
  return c;
}

// Sentences of common words in paragraphs, the same every run.
std::string Words(std::mt19937& rng, std::size_t length) {
  static const char* const vocabulary[] = {"the",     "phone",  "reader", "night", "river",  "book",  "quietly", "said",
                                           "morning", "letter", "window", "along", "garden", "never", "winter"};
  std::string s;
  for (std::size_t n = 0; s.size() < length; ++n) {
    s += vocabulary[rng() % 15];
    s += n % 97 == 96 ? ".\r\n\r\n" : n % 11 == 10 ? ". " : " ";
  }
  return s;
}

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// A picture with smooth colours and some noise, the same every run.
void WritePicture(const fs::path& path, int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.setPixel(x, y, qRgb((x * 255) / w, (y * 255) / h, int((rng() % 64) + ((x + y) * 3) % 192)));
  fs::create_directories(path.parent_path());
  img.save(QString::fromStdString(path.string()), "PNG");
}

struct Build {
  std::string Name;
  const char* Edition;  // rbFullVersion, rbLiteVersion or rbTinyVersion
  int Model;
  const char* Language = "rbilEnglishCE";
  std::vector<std::string> Books;  // under the books folder
  const char* Pictures = "rb64ColorsImages";
  std::string MidletName = "Book";
  std::string Title = "A Book";
  std::string PhonesList = "";  // under the books folder: chosen with the last model row
};

// Walks the window from the first page to the finish page; false when it stopped elsewhere.
bool Walk(wizard::TForm1& form, TFakeServices& services, const Build& b, const fs::path& books, const fs::path& out) {
  auto* notebook = Find<TNotebook>(form, "Notebook1");
  auto* next = Find<TButton>(form, "NextBtn");
  for (int step = 0; step < 40; ++step) {
    const int page = notebook->PageIndex();
    if (page == wizard::pgFinish) return true;
    switch (page) {
      case wizard::pgFullOrLite: Find<TRadioButton>(form, b.Edition)->SetChecked(true); break;
      case wizard::pgPhoneModel:
        if (b.PhonesList.empty()) {
          Find<TComboBox>(form, "cbPhoneModel")->SetItemIndex(b.Model);
          // The full edition's batch row goes from here to the build.
          if (b.Model == assembly::kCustomPhoneListRow)
            services.ScriptDialog({(out / "Version differences.txt").string()});
        } else {
          // As the user picks the row: the list file is asked for at once.
          services.ScriptDialog({(books / b.PhonesList).string()});
          Find<TComboBox>(form, "cbPhoneModel")->UserSelect(b.Model);
        }
        break;
      case wizard::pgInterfaceLanguage: Find<TRadioButton>(form, b.Language)->SetChecked(true); break;
      case wizard::pgEmbed:
        if (Find<TListBox>(form, "lbTextFiles")->Items()->Count() == 0) {
          std::vector<std::string> files;
          for (const std::string& f : b.Books) files.push_back((books / f).string());
          services.ScriptDialog(files);
          Find<TBitBtn>(form, "BitBtn4")->Click();
        }
        break;
      case wizard::pgMidletName:
        Find<TEdit>(form, "edMidletName")->SetTextValue(b.MidletName);
        Find<TEdit>(form, "edBookTitle")->SetTextValue(b.Title);
        break;
      case wizard::pgImages: Find<TRadioButton>(form, b.Pictures)->SetChecked(true); break;
      case wizard::pgAdvancedOptions: services.ScriptDialog({(out / (b.MidletName + ".jad")).string()}); break;
      default: break;
    }
    next->Click();
    if (notebook->PageIndex() == page && page != wizard::pgAdvancedOptions) return false;
  }
  return false;
}

// The book files and pictures, the same every run.
void WriteBooks(const fs::path& books) {
  std::mt19937 rng(7);
  Write(books / "short.txt", "Once upon a time there was a phone.\r\n");
  Write(books / "long.txt", Words(rng, 700000));
  std::string html = "<html><body>";
  for (int i = 0; i < 24; ++i) {
    const std::string pic = "pics/p" + std::to_string(i % 6) + ".png";
    html += "<p>" + Words(rng, 300 + rng() % 1500) + " <img src=\"" + pic + "\"></p>";
  }
  Write(books / "pictures.htm", html + "</body></html>");
  for (int i = 0; i < 6; ++i)
    WritePicture(books / "pics" / (std::string("p") + std::to_string(i) + ".png"), 40 + 13 * i, 90 - 7 * i, i);
  Write(books / "cyrillic.txt", "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! " + Words(rng, 20000));
  Write(books / "phones.txt",
        "\"Nokia 6230\" \"Nokia phones keys config\" \"128\" \"IC_64\" \"96\" \"64\"\r\n"
        "\"Siemens SX1\" \"Siemens SX1 phone keys config\" \"256\" \"IC_BW\" \"120\" \"80\"\r\n"
        "\"Nokia 6230\" \"Nokia phones keys config\" \"64\" \"IC_NONE\" \"64\" \"32\"\r\n");
}

// One build in a fresh window into its own subfolder with its messages.txt; false when the
// walk stopped before the finish page.
bool RunBuild(const std::string& program, const fs::path& outRoot, const fs::path& books, const Build& b) {
  const fs::path out = outRoot / b.Name;
  fs::create_directories(out);
  fs::remove(program + "Quirewright.ini");
  TFakeServices services;
  bool walked = false;
  {
    localisation::FreeLangManager();
    Application().SetMainForm(nullptr);
    auto form = wizard::CreateBuilderWindow({program, {}});
    try {
      walked = Walk(*form, services, b, books, out);
      // Finish saves the settings as the build left the controls.
      if (walked) Find<TButton>(*form, "CancelBtn")->Click();
      if (fs::exists(program + "Quirewright.ini"))
        fs::copy_file(program + "Quirewright.ini", out / "Quirewright.ini");
    } catch (const std::exception& e) {
      services.messages.push_back({e.what(), "exception", TMsgIcon::Error});
    }
  }
  Application().SetMainForm(nullptr);
  Application().ResetTerminated();
  std::string log;
  for (const auto& m : services.messages) log += m.caption + ": " + m.text + "\n";
  if (!walked) log += "stopped before the finish page\n";
  Write(out / "messages.txt", log);
  std::printf("%s: %s\n", b.Name.c_str(), walked ? "built" : "stopped");
  return walked;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <program folder> <output folder>\n", argv[0]);
    return 2;
  }
  std::string program = argv[1];
  if (program.back() != '/') program += '/';
  const fs::path outRoot = fs::absolute(argv[2]);
  const fs::path books = outRoot / "books";
  Application().Initialize(argc, argv);
  WriteBooks(books);

  const std::vector<Build> builds = {
      {"lite-long", "rbLiteVersion", 224, "rbilEnglishCE", {"long.txt"}},
      {"tiny-short", "rbTinyVersion", 385, "rbilEnglishWE", {"short.txt"}, "rb64ColorsImages", "Small", "Tiny"},
      {"lite-pictures16", "rbLiteVersion", 224, "rbilGerman", {"pictures.htm"}, "rb16ColorsImages"},
      {"lite-pictures256", "rbLiteVersion", 100, "rbilEnglishCE", {"pictures.htm", "short.txt"}, "rb256ColorsImages"},
      {"lite-bw", "rbLiteVersion", 385, "rbilEnglishCE", {"pictures.htm"}, "rbBlackAndWhiteImages", "Bw", "Black"},
      {"lite-cyrillic", "rbLiteVersion", 224, "rbilRussian", {"cyrillic.txt", "long.txt"}},
      {"full-224", "rbFullVersion", 224, "rbilEnglishCE", {}},
      {"full-385", "rbFullVersion", 385, "rbilEnglishCyr", {}},
      // The batches of the last model row: every full edition variant, and a phone list.
      {"full-all-versions", "rbFullVersion", assembly::kCustomPhoneListRow, "rbilEnglishCE", {}},
      {"lite-phone-list",
       "rbLiteVersion",
       assembly::kCustomPhoneListRow,
       "rbilGerman",
       {"pictures.htm"},
       "rb16ColorsImages",
       "List",
       "List",
       "phones.txt"},
  };
  int failed = 0;
  for (const Build& b : builds)
    if (!RunBuild(program, outRoot, books, b)) ++failed;
  localisation::FreeLangManager();
  return failed == 0 ? 0 : 1;
}
