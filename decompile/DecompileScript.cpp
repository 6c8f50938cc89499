#include "decompile/DecompileScript.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "decompile/DecompilerTool.h"
#include "script/ScriptWriter.h"

namespace ferrowind {

ScriptLines decompileScript(const DecompileScriptInput& input)
{
    const std::string dir = base::folderPart(input.bspPath);
    const std::string file = base::fileNamePart(input.bspPath);
    // The extension's four characters are cut whatever they are: the page takes only ".bsp" files.
    const std::string name = file.substr(0, file.size() < 4 ? 0 : file.size() - 4);

    ScriptWriter s(kDecompileScriptKind);
    s.line("@echo off");
    s.line({"color ", Piece::colour(input.consoleColor)});
    s.line("::Decompiling");
    s.line({"title Decompiling ", Piece::fileName(file, input.bspPath, "BSP file")});
    s.line({Piece::quotedPath(input.tempDir + kDecompilerName), " ", Piece::quotedPath(base::trim(input.bspPath)),
        input.extractTextures ? Piece("") : Piece(" -notextures"), input.brenmoor ? Piece(" -brenmoor") : Piece("")});
    s.line("::After decompiling");
    if (input.moveToOutput) {
        // A file is deleted only once its copy has succeeded, so a failed copy leaves it where it was. The
        // error level says so (Wine's interpreter runs `copy ... && del` even when the copy failed), and the
        // copy must be there.
        for (const char* suffix : {".map", "_btm.wad"}) {
            const std::string from = dir + name + suffix;
            const std::string to = input.outputFolder + name + suffix;
            s.line(
                {"if exist ", Piece::quotedPath(from), " copy ", Piece::quotedPath(from), " ", Piece::quotedPath(to)});
            s.line({"if not errorlevel 1 if exist ", Piece::quotedPath(to), " del ", Piece::quotedPath(from)});
        }
    }
    for (const char* leftover : {".err", ".log"}) {
        const std::string path = dir + name + leftover;
        s.line({"if exist ", Piece::quotedPath(path), " del ", Piece::quotedPath(path)});
    }
    if (input.pause)
        s.line("Pause");
    return s.take();
}

} // namespace ferrowind
