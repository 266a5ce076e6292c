#include "assembly/bookbuild.h"

#include "assembly/archivecopy.h"
#include "assembly/fullbuild.h"
#include "assembly/host.h"
#include "assembly/midlettexts.h"
#include "assembly/normalize.h"
#include "assembly/picture.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"
#include "localisation/langmanager.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace assembly {

namespace {

constexpr std::size_t kPartLength = 8192;
// Longest marker that a cut is kept out of: the start, a number, ".png" and the end.
constexpr std::size_t kMarkerSpan = 32;

std::string Text(std::string_view name) { return localisation::LangManager().TextByName(name); }

// Passes everything on and notes whether the program was asked to end.
class WatchingHost : public BuildHost {
public:
  explicit WatchingHost(BuildHost& host) : host_(host) {}
  void ShowMessage(const std::string& t, const std::string& c, MessageIcon i) override {
    host_.ShowMessage(t, c, i);
  }
  void RequestTerminate() override {
    terminated = true;
    host_.RequestTerminate();
  }
  void SetProgress(int position, int max) override { host_.SetProgress(position, max); }
  void SetStatus(const std::string& text) override { host_.SetStatus(text); }
  void ProcessMessages() override { host_.ProcessMessages(); }
  void SetWindowEnabled(bool enabled) override { host_.SetWindowEnabled(enabled); }
  bool terminated = false;

private:
  BuildHost& host_;
};

// Disables the window for the build and enables it again on every way out.
class DisabledWindow {
public:
  explicit DisabledWindow(BuildHost& host) : host_(host) { host_.SetWindowEnabled(false); }
  ~DisabledWindow() { host_.SetWindowEnabled(true); }
  DisabledWindow(const DisabledWindow&) = delete;
  DisabledWindow& operator=(const DisabledWindow&) = delete;

private:
  BuildHost& host_;
};

// The midlet cannot hold even its first part: reported, and the program ends.
struct EUnableToBuild {};

std::size_t CountNonBlank(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !IsBookBlank(c); }));
}

std::string FileNameOf(const std::string& path) {
  const std::size_t sep = path.find_last_of("\\/");
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

int ClampInt(std::size_t v) { return v > INT_MAX ? INT_MAX : static_cast<int>(v); }

// Core, language, help, icon and fonts: what every midlet of the build starts with.
TZipFile AssembleBase(const BuildContext& ctx, const TMIDLETCONFIG& c) {
  const TZipFile& archive = ctx.ResArchive;
  const int lang = c.InterfaceLanguage;
  const std::string core = CoreFolders[c.Core * 4 + c.Edition];
  const std::string common = CommonFolders[lang];
  const std::string color = ColorFolders[c.Edition * 11 + lang];
  const std::string help = HelpFolders[c.Edition * 11 + lang];
  const std::string icon = IconFiles[c.Icon];

  bool cacheable = ctx.Cache != nullptr && !ctx.Inputs.UseCustomHelpFile;
  std::string key = "book\x1F" + std::to_string(reinterpret_cast<std::uintptr_t>(&archive)) +
                    '\x1F' + std::to_string(c.Core) + '\x1F' + core + '\x1F' + common + '\x1F' +
                    color + '\x1F' + help + '\x1F' + icon;
  for (int slot = 0; slot < 5; ++slot) {
    if (c.FontNames[slot].empty()) continue;
    cacheable = cacheable && c.FontSources[slot].starts_with("ZIP:");
    key += '\x1F' + c.FontNames[slot] + '|' + c.FontSources[slot] + '|' +
           char('0' + (c.NegativeFlags[slot] != 0));
  }
  if (cacheable)
    if (const TZipFile* hit = ctx.Cache->Find(key)) return *hit;

  TZipFile jar;
  CopyArchiveFolder(archive, core, "", jar);
  CopyArchiveFolder(archive, common, "res\\", jar);
  CopyArchiveFolder(archive, color, "res\\", jar);
  if (ctx.Inputs.UseCustomHelpFile) AddCustomHelp(ctx.Inputs.CustomHelpFile, jar);
  else CopyArchiveFolder(archive, help, "res\\", jar);
  CopyArchiveFile(archive, icon, "res\\", jar);
  AddFonts(archive, c, jar);
  if (cacheable) ctx.Cache->Store(key, jar);
  return jar;
}

// The part may not end inside a marker: a cut between a marker's start and its end moves
// back to just before the marker.
std::size_t KeepMarkersWhole(std::string_view window, std::size_t cut) {
  if (cut >= window.size()) return cut;
  const std::size_t start = window.rfind(kMarkerStart, cut - 1);
  if (start == std::string_view::npos) return cut;
  const std::size_t end = window.find(kMarkerEnd, start + 1);
  if (end == std::string_view::npos || end < cut || end - start > kMarkerSpan) return cut;
  return start;
}

}  // namespace

void AddImage(TZipFile& jar, std::string_view piece, const TPictureList& pictures) {
  for (std::size_t i = piece.find(kMarkerStart); i != std::string_view::npos;
       i = piece.find(kMarkerStart, i + 1)) {
    std::size_t p = i + 1;
    while (p < piece.size() && piece[p] == ' ') ++p;
    uint64_t n = 0;
    bool digits = false;
    for (; p < piece.size() && piece[p] >= '0' && piece[p] <= '9'; ++p) {
      digits = true;
      n = std::min<uint64_t>(n * 10 + static_cast<uint64_t>(piece[p] - '0'), UINT32_MAX);
    }
    if (digits && n >= 1 && n <= pictures.size())
      AddJarEntry(jar, "res/" + std::to_string(n) + ".png", pictures[n - 1]);
  }
}

bool CutBeforeLastImage(std::size_t& cutLength, std::string_view text) {
  const std::size_t from = std::min(cutLength, text.size());
  if (from < 1) return false;
  const std::size_t q = text.rfind(kMarkerStart, from - 1);
  if (q == std::string_view::npos) return false;
  cutLength = q;
  return q > 0;
}

std::string MakeManifest(const BuildContext& ctx, const TMIDLETCONFIG& c, bool numbered,
                         int midletNumber, const std::string& basePath) {
  const std::string nn = numbered ? IntToStr2(midletNumber) : std::string();
  return MakeManifestText(ctx.ResArchive, c, ctx.Inputs, ctx.Inputs.MidletName + nn,
                          FileNameOf(basePath) + nn + ".jar");
}

int BuildBookMidlets(const BuildContext& ctx, bool testMode, const TMIDLETCONFIG& c,
                     bool showProgress, const std::string& basePath) {
  BuildHost& host = ctx.Host;
  const BuildInputs& in = ctx.Inputs;
  try {
    CheckBuildRecord(c);
    if (testMode) {
      TZipFile jar = AssembleBase(ctx, c);
      AddJarEntry(jar, "META-INF/MANIFEST.MF", MakeManifest(ctx, c, true, 0, basePath));
      AddJarEntry(jar, "res/config.txt", MakeConfigText(ctx.ResArchive, c, in, 0, in.BookTitle));
      return ClampInt(static_cast<std::size_t>(jar.ArchiveSize()));
    }

    DisabledWindow disabled(host);
    if (showProgress) host.SetProgress(0, 1);
    host.SetStatus(Text("LoadingTextFiles"));
    host.ProcessMessages();

    // A book file or picture that cannot be read ends the program; nothing is written.
    WatchingHost watch(host);
    TPictureList pictures;
    const TImageConversionParameters params = in.ImageParams;
    const PictureConverter convert = [&](const std::string& path, std::string& png) {
      return ConvertImage(path, png, params, watch);
    };
    const std::string book = LoadTextFiles(watch, in.TextFiles, showProgress, pictures, convert);
    if (watch.terminated) return -1;

    TNormalizedText text(in.IntroText + book);
    const std::size_t introNonBlank = CountNonBlank(in.IntroText);
    const int64_t jarLimit = c.JarLimit;
    bool localWarned = false;
    bool& warned = ctx.JarLimitWarned ? *ctx.JarLimitWarned : localWarned;
    const int gaugeMax = showProgress ? ClampInt(text.Length()) : 0;
    if (showProgress) host.SetProgress(0, gaugeMax);
    host.SetStatus(Text("GeneratingMidlets"));
    host.ProcessMessages();

    const TZipFile base = AssembleBase(ctx, c);
    for (int midlet = 1;; ++midlet) {
      if (showProgress) {
        host.SetProgress(gaugeMax - ClampInt(text.Length()), gaugeMax);
        host.ProcessMessages();
      }
      TZipFile jar = base;
      AddJarEntry(jar, "META-INF/MANIFEST.MF", MakeManifest(ctx, c, true, midlet, basePath));
      AddJarEntry(jar, "res/config.txt",
                  MakeConfigText(ctx.ResArchive, c, in, midlet, in.BookTitle));
      if (jar.ArchiveSize() >= jarLimit - 1024) throw EUnableToBuild();

      std::size_t tookNonBlank = 0;
      for (int k = 0;; ++k) {
        const std::string window = text.Head(kPartLength + kMarkerSpan);
        const int entries = jar.Count();
        const std::string name = "res/book" + std::to_string(k) + ".txt";
        std::size_t cut = kPartLength;
        std::size_t failed = std::string::npos;  // a part length known not to fit
        std::size_t taken = 0;
        bool accepted = false;
        for (;;) {
          const std::size_t length = KeepMarkersWhole(window, std::min(cut, window.size()));
          // An empty part only for an empty text; one cut back to nothing is no part.
          if ((length > 0 || window.empty()) && length != failed) {
            const std::string_view part(window.data(), length);
            AddJarEntry(jar, name, part);
            // Pictures only add to the size: a part whose text alone is too large needs none.
            const bool textFits = jar.ArchiveSize() <= jarLimit - 512;
            if (textFits) AddImage(jar, part, pictures);
            if (textFits && jar.ArchiveSize() <= jarLimit - 512) {
              taken = length;
              accepted = true;
              break;
            }
            while (jar.Count() > entries) jar.DeleteLast();
            failed = length;
          }
          if (cut > 1024) cut -= (k == 0 && !pictures.empty()) ? 256 : 1024;
          else if (cut >= 17) cut -= 16;
          else cut = 0;
          if (cut >= 1024) continue;
          if (cut < 1) {
            if (k == 0) throw EUnableToBuild();
            break;  // the part is dropped and the midlet closed
          }
          if (k == 0 && !warned) {
            host.ShowMessage(Text("JARLimitTooSmall"), Text("JARLimitTooSmallTitle"),
                             MessageIcon::Information);
            warned = true;
          }
          if (k > 0) continue;
          if (!CutBeforeLastImage(cut, window)) throw EUnableToBuild();
        }
        if (!accepted) break;
        tookNonBlank += CountNonBlank(std::string_view(window.data(), taken));
        text.DropFront(taken);
        if (text.Empty() || taken != kPartLength) break;
      }

      // A midlet that took nothing of the book would be followed by ever more of them.
      if (!text.Empty() && tookNonBlank <= introNonBlank) throw EUnableToBuild();

      const bool numbered = !text.Empty() || midlet >= 2;
      const std::string nn = numbered ? IntToStr2(midlet) : std::string();
      if (!numbered) {
        const int manifest = FindArchiveEntry(jar, "META-INF/MANIFEST.MF");
        jar.WriteEntryData(manifest, MakeManifest(ctx, c, false, midlet, basePath));
      }
      SaveMidlet(jar, basePath + nn + ".jar", basePath + nn + ".jad", [&](int64_t jarSize) {
        return MakeJadText(ctx.ResArchive, c, in, in.MidletName + nn, midlet, in.BookTitle,
                           FileNameOf(basePath) + nn + ".jar", jarSize);
      });

      if (text.Empty()) break;
      text.Prepend(in.IntroText);
      if (midlet + 1 == 100) {
        host.ShowMessage(Text("TooManyMidletsMsg"), Text("TooManyMidletsTitle"),
                         MessageIcon::Error);
        break;
      }
    }
    if (showProgress) {
      host.SetProgress(gaugeMax, gaugeMax);
      host.ProcessMessages();
    }
    host.Wait(100);
    return 0;
  } catch (const EUnableToBuild&) {
    host.ShowMessage(Text("UnableToBuildMidlet"), Text("UnableToBuildMidletTitle"),
                     MessageIcon::Warning);
    host.RequestTerminate();
    return -1;
  } catch (const std::exception& e) {
    ReportBuildError(host, e);
    return -1;
  }
}

}  // namespace assembly
