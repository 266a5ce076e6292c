#include "assembly/bookbuild.h"

#include "assembly/archivecopy.h"
#include "assembly/fullbuild.h"
#include "assembly/host.h"
#include "assembly/jobpool.h"
#include "assembly/midlettexts.h"
#include "assembly/normalize.h"
#include "assembly/picture.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

namespace assembly {

namespace {

constexpr std::size_t kPartLength = 8192;
// Longest marker that a cut is kept out of: the start, a number, ".png" and the end.
constexpr std::size_t kMarkerSpan = 32;

std::string Text(const BuildContext& ctx, std::string_view name) { return ctx.Texts.TextByName(name); }

// Passes everything on and notes whether the program was asked to end.
class WatchingHost : public BuildHost {
public:
  explicit WatchingHost(BuildHost& host) : host_(host) {}
  void ShowMessage(const std::string& t, const std::string& c, MessageIcon i) override {
    host_.ShowMessage(t, c, i);
  }
  void RequestTerminate() override {
    Terminated = true;
    host_.RequestTerminate();
  }
  void SetProgress(int position, int max) override { host_.SetProgress(position, max); }
  void SetStatus(const std::string& text) override { host_.SetStatus(text); }
  void ProcessMessages() override { host_.ProcessMessages(); }
  void SetWindowEnabled(bool enabled) override { host_.SetWindowEnabled(enabled); }
  bool Terminated = false;

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

constexpr int64_t kPartReserve = 512;    // kept free below the limit by every part
constexpr int64_t kEmptyReserve = 1024;  // a midlet without book text must stay below this

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

std::string PictureEntryName(std::size_t n) { return "res/" + std::to_string(n) + ".png"; }

// Calls fn with the number of every marker in the piece that names one of `count` pictures.
template <typename Fn>
void ForEachPicture(std::string_view piece, std::size_t count, Fn fn) {
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
    if (digits && n >= 1 && n <= count) fn(static_cast<std::size_t>(n));
  }
}

// The JAR of the midlet saved with its JAD: numbered when the book goes on or this is not the
// first midlet; a single midlet gets the manifest without the number.
void CloseMidlet(const BuildContext& ctx, const TMIDLETCONFIG& c, TZipFile& jar, int midlet, bool numbered,
                 const std::string& basePath) {
  const BuildInputs& in = ctx.Inputs;
  const std::string nn = numbered ? IntToStr2(midlet) : std::string();
  if (!numbered) {
    const int manifest = FindArchiveEntry(jar, "META-INF/MANIFEST.MF");
    jar.WriteEntryData(manifest, MakeManifest(ctx, c, false, midlet, basePath));
  }
  SaveMidlet(jar, basePath + nn + ".jar", basePath + nn + ".jad", [&](int64_t jarSize) {
    return MakeJadText(ctx.ResArchive, c, in, in.MidletName + nn, midlet, in.BookTitle,
                       FileNameOf(basePath) + nn + ".jar", jarSize);
  });
}

// The book files joined, their pictures converted (on several threads when the context asks
// for it) into `pictures`.
std::string LoadBook(const BuildContext& ctx, BuildHost& host, bool showProgress, TPictureList& pictures) {
  const TImageConversionParameters params = ctx.Inputs.ImageParams;
  const HostedPictureConverter convert = [&params](const std::string& path, std::string& png, BuildHost& pictureHost) {
    return ConvertImage(path, png, params, pictureHost);
  };
  return LoadTextFiles(host, ctx.Inputs.TextFiles, showProgress, pictures, convert, ctx.PictureThreads);
}

}  // namespace

TPictureEntries::TPictureEntries(TPictureList pictures, bool reusePacked, unsigned threads)
    : pictures_(std::move(pictures)), reuse_(reusePacked) {
  if (!reuse_) return;
  packed_.resize(pictures_.size());
  TJobPool pool(
      pictures_.size(), [this](std::size_t i) { packed_[i] = PackEntryData(pictures_[i]); }, threads);
  pool.WaitAll();
}

int64_t TPictureEntries::EntrySize(std::size_t n) const {
  return ZipEntrySize(PictureEntryName(n), reuse_ ? packed_.at(n - 1).CompressedData.size() : 0);
}

void TPictureEntries::Add(TZipFile& jar, std::size_t n) {
  const std::string name = PictureEntryName(n);
  if (!reuse_) {
    AddJarEntry(jar, name, pictures_.at(n - 1));
    return;
  }
  jar.AddFile(name, 0);
  jar.WritePackedData(jar.Count() - 1, packed_.at(n - 1));
}

void AddImage(TZipFile& jar, std::string_view piece, TPictureEntries& pictures) {
  ForEachPicture(piece, pictures.Count(), [&](std::size_t n) { pictures.Add(jar, n); });
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

PartFit FitPart(const BuildContext& ctx, TZipFile& jar, int k, std::string_view window, TPictureEntries& pictures,
                int64_t jarLimit, bool& warned) {
  const int entries = jar.Count();
  const std::string name = "res/book" + std::to_string(k) + ".txt";
  std::size_t cut = kPartLength;
  std::size_t failed = std::string::npos;  // a part length known not to fit
  for (;;) {
    const std::size_t length = KeepMarkersWhole(window, std::min(cut, window.size()));
    // An empty part only for an empty text; one cut back to nothing is no part.
    if ((length > 0 || window.empty()) && length != failed) {
      const std::string_view part = window.substr(0, length);
      // What the part's entries take at least, its text deflated to nothing: when that is too
      // much already, the text need not be deflated to know.
      int64_t least = jar.ArchiveSize() + ZipEntrySize(name, 0);
      ForEachPicture(part, pictures.Count(), [&](std::size_t n) { least += pictures.EntrySize(n); });
      if (least <= jarLimit - kPartReserve) {
        AddJarEntry(jar, name, part);
        // Pictures only add to the size: a part whose text alone is too large needs none.
        const bool textFits = jar.ArchiveSize() <= jarLimit - kPartReserve;
        if (textFits) AddImage(jar, part, pictures);
        if (textFits && jar.ArchiveSize() <= jarLimit - kPartReserve) return {PartOutcome::Added, length};
        while (jar.Count() > entries) jar.DeleteLast();
      }
      failed = length;
    }
    if (cut > 1024) cut -= (k == 0 && pictures.Count() > 0) ? 256 : 1024;
    else if (cut >= 17) cut -= 16;
    else cut = 0;
    if (cut >= 1024) continue;
    if (cut < 1) return {k == 0 ? PartOutcome::CannotFit : PartOutcome::Dropped, 0};
    if (k == 0 && !warned) {
      ctx.Host.ShowMessage(Text(ctx, "JARLimitTooSmall"), Text(ctx, "JARLimitTooSmallTitle"), MessageIcon::Information);
      warned = true;
    }
    if (k > 0) continue;
    if (!CutBeforeLastImage(cut, window)) return {PartOutcome::CannotFit, 0};
  }
}

std::optional<AssembledMidlet> AssembleMidlet(const BuildContext& ctx, const TMIDLETCONFIG& c, const TZipFile& base,
                                              int midlet, const std::string& basePath, TNormalizedText& text,
                                              TPictureEntries& pictures, bool& warned) {
  const BuildInputs& in = ctx.Inputs;
  AssembledMidlet m{base};
  AddJarEntry(m.Jar, "META-INF/MANIFEST.MF", MakeManifest(ctx, c, true, midlet, basePath));
  AddJarEntry(m.Jar, "res/config.txt", MakeConfigText(ctx.ResArchive, c, in, ctx.Texts, midlet, in.BookTitle));
  if (m.Jar.ArchiveSize() >= c.JarLimit - kEmptyReserve) return std::nullopt;

  for (int k = 0;; ++k) {
    const std::string window = text.Head(kPartLength + kMarkerSpan);
    const PartFit fit = FitPart(ctx, m.Jar, k, window, pictures, c.JarLimit, warned);
    if (fit.Outcome == PartOutcome::CannotFit) return std::nullopt;
    if (fit.Outcome == PartOutcome::Dropped) break;
    m.TakenNonBlank += CountNonBlank(std::string_view(window).substr(0, fit.Length));
    text.DropFront(fit.Length);
    if (text.Empty() || fit.Length != kPartLength) break;
  }
  return m;
}

namespace {

// Test mode: the size of a first midlet that holds no book text.
BuildResult MeasureEmptyMidlet(const BuildContext& ctx, const TMIDLETCONFIG& c, const std::string& basePath) {
  const BuildInputs& in = ctx.Inputs;
  TZipFile jar = AssembleBase(ctx, c);
  AddJarEntry(jar, "META-INF/MANIFEST.MF", MakeManifest(ctx, c, true, 0, basePath));
  AddJarEntry(jar, "res/config.txt", MakeConfigText(ctx.ResArchive, c, in, ctx.Texts, 0, in.BookTitle));
  return BuildResult::Measured(jar.ArchiveSize());
}

// Writes midlet after midlet until the text is used up; true when cut short at the 99th.
bool WriteBookMidlets(const BuildContext& ctx, const TMIDLETCONFIG& c, bool showProgress, int gaugeMax,
                      const std::string& basePath, TNormalizedText& text, TPictureEntries& entries) {
  BuildHost& host = ctx.Host;
  const BuildInputs& in = ctx.Inputs;
  const std::size_t introNonBlank = CountNonBlank(in.IntroText);
  bool localWarned = false;
  bool& warned = ctx.JarLimitWarned ? *ctx.JarLimitWarned : localWarned;
  const TZipFile base = AssembleBase(ctx, c);
  for (int midlet = 1;; ++midlet) {
    if (showProgress) {
      host.SetProgress(gaugeMax - ClampInt(text.Length()), gaugeMax);
      host.ProcessMessages();
    }
    std::optional<AssembledMidlet> m = AssembleMidlet(ctx, c, base, midlet, basePath, text, entries, warned);
    if (!m) throw EUnableToBuild();
    // A midlet that took nothing of the book would be followed by ever more of them.
    if (!text.Empty() && m->TakenNonBlank <= introNonBlank) throw EUnableToBuild();
    CloseMidlet(ctx, c, m->Jar, midlet, !text.Empty() || midlet >= 2, basePath);

    if (text.Empty()) return false;
    text.Prepend(in.IntroText);
    if (midlet + 1 == 100) {
      host.ShowMessage(Text(ctx, "TooManyMidletsMsg"), Text(ctx, "TooManyMidletsTitle"), MessageIcon::Error);
      return true;
    }
  }
}

}  // namespace

BuildResult BuildBookMidlets(const BuildContext& ctx, bool testMode, const TMIDLETCONFIG& c, bool showProgress,
                             const std::string& basePath) {
  BuildHost& host = ctx.Host;
  const BuildInputs& in = ctx.Inputs;
  try {
    CheckBuildRecord(c);
    if (testMode) return MeasureEmptyMidlet(ctx, c, basePath);

    CheckLargestPictureSize(in.ImageParams);
    DisabledWindow disabled(host);
    if (showProgress) host.SetProgress(0, 1);
    host.SetStatus(Text(ctx, "LoadingTextFiles"));
    host.ProcessMessages();

    // A book file or picture that cannot be read ends the program; nothing is written.
    WatchingHost watch(host);
    TPictureList pictures;
    const std::string book = LoadBook(ctx, watch, showProgress, pictures);
    if (watch.Terminated) return BuildResult::Failed();
    TPictureEntries entries(std::move(pictures), ctx.ReusePackedPictures, ctx.PictureThreads);

    TNormalizedText text(in.IntroText + book);
    const int gaugeMax = showProgress ? ClampInt(text.Length()) : 0;
    if (showProgress) host.SetProgress(0, gaugeMax);
    host.SetStatus(Text(ctx, "GeneratingMidlets"));
    host.ProcessMessages();

    const bool cut = WriteBookMidlets(ctx, c, showProgress, gaugeMax, basePath, text, entries);
    if (showProgress) {
      host.SetProgress(gaugeMax, gaugeMax);
      host.ProcessMessages();
    }
    host.Wait(100);
    return cut ? BuildResult::CutShort() : BuildResult::Done();
  } catch (const EUnableToBuild&) {
    host.ShowMessage(Text(ctx, "UnableToBuildMidlet"), Text(ctx, "UnableToBuildMidletTitle"), MessageIcon::Warning);
    host.RequestTerminate();
    return BuildResult::Failed();
  } catch (const std::exception& e) {
    ReportBuildError(host, e);
    return BuildResult::Failed();
  }
}

}  // namespace assembly
