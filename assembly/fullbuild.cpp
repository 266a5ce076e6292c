#include "assembly/fullbuild.h"

#include "assembly/archivecopy.h"
#include "assembly/fontcatalogue.h"
#include "assembly/host.h"
#include "assembly/midlettexts.h"
#include "assembly/tables.h"
#include "assembly/utils.h"

#include <cstdint>

namespace assembly {

const TZipFile* TJarCache::Find(const std::string& key) const {
  const auto it = jars_.find(key);
  return it == jars_.end() ? nullptr : &it->second.first;
}

void TJarCache::Store(const std::string& key, const TZipFile& jar) {
  const std::uint64_t size = static_cast<std::uint64_t>(jar.ArchiveSize());
  if (size > capacity_ || jars_.contains(key)) return;
  while (bytes_ + size > capacity_) {
    const auto oldest = jars_.find(order_.front());
    bytes_ -= oldest->second.second;
    jars_.erase(oldest);
    order_.pop_front();
  }
  jars_.emplace(key, std::make_pair(jar, size));
  bytes_ += size;
  order_.push_back(key);
}

void TJarCache::Clear() {
  jars_.clear();
  order_.clear();
  bytes_ = 0;
}

namespace {

// Runs one step of the JAR: takes its result from the cache when the same step (by key) was
// done before on the same starting point, else does it and keeps the result.
template <typename Step>
void CachedStep(TJarCache* cache, std::string& key, const std::string& part, bool cacheable,
                TZipFile& jar, Step step) {
  if (cache && cacheable) {
    key += '\x1F';
    key += part;
    if (const TZipFile* hit = cache->Find(key)) {
      jar = *hit;
      return;
    }
    step();
    cache->Store(key, jar);
    return;
  }
  step();
}

}  // namespace

TZipFile AssembleFullJar(const BuildContext& ctx, const TMIDLETCONFIG& c, const std::string& jarUrl) {
  CheckBuildRecord(c);
  const TZipFile& archive = ctx.ResArchive;
  TJarCache* cache = ctx.Cache;
  TZipFile jar;

  // The resource copies and the built-in fonts depend only on the archive and these names.
  const int lang = c.InterfaceLanguage;
  const std::string core = CoreFolders[c.Core * 4 + c.Edition];
  const std::string folders[5] = {
      CommonFolders[lang], CommonFullFolders[lang], BlackWhiteFolders[c.Core * 11 + lang],
      ColorFolders[c.Edition * 11 + lang], HelpFolders[c.Edition * 11 + lang]};
  std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(&archive));
  std::string resources = std::to_string(c.Core) + '|' + core;
  for (const std::string& f : folders) resources += '|' + f;
  resources += '|' + std::string(IconFiles[c.Icon]);
  CachedStep(cache, key, resources, true, jar, [&] {
    CopyArchiveFolder(archive, core, "", jar);
    for (const std::string& f : folders) CopyArchiveFolder(archive, f, "res\\", jar);
    CopyArchiveFile(archive, IconFiles[c.Icon], "res\\", jar);
  });

  // Fonts slot by slot; a font file of the user's may change between builds and is not kept.
  bool cacheable = cache != nullptr;
  for (int slot = 1; slot <= 5; ++slot) {
    TMIDLETCONFIG one;
    one.Core = c.Core;
    one.FontNames[slot - 1] = c.FontNames[slot - 1];
    one.FontSources[slot - 1] = c.FontSources[slot - 1];
    one.NegativeFlags[slot - 1] = c.NegativeFlags[slot - 1];
    if (one.FontNames[slot - 1].empty()) continue;
    cacheable = cacheable && one.FontSources[slot - 1].starts_with("ZIP:");
    const std::string part = one.FontNames[slot - 1] + '|' + one.FontSources[slot - 1] + '|' +
                             char('0' + (one.NegativeFlags[slot - 1] != 0));
    CachedStep(cacheable ? cache : nullptr, key, part, cacheable, jar,
               [&] { AddFonts(archive, one, jar); });
  }

  const std::string config = MakeConfigText(archive, c, ctx.Inputs, ctx.Texts, 0, "");
  AddJarEntry(jar, "META-INF/MANIFEST.MF", MakeManifestText(archive, c, ctx.Inputs, "Tomefalcon", jarUrl));
  AddJarEntry(jar, "res/config.txt", config);
  return jar;
}

BuildResult BuildFullMidlet(const BuildContext& ctx, bool testMode, const TMIDLETCONFIG& c, const std::string& jarUrl,
                            const std::string& basePath) {
  try {
    TZipFile jar = AssembleFullJar(ctx, c, jarUrl);
    if (testMode) return BuildResult::Measured(jar.ArchiveSize());

    FindArchiveEntry(ctx.ResArchive, "core\\Tomefalcon.jad");  // before anything is written
    SaveMidlet(jar, basePath + ".jar", basePath + ".jad", [&](int64_t jarSize) {
      return MakeJadText(ctx.ResArchive, c, ctx.Inputs, "Tomefalcon", 0, "", jarUrl, jarSize);
    });

    if (c.Core == 6) {
      const std::string folder = basePath.find('/') == std::string::npos ? "." : ParentDir(basePath);
      SaveArchiveEntry(ctx.ResArchive, "pat\\j2mex.pat", folder + "/j2meX.pat");
    }
    return BuildResult::Done();
  } catch (const std::exception& e) {
    ReportBuildError(ctx.Host, e);
    return BuildResult::Failed();
  }
}

}  // namespace assembly
