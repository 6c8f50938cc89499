#include "compile/fuzz/HostileScripts.h"

#include "base/Paths.h"
#include "batchrun/Runner.h"
#include "decompile/DecompileScript.h"
#include "goldsource/GoldSourceScript.h"
#include "source/SourceScript.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string_view>

namespace ferrowind::fuzz {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPieces[] = {"&", "&&", "|", "||", "<", ">", "^", "%", "%%", "%HOME%", "%PATH%", "%1",
    "%~dp0", "%MAPPATH%", "!", "\"", "'", "(", ")", " ", "\t", "\r", "\n", ";", ",", "=", ":", "::", "\\", "canary",
    " & canary", "\" & canary & \"", "|canary", "^&canary", "%CANARY%", "caf\xC3\xA9", "\xFF", "\x1A", "a", "b", ".",
    "..", "x.map", ".bsp", "50%", "R&D", "@echo on"};

constexpr const char* kTools[] = {
    "hlcsg", "hlbsp", "hlvis", "hlrad", "hl", "ferrowind", "vbsp", "vvis", "vrad", "hl2", "BspTwoMap.exe"};

class RecordingHost : public batchrun::Host {
public:
    base::ProgramResult run(const base::ProgramStart& start) override
    {
        runs.push_back(start);
        return {true, 0, {}};
    }
    std::string start(const base::ProgramStart& start) override
    {
        runs.push_back(start);
        return {};
    }
    std::string openDocument(const std::string& path) override
    {
        opened.push_back(path);
        return {};
    }
    std::string powerOff() override
    {
        ++powerOffs;
        return {};
    }

    std::vector<base::ProgramStart> runs;
    std::vector<std::string> opened;
    int powerOffs = 0;
};

class NoInput : public batchrun::Input {
public:
    std::optional<std::string> readLine() override { return std::nullopt; }
    bool waitForKey() override { return false; }
};

// A name the file system takes: no separator, no NUL, and a prefix so that it is never "." or "..".
std::string fileSystemName(const char* prefix, const std::string& text)
{
    std::string name = prefix;
    for (char c : text.substr(0, 80))
        if (c != '/' && c != '\0')
            name += c;
    return name;
}

// Parameters are the user's own command line, so command characters and variables in them run as written;
// only what the unattended program lets through is tried here.
std::string allowedParameters(const std::string& text)
{
    std::string kept;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (c == '%' || (!quoted && isCommandCharacter(c)))
            continue;
        kept += c;
    }
    return kept;
}

bool hasControl(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            return true;
    return false;
}

bool unsafeInPath(const std::string& text) { return text.find('"') != std::string::npos || hasControl(text); }

bool hasCommandCharacter(const std::string& text)
{
    for (char c : text)
        if (isCommandCharacter(c))
            return true;
    return false;
}

void touch(const fs::path& path, bool executable = false)
{
    std::ofstream(path, std::ios::binary) << "x";
    if (executable)
        fs::permissions(path, fs::perms::owner_all);
}

std::string normal(const std::string& path) { return fs::path(path).lexically_normal().string(); }

struct Checker {
    std::string name;
    std::vector<std::string>& problems;

    void expect(bool holds, const std::string& what)
    {
        if (!holds)
            problems.push_back(name + ": " + what);
    }
};

class Attempt {
public:
    Attempt(const HostileValues& values, const std::string& scratch, std::vector<std::string>& problems) :
          problems_(problems)
    {
        static int counter = 0;
        root_ = fs::path(scratch) / ("case" + std::to_string(++counter));
        mapFolder_ = root_ / fileSystemName("m-", values.mapFolder);
        toolFolder_ = root_ / fileSystemName("t-", values.toolFolder);
        outFolder_ = root_ / fileSystemName("o-", values.outFolder);
        stem_ = fileSystemName("s-", values.mapStem);
        parameters_ = allowedParameters(values.parameters);
        for (const fs::path& folder : {mapFolder_, toolFolder_, outFolder_, root_ / "canary-bin"})
            fs::create_directories(folder);
        for (const char* tool : kTools)
            touch(toolFolder_ / tool, true);
        touch(root_ / "canary-bin" / "canary", true);
        // A double quote or a control character in any path, or a command character in the file's name,
        // is refused; nothing else may be.
        pathRefusable_ = unsafeInPath(mapFolder_.string() + toolFolder_.string() + outFolder_.string() + stem_) ||
            hasCommandCharacter(stem_);
    }
    ~Attempt()
    {
        std::error_code error;
        fs::remove_all(root_, error);
    }
    Attempt(const Attempt&) = delete;
    Attempt& operator=(const Attempt&) = delete;

    void goldSource()
    {
        Checker check{"Half-Life script", problems_};
        const std::string mapFile = (mapFolder_ / (stem_ + ".map")).string();
        GoldSourceScriptInput input;
        input.options.csgParams = input.options.bspParams = input.options.visParams = input.options.radParams =
            input.options.gameParams = parameters_;
        input.options.beep = input.options.openLog = input.options.deleteP0 = true;
        input.mapFile = mapFile;
        input.paths = {tool("hlcsg"), tool("hlbsp"), tool("hlvis"), tool("hlrad"), tool("hl"),
            (root_ / "wads").string(), outFolder_.string() + "/"};
        input.programPath = tool("ferrowind");
        const std::string base = mapPathBaseOf(mapFile);
        for (const char* made : {".bsp", ".log", ".p0"})
            touch(base + made);
        const bool refusable = pathRefusable_ || hasControl(parameters_) || mapNameOf(mapFile).ends_with('\\');
        if (!run(check, refusable, [&] { return makeGoldSourceScript(input, {"01.02.2027", "10:11:12", "a@b.c"}); }))
            return;
        expectRuns(check, {"hlcsg", "hlbsp", "hlvis", "hlrad", "ferrowind", "hl"}, 4, mapFile);
        check.expect(fs::exists(outFolder_ / (mapNameOf(mapFile) + ".bsp")), "the .bsp was not copied");
        check.expect(!fs::exists(base + ".p0"), "the .p0 was not deleted");
        check.expect(host_.opened == std::vector<std::string>{base + ".log"}, "not the log was opened");
    }

    void source()
    {
        Checker check{"Half-Life 2 script", problems_};
        const std::string vmfFile = (mapFolder_ / (stem_ + ".vmf")).string();
        SourceScriptInput input;
        input.options.bspParams = input.options.visParams = input.options.radParams = input.options.gameParams =
            parameters_;
        input.options.beep = input.options.openLog = true;
        input.vmfFile = vmfFile;
        input.paths = {
            tool("vbsp"), tool("vvis"), tool("vrad"), tool("hl2"), outFolder_.string() + "/", toolFolder_.string()};
        input.programPath = tool("ferrowind");
        const std::string base = mapPathBaseOf(vmfFile);
        for (const char* made : {".bsp", ".log"})
            touch(base + made);
        const bool refusable = pathRefusable_ || hasControl(parameters_) || mapNameOf(vmfFile).ends_with('\\');
        if (!run(check, refusable, [&] { return makeSourceScript(input, {"01.02.2027", "10:11:12", "a@b.c"}); }))
            return;
        expectRuns(check, {"vbsp", "vvis", "vrad", "ferrowind", "hl2"}, 3, base);
        check.expect(fs::exists(outFolder_ / (mapNameOf(vmfFile) + ".bsp")), "the .bsp was not copied");
        check.expect(host_.opened == std::vector<std::string>{base + ".log"}, "not the log was opened");
    }

    void decompile()
    {
        Checker check{"decompile script", problems_};
        const std::string bsp = (mapFolder_ / (stem_ + ".bsp")).string();
        DecompileScriptInput input;
        input.tempDir = toolFolder_.string() + "/";
        input.bspPath = bsp;
        input.outputFolder = outFolder_.string() + "/";
        input.moveToOutput = true;
        input.extractTextures = true;
        const std::string base = (mapFolder_ / stem_).string();
        for (const char* made : {".bsp", ".map", "_btm.wad", ".log", ".err"})
            touch(base + made);
        if (!run(check, pathRefusable_, [&] { return decompileScript(input); }))
            return;
        expectRuns(check, {"BspTwoMap.exe"}, 1, bsp);
        for (const char* moved : {".map", "_btm.wad"}) {
            check.expect(fs::exists(outFolder_ / (stem_ + moved)), std::string(moved) + " was not moved");
            check.expect(!fs::exists(base + moved), std::string(moved) + " was left beside the .bsp");
        }
        for (const char* leftover : {".log", ".err"})
            check.expect(!fs::exists(base + leftover), std::string(leftover) + " was not deleted");
    }

private:
    std::string tool(const char* name) const { return (toolFolder_ / name).string(); }

    // Generates and runs the script; false when it was refused (a problem unless a value is refusable).
    bool run(Checker& check, bool refusable, const std::function<ScriptLines()>& generate)
    {
        ScriptLines lines;
        try {
            lines = generate();
        } catch (const ScriptRefusal& refusal) {
            check.expect(refusable, std::string("refused safe values: ") + refusal.what());
            return false;
        }
        host_ = {};
        batchrun::Session session{batchrun::Environment::fromProcess(), root_.string()};
        session.environment.set("PATH", (root_ / "canary-bin").string());
        session.environment.set("HOME", (root_ / "elsewhere").string());
        session.environment.set("CANARY", "canary");
        std::ostringstream out;
        NoInput input;
        batchrun::Console console{out, out, input, false};
        batchrun::Runner(session, console, host_).run(batchrun::Script::fromText(scriptFileText(lines)), {"test"});
        for (const base::ProgramStart& start : host_.runs)
            check.expect(fs::path(start.file).filename() != "canary", "the canary ran");
        check.expect(host_.powerOffs == 0, "the computer was powered off");
        return true;
    }

    // The programs in order; the first `stages` of them got the map argument first.
    void expectRuns(Checker& check, std::vector<std::string> names, size_t stages, const std::string& map)
    {
        std::vector<std::string> ran;
        for (const base::ProgramStart& start : host_.runs)
            ran.push_back(normal(start.file));
        for (std::string& name : names)
            name = normal(tool(name.c_str()));
        check.expect(ran == names, "other programs ran than the script names");
        for (size_t i = 0; i < stages && i < host_.runs.size(); ++i) {
            const std::vector<std::string>& arguments = host_.runs[i].arguments;
            check.expect(arguments.size() > 1 && arguments[1] == map,
                "a tool got " + (arguments.size() > 1 ? arguments[1] : std::string("no map")) + " for " + map);
        }
    }

    std::vector<std::string>& problems_;
    fs::path root_;
    fs::path mapFolder_;
    fs::path toolFolder_;
    fs::path outFolder_;
    std::string stem_;
    std::string parameters_;
    bool pathRefusable_ = false;
    RecordingHost host_;
};

} // namespace

HostileValues hostileValuesFrom(std::span<const uint8_t> bytes)
{
    HostileValues values;
    std::string* fields[] = {
        &values.mapFolder, &values.mapStem, &values.toolFolder, &values.outFolder, &values.parameters};
    size_t field = 0;
    for (uint8_t byte : bytes) {
        // The top bit moves on to the next field.
        if (byte & 0x80)
            field = (field + 1) % std::size(fields);
        *fields[field] += kPieces[(byte & 0x7F) % std::size(kPieces)];
    }
    return values;
}

std::vector<std::string> tryGenerators(const HostileValues& values, const std::string& scratch)
{
    std::vector<std::string> problems;
    Attempt(values, scratch, problems).goldSource();
    Attempt(values, scratch, problems).source();
    Attempt(values, scratch, problems).decompile();
    return problems;
}

} // namespace ferrowind::fuzz
