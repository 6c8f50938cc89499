#include "bsptwomap/Decompile.h"

#include "base/AtomicFile.h"
#include "bsptwomap/Entities.h"
#include "bsptwomap/Rebuild.h"
#include "bsptwomap/Textures.h"
#include "bsptwomap/Writers.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <ostream>
#include <set>
#include <string_view>

namespace btm {
namespace {

namespace fs = std::filesystem;

const char* contentsName(int32_t contents)
{
    switch (contents) {
    case kSolid: return "solid";
    case kSky: return "sky";
    case kWater: return "water";
    case kSlime: return "slime";
    case kLava: return "lava";
    default: return "other";
    }
}

std::vector<uint8_t> readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0)
        throw std::runtime_error("cannot read " + path.string());
    if (static_cast<uint64_t>(size) > kMaxBspSize)
        throw BspError("file too large (" + std::to_string(size) + " bytes)");
    std::vector<uint8_t> data(static_cast<size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(data.data()), size);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return data;
}

// Why the input cannot be decompiled into these outputs, or "". The map and log are set aside when they exist
// (`keepAside`); the WAD and error file are replaced, so they must not be the input under another name.
std::string inputProblem(
    const std::string& input, std::initializer_list<fs::path> setAside, std::initializer_list<fs::path> replaced)
{
    std::error_code error;
    if (fs::is_directory(input, error))
        return input + " is a folder, not a .bsp file";
    const fs::path inputPath = fs::absolute(input, error).lexically_normal();
    for (const auto& outputs : {setAside, replaced})
        for (const fs::path& output : outputs) {
            std::error_code ignored;
            if (fs::absolute(output, ignored).lexically_normal() == inputPath)
                return "the output " + output.string() + " would overwrite the input; rename the input to end in .bsp";
            if (fs::is_directory(fs::symlink_status(output, ignored)))
                return "a folder is in the way of the output " + output.string() + "; move or rename it";
        }
    for (const fs::path& output : replaced) {
        std::error_code ignored;
        if (fs::equivalent(input, output, ignored))
            return "the output " + output.string() + " is the input under another name (a link); move or remove it";
    }
    return {};
}

// Moves an existing file (or link) at `path` to the first free name of path.bak, path.bak2, ... so that nothing
// the user had there is lost; returns that name, or "" when nothing was there.
fs::path keepAside(const fs::path& path)
{
    std::error_code error;
    if (!fs::exists(fs::symlink_status(path, error)))
        return {};
    for (int n = 1;; ++n) {
        const fs::path backup = path.string() + ".bak" + (n > 1 ? std::to_string(n) : "");
        if (fs::exists(fs::symlink_status(backup, error)))
            continue;
        fs::rename(path, backup, error);
        if (error)
            throw std::runtime_error(
                "cannot move the existing " + path.string() + " out of the way: " + error.message());
        return backup;
    }
}

// The file holds the named texture's pixels.
bool embeds(const Bsp& bsp, const std::string& name)
{
    return std::any_of(bsp.mipTextures.begin(), bsp.mipTextures.end(), [&](const BspMipTex& mt) {
        return !mt.stored.empty() && mt.name.size() == name.size() && startsWithNoCase(mt.name, name);
    });
}

void writeBytes(const fs::path& path, std::string_view bytes) { base::writeFileAtomically(path.string(), bytes); }

void writeLines(const fs::path& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    writeBytes(path, text);
}

} // namespace

DecompileResult decompile(const Bsp& bsp, const DecompileOptions& options, const std::string& wadName)
{
    DecompileResult result;
    std::vector<Entity> entities = parseEntities(bsp.entities);
    const std::string* firstClass = entities.empty() ? nullptr : entities[0].find("classname");
    if (!firstClass || *firstClass != "worldspawn") {
        result.log.push_back("warning: the first entity is not worldspawn; one was added");
        entities.insert(entities.begin(), Entity{{{"classname", "worldspawn"}}});
    }

    // Editors and compile tools read the bracketed texture axes only when the world declares the format.
    entities[0].set("mapversion", "220");

    Rebuilder rebuilder(bsp);
    std::vector<ModelBrushes> models;
    models.reserve(bsp.models.size());
    for (size_t m = 0; m < bsp.models.size(); ++m) {
        // In the game an entity's contents come from its class and keys, not from hull 0: its faces decide.
        models.push_back(rebuilder.rebuild(m, m > 0));
        // Clip brushes of the world only: brush entities of these tools carry their clip volumes in hull 0 too.
        if (options.brenmoor && m == 0)
            result.clipBrushes = rebuilder.addClipBrushes(0, models.back());
        // An entity whose brushes are solid only in the clip hulls (a monster clip of CLIP brushes) would come back
        // without a model, which breaks it in the game: its own clip hull gives it CLIP brushes.
        if (m > 0 && models.back().brushes.empty() && rebuilder.addClipBrushes(m, models.back()) > 0)
            result.log.push_back("model *" + std::to_string(m) + " is empty in hull 0; rebuilt as " +
                std::to_string(models.back().brushes.size()) + " CLIP brushes from its clip hull");
        const ModelBrushes& mb = models.back();
        size_t byContents[5] = {};
        for (const Brush& b : mb.brushes) {
            const int32_t c = b.contents;
            if (c == kClip)
                continue;
            ++byContents[c == kSolid ? 0 : c == kSky ? 1 : c == kWater ? 2 : c == kSlime ? 3 : 4];
        }
        std::string line = "model *" + std::to_string(m) + ": " + std::to_string(mb.stats.leafBrushes) +
            " leaf regions, " + std::to_string(mb.stats.textureSplits) + " texture splits, " +
            std::to_string(mb.stats.merged) + " merges, " + std::to_string(mb.stats.slivers) + " slivers dropped, " +
            std::to_string(mb.stats.hiddenVoid) + " void solids dropped, " + std::to_string(mb.stats.held) +
            " pieces held by wider brushes, " + std::to_string(mb.brushes.size()) + " brushes (";
        const int32_t order[5] = {kSolid, kSky, kWater, kSlime, kLava};
        for (size_t i = 0; i < 5; ++i)
            line += std::string(i ? ", " : "") + contentsName(order[i]) + " " + std::to_string(byContents[i]);
        result.log.push_back(line + ")");
    }

    if (options.brenmoor)
        result.log.push_back("clip brushes rebuilt from the player clip hull: " + std::to_string(result.clipBrushes));

    MapStats stats;
    // Once the brushes are written, the names they use decide the WAD and the world's "wad" key.
    const auto finishWorld = [&](Entity& world, const std::set<std::string>& textures) {
        // Tool textures the map names but the file doesn't embed go into the extracted WAD too: the compile tools
        // resolve every name (ORIGIN included) through the "wad" key, and the tools' own WAD may not be listed.
        std::vector<std::string> toolTextures;
        for (const std::string& name : textures)
            if (isToolTexture(name) && !embeds(bsp, name))
                toolTextures.push_back(name);
        // The tools know the other tool names without a WAD, so they alone don't call for one.
        const bool namesOrigin = std::find(toolTextures.begin(), toolTextures.end(), "ORIGIN") != toolTextures.end();
        result.textureCount = embeddedTextureCount(bsp) + toolTextures.size();
        if (options.extractTextures && (embeddedTextureCount(bsp) > 0 || namesOrigin)) {
            result.wad = writeWad(bsp, toolTextures);
            const std::string* existing = world.find("wad");
            world.set("wad", existing && !existing->empty() ? wadName + ";" + *existing : wadName);
        }
    };
    result.map = writeMap(bsp, rebuilder.planes(), entities, models, stats, finishWorld);
    result.brushCount = stats.brushes;
    // The compile tools stop at a name no WAD holds: the file's own textures are extracted or in the WADs it
    // named, and tool textures are in the tools' WAD.
    for (const std::string& name : stats.textures) {
        const bool known = isToolTexture(name) ||
            std::any_of(bsp.mipTextures.begin(), bsp.mipTextures.end(),
                [&](const BspMipTex& mt) { return mt.name.size() == name.size() && startsWithNoCase(mt.name, name); });
        if (!known)
            stats.warnings.push_back("texture " + name + " is neither in the file nor a tool texture");
    }
    for (const std::string& w : stats.warnings)
        result.log.push_back("warning: " + w);
    result.log.push_back("entities: " + std::to_string(stats.entities) + ", brushes: " + std::to_string(stats.brushes) +
        ", origin brushes: " + std::to_string(stats.originBrushes));
    return result;
}

void decompileBytes(std::span<const uint8_t> data)
{
    try {
        const Bsp bsp = readBsp(data);
        // With -brenmoor, so that the clip hulls are walked too.
        DecompileOptions options;
        options.brenmoor = true;
        decompile(bsp, options, "fuzz_btm.wad");
    } catch (const BspError&) {
    }
}

int runCommandLine(const std::vector<std::string>& args, std::ostream& console)
{
    const auto started = std::chrono::steady_clock::now();
    DecompileOptions options;
    std::string input;
    std::string badSwitch;
    for (const std::string& arg : args) {
        if (arg == "-notextures")
            options.extractTextures = false;
        else if (arg == "-brenmoor")
            options.brenmoor = true;
        else if (!arg.empty() && arg[0] == '-' && badSwitch.empty())
            badSwitch = arg;
        else if (input.empty())
            input = arg;
        else if (badSwitch.empty())
            badSwitch = arg;
    }
    if (input.size() < 5) {
        console << "usage: bsptwomap <file.bsp> [-notextures] [-brenmoor]\n";
        return 1;
    }
    // The outputs are named after the input with its last four characters (the extension) removed.
    const std::string base = input.substr(0, input.size() - 4);
    const fs::path mapPath = base + ".map";
    const fs::path wadPath = base + "_btm.wad";
    const fs::path logPath = base + ".log";
    const fs::path errPath = base + ".err";
    const std::string wadName = fs::path(wadPath).filename().string();

    // Refused before anything is written: an input named like an output would be overwritten by it.
    if (const std::string problem = inputProblem(input, {mapPath, logPath}, {wadPath, errPath}); !problem.empty()) {
        console << "bsptwomap: error: " << problem << "\n";
        return 1;
    }

    std::vector<std::string> log{"bsptwomap: " + input};
    log.push_back(std::string("options: textures ") + (options.extractTextures ? "extracted" : "not extracted") +
        (options.brenmoor ? ", -brenmoor given" : ""));
    // A map or log already there (the user's own source, the compile tools' log) is kept, and both say where.
    auto keepAsideNoting = [&](const fs::path& path) {
        if (const fs::path backup = keepAside(path); !backup.empty()) {
            const std::string note =
                "kept the existing " + path.filename().string() + " as " + backup.filename().string();
            log.push_back(note);
            console << "bsptwomap: " << note << "\n";
        }
    };
    auto elapsed = [&] {
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
        return "time: " + std::to_string(ms.count()) + " ms";
    };
    try {
        if (!badSwitch.empty())
            throw std::runtime_error("unknown argument '" + badSwitch + "'");
        const std::vector<uint8_t> data = readFile(input);
        const Bsp bsp = readBsp(data);
        log.push_back("read " + std::to_string(data.size()) +
            " bytes, version 30: " + std::to_string(bsp.planes.size()) + " planes, " +
            std::to_string(bsp.nodes.size()) + " nodes, " + std::to_string(bsp.leaves.size()) + " leaves, " +
            std::to_string(bsp.faces.size()) + " faces, " + std::to_string(bsp.texInfos.size()) + " texinfos, " +
            std::to_string(bsp.mipTextures.size()) + " textures (" + std::to_string(embeddedTextureCount(bsp)) +
            " embedded), " + std::to_string(bsp.models.size()) + " models");
        const DecompileResult result = decompile(bsp, options, wadName);
        log.insert(log.end(), result.log.begin(), result.log.end());
        keepAsideNoting(mapPath);
        writeBytes(mapPath, result.map);
        log.push_back("wrote " + mapPath.string());
        if (!result.wad.empty()) {
            writeBytes(wadPath, {reinterpret_cast<const char*>(result.wad.data()), result.wad.size()});
            log.push_back("wrote " + wadPath.string() + " (" + std::to_string(result.textureCount) + " textures)");
        } else if (options.extractTextures) {
            log.push_back("no embedded textures; no WAD written");
        }
        log.push_back(elapsed());
        std::error_code ignored;
        fs::remove(errPath, ignored);
        keepAsideNoting(logPath);
        writeLines(logPath, log);
        console << "bsptwomap: " << mapPath.filename().string() << ", " << result.brushCount << " brushes";
        if (!result.wad.empty())
            console << ", " << wadName << " with " << result.textureCount << " textures";
        console << "\n";
        return 0;
    } catch (const std::exception& e) {
        const std::string message = std::string("error: ") + e.what();
        log.push_back(message);
        log.push_back(elapsed());
        console << "bsptwomap: " << message << "\n";
        try {
            writeLines(errPath, {message});
            keepAsideNoting(logPath);
            writeLines(logPath, log);
        } catch (const std::exception& inner) {
            console << "bsptwomap: " << inner.what() << "\n";
        }
        return 1;
    }
}

} // namespace btm
